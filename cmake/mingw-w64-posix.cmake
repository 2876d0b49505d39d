# Cross-compiles for 64-bit Windows with the MinGW-w64 posix-thread compilers
# (the win32 thread model lacks std::mutex, which GoogleTest needs).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TONALYX_TRIPLE x86_64-w64-mingw32)

set(CMAKE_C_COMPILER   ${TONALYX_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TONALYX_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${TONALYX_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TONALYX_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Everything static: the executables need no DLL beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# CTest runs the .exe test programs under Wine, through a script that keeps
# the processes Wine starts for them off CTest's output pipes.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-test)
