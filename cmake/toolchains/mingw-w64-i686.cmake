# 32-bit Windows programs built on Debian with MinGW-w64 (g++-mingw-w64-i686-posix), as the
# first Windows release was: they run on 32-bit Windows and, through WoW64, on 64-bit Windows.
# Here they run under Wine's 32-bit half (wine32).
set(CMAKE_SYSTEM_PROCESSOR x86)
set(CORVANO_MINGW_TRIPLET i686-w64-mingw32)
set(CORVANO_DEPS_FOLDER windows-deps-i686)
set(CORVANO_WINE_NAMES wine wine-stable)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
