# Builds the Windows installer from its WiX source with wixl:
#   cmake -DWIXL=... -DWXS=... -DVERSION=... -DOUTPUT=... -P build_msi.cmake
# wixl only warns (through GLib) of a WiX attribute it does not support, and
# leaves it out; with fatal warnings such an installer is not built at all.
foreach(var WIXL WXS VERSION OUTPUT)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "${var} not given")
    endif()
endforeach()
# The installer replaces every version below the next patch version.
if(NOT VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)")
    message(FATAL_ERROR "not a version: ${VERSION}")
endif()
math(EXPR next_patch "${CMAKE_MATCH_3} + 1")
set(next_version "${CMAKE_MATCH_1}.${CMAKE_MATCH_2}.${next_patch}")

# wixl looks for a relative source path in the current folder before the
# source's own: it runs in the latter, so a file of the same name beside the
# caller is never taken instead.
get_filename_component(source_dir ${WXS} DIRECTORY)
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env G_DEBUG=fatal-warnings
            ${WIXL} --arch x64 --define Version=${VERSION}
            --define NextVersion=${next_version} --output ${OUTPUT} ${WXS}
    WORKING_DIRECTORY ${source_dir}
    RESULT_VARIABLE result
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    file(REMOVE ${OUTPUT})
    message(FATAL_ERROR "wixl could not build ${OUTPUT} (${result}):\n${output}")
endif()
