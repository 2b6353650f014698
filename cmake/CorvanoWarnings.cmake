# Every target of ours links this, so the whole tree is held to the same warnings. Only the C++
# compiler takes them: the Windows resource compiler knows none of them.
add_library(corvano_warnings INTERFACE)
target_compile_options(corvano_warnings
    INTERFACE $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wpedantic -Werror>)
