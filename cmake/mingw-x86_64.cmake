# Cross build for 64-bit Windows with mingw-w64 (posix thread model): the same sources, tested
# where the machine runs no 32-bit code.
set(KAVRI_ARCH x86_64)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
