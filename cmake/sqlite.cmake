# SQLite for the history: the host's libsqlite3-dev, or, when
# cross-compiling, compiled into a static library from the amalgamation
# that scripts/build-sqlite-amalgamation makes once from Debian's sqlite3
# source package. Either way the target is SQLite::SQLite3.
if(NOT CMAKE_CROSSCOMPILING)
  find_package(SQLite3 REQUIRED)
  return()
endif()

set(CHRONELL_SQLITE_SOURCE "" CACHE PATH
    "Folder holding SQLite's amalgamation (sqlite3.c, sqlite3.h), from scripts/build-sqlite-amalgamation")
if(NOT EXISTS "${CHRONELL_SQLITE_SOURCE}/sqlite3.c")
  message(FATAL_ERROR "No SQLite amalgamation in '${CHRONELL_SQLITE_SOURCE}': "
                      "run scripts/build-sqlite-amalgamation and pass its folder as CHRONELL_SQLITE_SOURCE")
endif()
enable_language(C)
add_library(chronell_sqlite3 STATIC "${CHRONELL_SQLITE_SOURCE}/sqlite3.c")
target_include_directories(chronell_sqlite3 SYSTEM PUBLIC "${CHRONELL_SQLITE_SOURCE}")
# One thread uses a connection at a time; extensions are never loaded.
target_compile_definitions(chronell_sqlite3 PRIVATE SQLITE_THREADSAFE=2 SQLITE_OMIT_LOAD_EXTENSION SQLITE_DQS=0)
# SQLite's own code is not held to this project's warnings, nor given debug information (it
# halves the time it takes to compile).
target_compile_options(chronell_sqlite3 PRIVATE -w -g0)
add_library(SQLite::SQLite3 ALIAS chronell_sqlite3)
