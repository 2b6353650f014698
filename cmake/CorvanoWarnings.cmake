# Every target of ours links this, so the whole tree is held to the same warnings. Only the C++
# compiler takes them: the Windows resource compiler knows none of them. They stop the build
# (CMAKE_COMPILE_WARNING_AS_ERROR) only in the presets made for developing and testing: a newer
# or older compiler's false warning must not stop a build made for installing.
add_library(corvano_warnings INTERFACE)
target_compile_options(corvano_warnings
    INTERFACE $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wpedantic>)
