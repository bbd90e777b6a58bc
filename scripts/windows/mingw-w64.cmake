# Cross-building for 64-bit Windows with Debian's MinGW-w64 against the
# static Qt that toolchain.sh puts in /opt/qt5-mingw64-static.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(SORTIVANE_WINDOWS_QT /opt/qt5-mingw64-static CACHE PATH "The static Qt for Windows")
set(CMAKE_PREFIX_PATH ${SORTIVANE_WINDOWS_QT})
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${SORTIVANE_WINDOWS_QT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# One .exe each, with the C++ runtime and winpthreads inside: nothing to
# install beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
