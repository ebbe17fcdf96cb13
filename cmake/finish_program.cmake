# Makes Quorvel.exe as Windows users get it, in the zip and the installer,
# from the linked program: stripped, then signed when a certificate is given
# (cmake/authenticode.cmake), and dated SOURCE_DATE_EPOCH when that is set,
# since the installer's cabinet keeps each file's time.
#   cmake -DSTRIP=... -DINPUT=... -DOUTPUT=... [signing options] -P finish_program.cmake
include(${CMAKE_CURRENT_LIST_DIR}/authenticode.cmake)
foreach(var STRIP INPUT OUTPUT)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "${var} not given")
    endif()
endforeach()

execute_process(COMMAND "${STRIP}" -o "${OUTPUT}" "${INPUT}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    file(REMOVE "${OUTPUT}")
    message(FATAL_ERROR "${STRIP} failed on ${INPUT}")
endif()
quorvel_authenticode_sign("${OUTPUT}")
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND touch --no-create --date=@$ENV{SOURCE_DATE_EPOCH} "${OUTPUT}"
        RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "could not date ${OUTPUT}")
    endif()
endif()
