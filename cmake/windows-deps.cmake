# What the Windows build takes from Debian instead of from the system: SQLite compiled from
# Debian's own source package (fetched by tools/fetch-sqlite.sh), GoogleTest from its
# Debian sources. Everything is linked statically: no DLL beside the program.
set(WORDMILL_SQLITE_DIR "${CMAKE_BINARY_DIR}/sqlite")
if(NOT EXISTS "${WORDMILL_SQLITE_DIR}/sqlite3.c")
    execute_process(COMMAND "${CMAKE_SOURCE_DIR}/tools/fetch-sqlite.sh" "${WORDMILL_SQLITE_DIR}"
                    RESULT_VARIABLE fetched)
    if(NOT fetched EQUAL 0)
        message(FATAL_ERROR "SQLite's source could not be fetched (tools/fetch-sqlite.sh)")
    endif()
endif()
add_library(sqlite3 STATIC "${WORDMILL_SQLITE_DIR}/sqlite3.c")
target_include_directories(sqlite3 SYSTEM PUBLIC "${WORDMILL_SQLITE_DIR}")
target_compile_definitions(sqlite3 PRIVATE SQLITE_THREADSAFE=1 SQLITE_OMIT_LOAD_EXTENSION)
add_library(SQLite::SQLite3 ALIAS sqlite3)

add_link_options(-static)
# The program's own texts are UTF-8, and so is every narrow string it hands the system.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)

if(WORDMILL_BUILD_TESTS)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
endif()
