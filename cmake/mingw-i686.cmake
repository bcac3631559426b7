# Cross-building the Win32 program on Linux with MinGW-w64 for 32-bit x86.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(COG_MINGW_PREFIX i686-w64-mingw32)
# The -posix compilers: the plain ones use the win32 thread model, which has
# no std::thread or std::mutex.
set(CMAKE_C_COMPILER ${COG_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${COG_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${COG_MINGW_PREFIX}-windres)

# Lets ctest and test discovery run Windows executables here.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

set(CMAKE_FIND_ROOT_PATH /usr/${COG_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The floating-point flags for 32-bit x86 are set in the top-level CMakeLists.txt,
# so that a MinGW build on Windows gets them too.

# Everything static: otherwise libwinpthread-1.dll and the GCC runtime DLLs
# must travel with the .exe (under Wine a missing DLL shows only as exit 53).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
