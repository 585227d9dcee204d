# The part of the cross toolchain both architectures share; the caller sets KAVRI_ARCH.
set(CMAKE_SYSTEM_NAME Windows)

set(KAVRI_MINGW_TRIPLE ${KAVRI_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER   ${KAVRI_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KAVRI_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${KAVRI_MINGW_TRIPLE}-windres)

# The dependency cache holds what bootstrap built, one prefix per architecture; the mingw
# sysroot holds zlib.
if(NOT KAVRI_DEPS_PREFIX)
  if(DEFINED ENV{KAVRI_DEPS})
    set(KAVRI_DEPS_PREFIX "$ENV{KAVRI_DEPS}/${KAVRI_ARCH}")
  else()
    set(KAVRI_DEPS_PREFIX "$ENV{HOME}/.cache/kavri-deps/${KAVRI_ARCH}")
  endif()
endif()
set(KAVRI_DEPS_PREFIX "${KAVRI_DEPS_PREFIX}" CACHE PATH "Prefix of the cross-built dependencies")

set(CMAKE_FIND_ROOT_PATH /usr/${KAVRI_MINGW_TRIPLE} ${KAVRI_DEPS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
