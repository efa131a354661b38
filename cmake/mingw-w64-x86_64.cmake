# Cross-builds the Windows executable on Debian with the mingw-w64 compilers. The posix thread
# flavour is preferred because its C++ library has std::thread; the win32 flavour is the fallback.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUINTOZ_MINGW_PREFIX x86_64-w64-mingw32)

find_program(QUINTOZ_MINGW_CXX NAMES ${QUINTOZ_MINGW_PREFIX}-g++-posix ${QUINTOZ_MINGW_PREFIX}-g++-win32
                                     ${QUINTOZ_MINGW_PREFIX}-g++ REQUIRED)
find_program(QUINTOZ_MINGW_CC NAMES ${QUINTOZ_MINGW_PREFIX}-gcc-posix ${QUINTOZ_MINGW_PREFIX}-gcc-win32
                                    ${QUINTOZ_MINGW_PREFIX}-gcc REQUIRED)
find_program(QUINTOZ_MINGW_WINDRES NAMES ${QUINTOZ_MINGW_PREFIX}-windres REQUIRED)

set(CMAKE_CXX_COMPILER ${QUINTOZ_MINGW_CXX})
set(CMAKE_C_COMPILER ${QUINTOZ_MINGW_CC})
set(CMAKE_RC_COMPILER ${QUINTOZ_MINGW_WINDRES})

# Libraries and headers come from the cross sysroot only; programs run on the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${QUINTOZ_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
