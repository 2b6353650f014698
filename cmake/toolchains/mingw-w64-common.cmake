# What the 64-bit and the 32-bit Windows toolchains share; each sets CMAKE_SYSTEM_PROCESSOR,
# CORVANO_MINGW_TRIPLET and CORVANO_DEPS_FOLDER (below build/) first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${CORVANO_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CORVANO_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${CORVANO_MINGW_TRIPLET}-windres)

# Libraries built for Windows (PCRE2, GoogleTest) are installed under this prefix.
set(CORVANO_WINDOWS_DEPS "${CMAKE_CURRENT_LIST_DIR}/../../build/${CORVANO_DEPS_FOLDER}" CACHE PATH
    "Prefix of the libraries built for Windows")
set(CMAKE_FIND_ROOT_PATH /usr/${CORVANO_MINGW_TRIPLET} ${CORVANO_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One executable with nothing to ship beside it: the C and C++ run-times and winpthread are
# linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# The libraries above are found through their pkg-config files, never the system's.
set(ENV{PKG_CONFIG_LIBDIR} "${CORVANO_WINDOWS_DEPS}/lib/pkgconfig")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

# Programs built here run under Wine: wine64 from Debian for the 64-bit ones, wine (which
# needs wine32) for the 32-bit ones.
find_program(CORVANO_WINE NAMES ${CORVANO_WINE_NAMES} PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(CORVANO_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CORVANO_WINE})
endif()
