# Imported target TagLib::tag for the static TagLib that scripts/build-taglib-mingw.sh
# cross builds for i686 mingw. TagLib 1.13 installs no CMake package file, so we say here
# what a package file would. Set TAGLIB_MINGW_ROOT to the script's cache folder first.
if(TARGET TagLib::tag)
  return()
endif()
if(NOT TAGLIB_MINGW_ROOT)
  set(TAGLIB_MINGW_ROOT "${CMAKE_CURRENT_LIST_DIR}/../build/cache/taglib-mingw")
endif()
get_filename_component(TAGLIB_MINGW_ROOT "${TAGLIB_MINGW_ROOT}" ABSOLUTE)
if(NOT EXISTS "${TAGLIB_MINGW_ROOT}/.taglib-mingw-stamp")
  message(FATAL_ERROR "No finished TagLib build in ${TAGLIB_MINGW_ROOT}; "
                      "run scripts/build-taglib-mingw.sh ${TAGLIB_MINGW_ROOT}")
endif()

add_library(TagLib::tag STATIC IMPORTED)
set_target_properties(TagLib::tag PROPERTIES
  IMPORTED_LOCATION "${TAGLIB_MINGW_ROOT}/lib/libtag.a"
  # Sources write #include <tag.h>; some write <taglib/tag.h>: allow both.
  INTERFACE_INCLUDE_DIRECTORIES "${TAGLIB_MINGW_ROOT}/include/taglib;${TAGLIB_MINGW_ROOT}/include"
  # Without it the headers declare everything dllimport and linking a static lib fails.
  INTERFACE_COMPILE_DEFINITIONS TAGLIB_STATIC
  IMPORTED_LINK_INTERFACE_LANGUAGES CXX)

# TagLib was built with zlib; the script copies the static libz.a into the cache so the
# result needs no zlib1.dll at run time.
if(EXISTS "${TAGLIB_MINGW_ROOT}/lib/libz.a")
  add_library(TagLib::zlib STATIC IMPORTED)
  set_target_properties(TagLib::zlib PROPERTIES IMPORTED_LOCATION "${TAGLIB_MINGW_ROOT}/lib/libz.a")
  set_property(TARGET TagLib::tag PROPERTY INTERFACE_LINK_LIBRARIES TagLib::zlib)
endif()
