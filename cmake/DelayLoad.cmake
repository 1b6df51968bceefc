# Under Wine every DLL loaded before the entry point costs real start-up time (the common dialogs pull in
# the printing system too). The DLLs that nothing on the way to the first window calls are linked through
# delay-load import libraries: each loads on its first call. A function missing from the list fails to link.
# quillet_delay_load(<name>) makes the target delay_<name> from cmake/delayload/<name>.def.
function(quillet_delay_load name)
    set(def ${PROJECT_SOURCE_DIR}/cmake/delayload/${name}.def)
    set(lib ${CMAKE_BINARY_DIR}/delayload/lib${name}_delay.a)
    add_custom_command(OUTPUT ${lib}
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delayload
                       COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --output-delaylib ${lib}
                       DEPENDS ${def} VERBATIM)
    add_custom_target(delay_${name}_lib DEPENDS ${lib})
    add_library(delay_${name} STATIC IMPORTED GLOBAL)
    set_target_properties(delay_${name} PROPERTIES IMPORTED_LOCATION ${lib} INTERFACE_LINK_LIBRARIES delayimp)
    add_dependencies(delay_${name} delay_${name}_lib)
endfunction()

quillet_delay_load(comdlg32)
quillet_delay_load(ws2_32)
