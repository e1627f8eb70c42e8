# Cross build of Tarvix.exe with Debian's mingw-w64 (x86-64, posix threading model).
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TARVIX_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TARVIX_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARVIX_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TARVIX_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TARVIX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes (and winpthread) go into every executable, so Tarvix.exe
# runs on a Windows with nothing else installed.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests and test discovery run the .exe files under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
