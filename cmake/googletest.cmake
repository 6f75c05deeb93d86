# GoogleTest for the test programs: the host's installed libraries, or, when
# cross-compiling, built for the target from the source that Debian's
# googletest package ships.
set(CHRONELL_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH
    "GoogleTest source built when cross-compiling")

if(NOT CMAKE_CROSSCOMPILING)
  find_package(GTest REQUIRED)
  return()
endif()

if(NOT EXISTS ${CHRONELL_GOOGLETEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "No GoogleTest source in ${CHRONELL_GOOGLETEST_SOURCE}: "
                      "install Debian's googletest package (scripts/install-deps does)")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
# Its targets come with the GTest:: names that find_package gives.
add_subdirectory(${CHRONELL_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
