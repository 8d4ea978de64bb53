# Imported target SQLite::SQLite3 in both builds: Debian's libsqlite3 natively, and for Windows the
# static SQLite that scripts/build-sqlite-mingw.sh cross builds into build/cache/sqlite-mingw (set
# SQLITE_MINGW_ROOT for another folder).
if(TARGET SQLite::SQLite3)
  return()
endif()
if(NOT WIN32)
  find_package(SQLite3 REQUIRED)
  return()
endif()

if(NOT SQLITE_MINGW_ROOT)
  set(SQLITE_MINGW_ROOT "${CMAKE_CURRENT_LIST_DIR}/../build/cache/sqlite-mingw")
endif()
get_filename_component(SQLITE_MINGW_ROOT "${SQLITE_MINGW_ROOT}" ABSOLUTE)
if(NOT EXISTS "${SQLITE_MINGW_ROOT}/.sqlite-mingw-stamp")
  message(FATAL_ERROR "No finished SQLite build in ${SQLITE_MINGW_ROOT}; "
                      "run scripts/build-sqlite-mingw.sh ${SQLITE_MINGW_ROOT}")
endif()
add_library(SQLite::SQLite3 STATIC IMPORTED GLOBAL)
set_target_properties(SQLite::SQLite3 PROPERTIES
  IMPORTED_LOCATION "${SQLITE_MINGW_ROOT}/lib/libsqlite3.a"
  INTERFACE_INCLUDE_DIRECTORIES "${SQLITE_MINGW_ROOT}/include"
  IMPORTED_LINK_INTERFACE_LANGUAGES C)
