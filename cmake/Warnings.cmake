# Warnings are errors in our own code; third-party targets (GoogleTest) do not get these flags.
function(datrelle_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                           -Wold-style-cast -Werror)
endfunction()
