# Copies the shared gcc runtime beside the executables of the win32 build.
set(MINGW_RUNTIME_DLLS
    /usr/lib/gcc/i686-w64-mingw32/12-posix/libgcc_s_dw2-1.dll
    /usr/lib/gcc/i686-w64-mingw32/12-posix/libstdc++-6.dll
    /usr/i686-w64-mingw32/lib/libwinpthread-1.dll)
foreach(dll IN LISTS MINGW_RUNTIME_DLLS)
  if(NOT EXISTS ${dll})
    message(FATAL_ERROR "mingw runtime DLL missing: ${dll}")
  endif()
  file(COPY ${dll} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
endforeach()
