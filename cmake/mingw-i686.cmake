# Cross build for 32-bit Windows with mingw-w64 (posix thread model): the shipped programs.
set(KAVRI_ARCH i686)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
