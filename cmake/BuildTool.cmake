# A tool the build itself runs, made from portable sources. When cross compiling the target's programs do
# not run here, so it is built with the build machine's own compiler; a native Windows build makes it an
# ordinary target. Sets <name>_COMMAND (what to run) and <name>_DEPENDS (what its users depend on).
function(quillet_build_tool name)
    cmake_parse_arguments(PARSE_ARGV 1 tool "" "" "SOURCES;HEADERS")
    if(CMAKE_CROSSCOMPILING)
        find_program(QUILLET_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
        set(exe ${CMAKE_CURRENT_BINARY_DIR}/${name})
        add_custom_command(OUTPUT ${exe}
            COMMAND ${QUILLET_HOST_CXX} -std=c++17 -O1 -I${PROJECT_SOURCE_DIR} ${tool_SOURCES} -o ${exe}
            DEPENDS ${tool_SOURCES} ${tool_HEADERS}
            COMMENT "Building ${name} for the build machine"
            VERBATIM)
        set(${name}_COMMAND ${exe} PARENT_SCOPE)
        set(${name}_DEPENDS ${exe} PARENT_SCOPE)
    else()
        add_executable(${name} ${tool_SOURCES})
        target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
        set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
        quillet_warnings(${name})
        set(${name}_COMMAND $<TARGET_FILE:${name}> PARENT_SCOPE)
        set(${name}_DEPENDS ${name} PARENT_SCOPE)
    endif()
endfunction()
