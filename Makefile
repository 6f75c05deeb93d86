# Thin targets over the CMake presets. Binaries land in build/bin/.
PRESET ?= default
BUILD_DIR := $(if $(filter asan,$(PRESET)),build-asan,build)

FUZZ_SECONDS ?= 60

.PHONY: deps configure build test run bench asan fuzz package windows clean

deps:
	@scripts/install-deps

# CMAKE_ARGS: further cache settings for the configure step.
configure: deps
	cmake --preset $(PRESET) $(CMAKE_ARGS)

build: configure
	cmake --build --preset $(PRESET)

test: build
	ctest --preset $(PRESET)

run: build
	@scripts/run-window $(BUILD_DIR)

bench: build
	@bench/run $(BUILD_DIR)

package: build
	@scripts/build-package $(BUILD_DIR)

asan:
	$(MAKE) test PRESET=asan

# Each libFuzzer target for FUZZ_SECONDS, built with clang in build-fuzz/.
fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz
	@fuzz/run build-fuzz $(FUZZ_SECONDS)

# The report and the test programs cross-built for Windows (build-windows/bin/),
# every test run under Wine.
windows:
	@scripts/install-deps windows
	cmake --preset windows
	cmake --build --preset windows
	ctest --preset windows

clean:
	rm -rf build build-asan build-fuzz build-windows dist
