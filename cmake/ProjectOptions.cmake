# Warnings and link options for the project's own targets (not for third-party code).
function(voltura_target_options target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
    target_compile_features(${target} PUBLIC cxx_std_17)
endfunction()

# Every program and library carries its runtime: the DLLs may need nothing but Windows itself.
add_link_options(-static -static-libgcc -static-libstdc++)
