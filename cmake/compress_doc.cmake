# Writes OUTPUT.gz as Debian installs documentation: gzip -9 with no name or
# time stamp in it. With SCDOC given, OUTPUT is first built from INPUT, a
# manual page in scdoc form, dated EPOCH (seconds since 1970).
#   cmake [-DSCDOC=... -DEPOCH=... -DINPUT=...] -DGZIP=... -DOUTPUT=... -P compress_doc.cmake

if(DEFINED SCDOC)
    set(ENV{SOURCE_DATE_EPOCH} "${EPOCH}")
    execute_process(COMMAND "${SCDOC}" INPUT_FILE "${INPUT}" OUTPUT_FILE "${OUTPUT}"
        RESULT_VARIABLE result ERROR_VARIABLE errors)
    if(NOT result EQUAL 0)
        file(REMOVE "${OUTPUT}")
        message(FATAL_ERROR "scdoc failed on ${INPUT}:\n${errors}")
    endif()
endif()

execute_process(COMMAND "${GZIP}" -9 -n -c "${OUTPUT}" OUTPUT_FILE "${OUTPUT}.gz"
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    file(REMOVE "${OUTPUT}.gz")
    message(FATAL_ERROR "gzip failed on ${OUTPUT}")
endif()
