# 64-bit Windows programs built on Debian with MinGW-w64 (g++-mingw-w64-x86-64-posix: the
# posix thread model gives std::thread and std::mutex) and run here under Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CORVANO_MINGW_TRIPLET x86_64-w64-mingw32)
set(CORVANO_DEPS_FOLDER windows-deps)
set(CORVANO_WINE_NAMES wine64 wine wine-stable)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
