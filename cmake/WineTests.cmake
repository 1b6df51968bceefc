# Windows tests run under Wine. One CTest fixture brings up the build's prefix, a virtual X server and a
# persistent wineserver before the first of them, and takes all of it down after the last, pass or fail.
set(QUILLET_SCRIPTS ${CMAKE_SOURCE_DIR}/scripts)

add_test(NAME wine_session_start COMMAND ${QUILLET_SCRIPTS}/wine-session.sh start ${CMAKE_BINARY_DIR})
add_test(NAME wine_session_stop COMMAND ${QUILLET_SCRIPTS}/wine-session.sh stop ${CMAKE_BINARY_DIR})
set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine LABELS "win;e2e")
set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine LABELS "win;e2e")

# quillet_wine_test(TARGET LABEL [ARGS...]): one CTest test running a gtest executable under Wine.
function(quillet_wine_test target label)
    quillet_wine_command_test(${target} ${label} ${target} --gtest_color=no ${ARGN})
endfunction()

# quillet_wine_command_test(NAME LABEL COMMAND...): one CTest test of any command that needs the session.
function(quillet_wine_command_test name label)
    add_test(NAME ${name} COMMAND ${ARGN})
    set_tests_properties(${name} PROPERTIES
        FIXTURES_REQUIRED wine
        LABELS ${label}
        TIMEOUT 600
        # One desktop, one keyboard focus: Windows tests never run side by side.
        RESOURCE_LOCK desktop
        ENVIRONMENT "QUILLET_BUILD=${CMAKE_BINARY_DIR}")
endfunction()

# A crash ends the process at once (the prefix names no debugger that could start), so the test fails
# within seconds; a hang here would mean every crashing test waits for its timeout.
add_executable(crashing_program ${CMAKE_SOURCE_DIR}/testkit/probe/CrashingProgram.cpp)
target_link_options(crashing_program PRIVATE -mconsole -static -static-libgcc -static-libstdc++)
add_test(NAME wine_crash_ends_at_once COMMAND crashing_program)
set_tests_properties(wine_crash_ends_at_once PROPERTIES
    FIXTURES_REQUIRED wine
    LABELS win
    WILL_FAIL TRUE
    TIMEOUT 60
    ENVIRONMENT "QUILLET_BUILD=${CMAKE_BINARY_DIR}")
