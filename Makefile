# Thin targets over the CMake presets. Binaries land in build/bin/.
PRESET ?= default
BUILD_DIR := $(if $(filter asan release,$(PRESET)),build-$(PRESET),build)

FUZZ_SECONDS ?= 60
# A fixed libFuzzer seed (CI); empty: a fresh one each run.
FUZZ_SEED ?=

.PHONY: deps configure build test run bench asan fuzz package windows windows-package windows-package-test clean

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

# The package is made from the release preset's build (build-release/).
package:
	$(MAKE) build PRESET=release
	@scripts/build-package build-release

asan:
	$(MAKE) test PRESET=asan

# Each libFuzzer target for FUZZ_SECONDS over fuzz/corpus/, built with clang
# in build-fuzz/; FUZZ_SEED makes the run repeatable.
fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz
	@fuzz/run build-fuzz $(FUZZ_SECONDS) $(FUZZ_SEED)

# The report and the test programs cross-built for Windows (build-windows/bin/),
# every test run under Wine. SQLite's amalgamation is made once from Debian's
# source into the user's cache.
windows:
	@scripts/install-deps windows
	nice scripts/build-sqlite-amalgamation >/dev/null
	cmake --preset windows -DCHRONELL_SQLITE_SOURCE="$$(scripts/build-sqlite-amalgamation --print)" $(CMAKE_ARGS)
	cmake --build --preset windows
	ctest --preset windows

# The window too, against a Qt for Windows built once into the user's cache
# (long: at the lowest CPU and disk priority), and the zip for Windows users
# in dist/. The test unpacks that zip and runs its window under Wine.
windows-package:
	@scripts/install-deps windows windows-package
	nice -n 19 ionice -c3 scripts/build-qt-windows
	nice scripts/build-sqlite-amalgamation >/dev/null
	cmake --preset windows -DCHRONELL_SQLITE_SOURCE="$$(scripts/build-sqlite-amalgamation --print)" -DCHRONELL_BUILD_WINDOW=ON -DCMAKE_PREFIX_PATH="$$(scripts/build-qt-windows --print)" \
	  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
	cmake --build --preset windows --target chronell chronell-report
	scripts/package-windows build-windows "$$(scripts/build-qt-windows --print)" dist

windows-package-test: windows-package
	ctest --test-dir build-windows -L windows-display --output-on-failure

clean:
	rm -rf build build-asan build-release build-fuzz build-windows dist
