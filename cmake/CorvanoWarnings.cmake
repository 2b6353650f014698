# Every target of ours links this, so the whole tree is held to the same warnings.
add_library(corvano_warnings INTERFACE)
target_compile_options(corvano_warnings INTERFACE -Wall -Wextra -Wpedantic -Werror)
