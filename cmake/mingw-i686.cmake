# Cross build for 32-bit Windows with mingw-w64 (posix thread model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(KAVRI_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER   ${KAVRI_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KAVRI_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${KAVRI_MINGW_TRIPLE}-windres)

# The dependency cache holds what bootstrap built; the mingw sysroot holds zlib.
if(NOT KAVRI_DEPS_PREFIX)
  if(DEFINED ENV{KAVRI_DEPS_PREFIX})
    set(KAVRI_DEPS_PREFIX "$ENV{KAVRI_DEPS_PREFIX}")
  else()
    set(KAVRI_DEPS_PREFIX "$ENV{HOME}/.cache/kavri-deps/i686")
  endif()
endif()
set(KAVRI_DEPS_PREFIX "${KAVRI_DEPS_PREFIX}" CACHE PATH "Prefix of the cross-built dependencies")

set(CMAKE_FIND_ROOT_PATH /usr/${KAVRI_MINGW_TRIPLE} ${KAVRI_DEPS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
