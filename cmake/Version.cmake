# The one version number is the project's (CMakeLists.txt). It reaches the about box through a generated
# header, and each binary's version resource and manifest through a resource script made from one template.
set(QUILLET_GENERATED ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/cmake/QuilletVersion.h.in ${QUILLET_GENERATED}/QuilletVersion.h @ONLY)
add_library(quillet_version INTERFACE)
target_include_directories(quillet_version INTERFACE ${QUILLET_GENERATED})

# quillet_version_resources(TARGET FILE_TYPE DESCRIPTION MANIFEST_ID MANIFEST_TEMPLATE): adds the version
# resource and the manifest (resource MANIFEST_ID, made from MANIFEST_TEMPLATE) to TARGET.
function(quillet_version_resources target file_type description manifest_id manifest_template)
    get_target_property(output_name ${target} OUTPUT_NAME)
    if(NOT output_name)
        set(output_name ${target})
    endif()
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "SHARED_LIBRARY")
        set(QUILLET_FILE_NAME ${output_name}.dll)
    else()
        set(QUILLET_FILE_NAME ${output_name}.exe)
    endif()
    set(QUILLET_FILE_TYPE ${file_type})
    set(QUILLET_DESCRIPTION ${description})
    set(QUILLET_INTERNAL_NAME ${output_name})
    set(QUILLET_MANIFEST_ID ${manifest_id})
    set(QUILLET_MANIFEST ${QUILLET_GENERATED}/${output_name}.manifest)
    configure_file(${manifest_template} ${QUILLET_MANIFEST} @ONLY)
    configure_file(${CMAKE_SOURCE_DIR}/cmake/VersionInfo.rc.in ${QUILLET_GENERATED}/${output_name}Version.rc @ONLY)
    target_sources(${target} PRIVATE ${QUILLET_GENERATED}/${output_name}Version.rc)
    set_source_files_properties(${QUILLET_GENERATED}/${output_name}Version.rc PROPERTIES OBJECT_DEPENDS
                                ${QUILLET_MANIFEST})
endfunction()
