# x86_64 build: keeps the code bitness-clean, and runs under Wine where the kernel cannot run 32-bit programs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VFE_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VFE_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VFE_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VFE_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VFE_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Windows refuses an x86_64 image whose manifest names X86.
set(VFE_MANIFEST_ARCH amd64)
