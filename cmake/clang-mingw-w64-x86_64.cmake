# Cross-build for 64-bit Windows with clang over the MinGW-w64 headers and
# libraries, and GCC 12's win32-threading libstdc++ (no winpthread DLL to ship).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)

find_program(CMAKE_CXX_COMPILER NAMES clang++-14 clang++ REQUIRED)
find_program(CMAKE_C_COMPILER NAMES clang-14 clang REQUIRED)
set(CMAKE_CXX_COMPILER_TARGET ${TOOLCHAIN_PREFIX})
set(CMAKE_C_COMPILER_TARGET ${TOOLCHAIN_PREFIX})
# windres preprocesses with the MinGW gcc it is named after.
find_program(CMAKE_RC_COMPILER NAMES ${TOOLCHAIN_PREFIX}-windres REQUIRED)
find_program(CMAKE_AR NAMES ${TOOLCHAIN_PREFIX}-ar REQUIRED)
find_program(CMAKE_RANLIB NAMES ${TOOLCHAIN_PREFIX}-ranlib REQUIRED)

# The MinGW-w64 headers and import libraries. As sysroot it also keeps the
# host's /usr/include and /usr/lib off clang's search paths.
set(CMAKE_SYSROOT /usr/${TOOLCHAIN_PREFIX})

# clang 14 cannot read Debian's GCC folder names (12-win32, 12-posix) as
# versions and so finds no GCC at all: name the win32 libstdc++ explicitly.
set(PLUMBMARK_MINGW_GCC_DIR /usr/lib/gcc/${TOOLCHAIN_PREFIX}/12-win32
  CACHE PATH "MinGW-w64 GCC folder whose libstdc++ and libgcc clang uses")
if(NOT EXISTS ${PLUMBMARK_MINGW_GCC_DIR}/libstdc++.a)
  message(FATAL_ERROR "No libstdc++.a in ${PLUMBMARK_MINGW_GCC_DIR} (g++-mingw-w64-x86-64-win32)")
endif()
set(_cxx_headers ${PLUMBMARK_MINGW_GCC_DIR}/include/c++)
string(JOIN " " CMAKE_CXX_FLAGS_INIT
  "-stdlib++-isystem ${_cxx_headers}"
  "-stdlib++-isystem ${_cxx_headers}/${TOOLCHAIN_PREFIX}"
  "-stdlib++-isystem ${_cxx_headers}/backward")
# libstdc++.a, libgcc.a and libgcc_eh.a; lld links as the MinGW ld would.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-L${PLUMBMARK_MINGW_GCC_DIR} -fuse-ld=lld")

set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
