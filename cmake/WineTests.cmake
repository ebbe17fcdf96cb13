# Windows tests under Wine. CTest runs each .exe through the emulator, wine
# itself, in the Wine session tools/wine-session holds around the whole run:
#
#   tools/wine-session build/windows/wine ctest --preset windows
#
# (make windows does so). The session is a private Xvfb display and a private
# Wine prefix in the build folder with its wineserver, all ended when ctest
# ends, however it ends.

# The session folder: the prefix, the keeper, the generated locales.
set(QUORVEL_WINE_DIR ${PROJECT_BINARY_DIR}/wine)
# The locales a test may run in (tests/windows generates them). Wine sets a
# program's Windows user locale from its LC_ALL.
set(QUORVEL_WINE_LOCALES en_US.UTF-8 de_DE.UTF-8)

# A run outside the session stops at once, with a message saying how to run.
set(session_check ${CMAKE_CURRENT_BINARY_DIR}/wine_session_check.cmake)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine_session_check.cmake.in ${session_check} @ONLY)
set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${session_check})

# quorvel_windows_test(NAME <name> COMMAND <target> [<arg>...]
#                      [LOCALE <locale>] [ENV <var>=<value>...]
#                      [TIMEOUT <seconds>])
#
# Adds a CTest test that runs the executable target <target> under Wine with
# the user locale <locale> (one of QUORVEL_WINE_LOCALES; en_US.UTF-8 if not
# given) and the extra environment variables in ENV. The program sees, besides
# those, LC_ALL and the session's DISPLAY, WINEPREFIX and LOCPATH. A hanging
# program is ended after TIMEOUT seconds (120 if not given).
#
# The Windows tests run one at a time (RESOURCE_LOCK wine_session), also
# under ctest -j: the prefix has one set of regional settings in its
# registry, which every Wine program rewrites for its own LC_ALL as it
# starts, so a test in en_US running beside one in de_DE reads a decimal
# comma; and the session has one desktop with one keyboard focus.
function(quorvel_windows_test)
    cmake_parse_arguments(PARSE_ARGV 0 arg "" "NAME;LOCALE;TIMEOUT" "COMMAND;ENV")
    if(arg_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "quorvel_windows_test: unknown arguments ${arg_UNPARSED_ARGUMENTS}")
    endif()
    if(NOT arg_NAME OR NOT arg_COMMAND)
        message(FATAL_ERROR "quorvel_windows_test: NAME and COMMAND are required")
    endif()
    list(GET arg_COMMAND 0 program)
    # Only a target's command line goes through CMAKE_CROSSCOMPILING_EMULATOR.
    if(NOT TARGET ${program})
        message(FATAL_ERROR "quorvel_windows_test(${arg_NAME}): COMMAND must start with "
                            "an executable target, not '${program}'")
    endif()
    if(NOT arg_LOCALE)
        set(arg_LOCALE en_US.UTF-8)
    endif()
    if(NOT arg_LOCALE IN_LIST QUORVEL_WINE_LOCALES)
        message(FATAL_ERROR "quorvel_windows_test(${arg_NAME}): locale ${arg_LOCALE} is not "
                            "one of QUORVEL_WINE_LOCALES (${QUORVEL_WINE_LOCALES})")
    endif()
    if(NOT arg_TIMEOUT)
        set(arg_TIMEOUT 120)
    endif()

    set(environment LC_ALL=${arg_LOCALE} ${arg_ENV})
    add_test(NAME ${arg_NAME} COMMAND ${arg_COMMAND})
    set_tests_properties(${arg_NAME} PROPERTIES
        RESOURCE_LOCK wine_session
        ENVIRONMENT "${environment}"
        # Only a hang ends here; the limit turns it into a report.
        TIMEOUT ${arg_TIMEOUT})
endfunction()
