# Builds the Windows installer from its WiX source with wixl:
#   cmake -DWIXL=... -DWXS=... -DVERSION=... -DOUTPUT=...
#         [-DCOMMIT=... -DUPGRADE_CODE=... -DMSIBUILD=... -DMSIINFO=... -DFAKETIME=...]
#         [signing options of cmake/authenticode.cmake] -P build_msi.cmake
# wixl only warns (through GLib) of a WiX attribute it does not support, and
# leaves it out; with fatal warnings such an installer is not built at all.
#
# Given COMMIT, the same commit gives the same installer: wixl draws the
# product and package codes at random, and so they come instead from the
# version and the commit (name-based UUIDs under the upgrade code); it takes
# the summary's times from the clock, and so it runs on a clock stopped at
# SOURCE_DATE_EPOCH; and its cabinet keeps each file's time, and so it packs
# copies dated then. Without COMMIT each build is another product.
include(${CMAKE_CURRENT_LIST_DIR}/authenticode.cmake)
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

set(product_code "*")
set(clock "")
if(COMMIT)
    foreach(var UPGRADE_CODE MSIBUILD MSIINFO FAKETIME)
        if(NOT ${var})
            message(FATAL_ERROR "${var} not given, which COMMIT needs")
        endif()
    endforeach()
    if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
        message(FATAL_ERROR "COMMIT needs SOURCE_DATE_EPOCH in the environment")
    endif()
    foreach(code product package)
        string(UUID ${code}_code NAMESPACE ${UPGRADE_CODE} NAME "${code} ${VERSION} ${COMMIT}"
            TYPE SHA1 UPPER)
    endforeach()
    # faketime reads a date without "@" as a stopped clock, in local time.
    string(TIMESTAMP stopped "%Y-%m-%d %H:%M:%S" UTC)
    set(clock ${CMAKE_COMMAND} -E env TZ=UTC0 ${FAKETIME} -f "${stopped}")
endif()

# wixl looks for a relative source path in the current folder before the
# source's own: it runs in the latter, so a file of the same name beside the
# caller is never taken instead.
get_filename_component(source_dir ${WXS} DIRECTORY)
if(COMMIT)
    # The source and every file it packs, side by side in a folder of their
    # own; copies, since the originals' times are what make goes by.
    get_filename_component(output_name ${OUTPUT} NAME)
    set(dated ${source_dir}/dated-${output_name})
    file(REMOVE_RECURSE ${dated})
    file(MAKE_DIRECTORY ${dated})
    file(READ ${WXS} wxs)
    string(REGEX MATCHALL "Source(File)?=\"[^\"]+\"" sources "${wxs}")
    list(REMOVE_DUPLICATES sources)
    foreach(source IN LISTS sources)
        string(REGEX MATCH "\"([^\"]+)\"" path "${source}")
        set(path "${CMAKE_MATCH_1}")
        get_filename_component(name ${path} NAME)
        if(EXISTS ${dated}/${name})
            message(FATAL_ERROR "two files named ${name} in ${WXS}")
        endif()
        file(COPY_FILE ${source_dir}/${path} ${dated}/${name})
        execute_process(COMMAND touch --date=@$ENV{SOURCE_DATE_EPOCH} ${dated}/${name}
            RESULT_VARIABLE result)
        if(NOT result EQUAL 0)
            message(FATAL_ERROR "could not date ${dated}/${name}")
        endif()
        string(REGEX REPLACE "\"[^\"]+\"$" "\"${name}\"" renamed "${source}")
        string(REPLACE "${source}" "${renamed}" wxs "${wxs}")
    endforeach()
    get_filename_component(wxs_name ${WXS} NAME)
    set(WXS ${dated}/${wxs_name})
    file(WRITE ${WXS} "${wxs}")
    set(source_dir ${dated})
endif()
execute_process(
    COMMAND ${clock} ${CMAKE_COMMAND} -E env G_DEBUG=fatal-warnings
            ${WIXL} --arch x64 --define Version=${VERSION}
            --define NextVersion=${next_version} --define ProductCode=${product_code}
            --output ${OUTPUT} ${WXS}
    WORKING_DIRECTORY ${source_dir}
    RESULT_VARIABLE result
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    file(REMOVE ${OUTPUT})
    message(FATAL_ERROR "wixl could not build ${OUTPUT} (${result}):\n${output}")
endif()

# wixl has no way to be given the package code; msibuild sets it, with the
# summary's other fields as wixl wrote them.
if(COMMIT)
    execute_process(COMMAND ${MSIINFO} suminfo ${OUTPUT} OUTPUT_VARIABLE summary
        RESULT_VARIABLE result)
    foreach(field Subject Author Template)
        if(NOT result EQUAL 0 OR NOT summary MATCHES "(^|\n)${field}: ([^\n]*)")
            file(REMOVE ${OUTPUT})
            message(FATAL_ERROR "no ${field} in the summary of ${OUTPUT}:\n${summary}")
        endif()
        set(${field} "${CMAKE_MATCH_2}")
    endforeach()
    execute_process(
        COMMAND ${MSIBUILD} ${OUTPUT} -s "${Subject}" "${Author}" "${Template}" "{${package_code}}"
        RESULT_VARIABLE result
        OUTPUT_VARIABLE output
        ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        file(REMOVE ${OUTPUT})
        message(FATAL_ERROR "msibuild could not set the package code of ${OUTPUT}:\n${output}")
    endif()
endif()

quorvel_authenticode_sign(${OUTPUT})
