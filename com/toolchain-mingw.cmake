# Cross-compiling the automation server with Debian's mingw-w64 (posix thread
# model). RXTHEME_MINGW_ARCH chooses the target: x86_64 (default) or i686.
set(CMAKE_SYSTEM_NAME Windows)
if(NOT RXTHEME_MINGW_ARCH)
  set(RXTHEME_MINGW_ARCH x86_64)
endif()
set(CMAKE_SYSTEM_PROCESSOR ${RXTHEME_MINGW_ARCH})
set(_triple ${RXTHEME_MINGW_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${_triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Passed on to try_compile projects.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES RXTHEME_MINGW_ARCH)
