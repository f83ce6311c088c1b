# Warnings on, and errors, in the project's own code.
function(uninstall_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow -Wcast-qual -Wformat=2
        -Wmissing-declarations -Werror)
endfunction()
