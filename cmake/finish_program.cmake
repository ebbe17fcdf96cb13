# Makes Quorvel.exe as Windows users get it, in the zip and the installer,
# from the linked program: stripped, then signed when a certificate is given
# (cmake/authenticode.cmake).
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
