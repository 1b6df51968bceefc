# quillet_warnings(target): the project's warning level on one target (never on fetched code).
function(quillet_warnings target)
    # Win32 structures are zero-filled after their size field ({sizeof(s)}); that idiom is intended.
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-missing-field-initializers)
    if(QUILLET_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
