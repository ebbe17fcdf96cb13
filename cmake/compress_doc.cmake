# Writes OUTPUT.gz as Debian installs documentation: gzip -9 with no name or
# time stamp in it. With SCDOC given, OUTPUT is first built from INPUT, a
# manual page in scdoc form, dated EPOCH (seconds since 1970), with
# hyphenation off.
#   cmake [-DSCDOC=... -DEPOCH=... -DINPUT=...] -DGZIP=... -DOUTPUT=... -P compress_doc.cmake

if(DEFINED SCDOC)
    set(ENV{SOURCE_DATE_EPOCH} "${EPOCH}")
    execute_process(COMMAND "${SCDOC}" INPUT_FILE "${INPUT}" OUTPUT_FILE "${OUTPUT}"
        RESULT_VARIABLE result ERROR_VARIABLE errors)
    if(NOT result EQUAL 0)
        file(REMOVE "${OUTPUT}")
        message(FATAL_ERROR "scdoc failed on ${INPUT}:\n${errors}")
    endif()
    # No word is broken at a line end, whatever the reader's terminal width:
    # the page names texts the window shows ("Run-time error", "a-Value") that
    # a reader compares letter by letter. scdoc's own no-hyphenation request
    # comes before .TH, which the man macros follow by setting hyphenation
    # again, so it is repeated after .TH, and HY = 0 keeps the macros that
    # set it from their register (SY, UR, ...) from bringing it back.
    file(READ "${OUTPUT}" page)
    string(REGEX REPLACE "(\n\\.TH [^\n]*\n)" "\\1.nr HY 0\n.nh\n" page "${page}")
    if(NOT page MATCHES "\n\\.TH [^\n]*\n\\.nr HY 0\n\\.nh\n")
        message(FATAL_ERROR "no .TH line in the manual page ${OUTPUT}")
    endif()
    file(WRITE "${OUTPUT}" "${page}")
endif()

execute_process(COMMAND "${GZIP}" -9 -n -c "${OUTPUT}" OUTPUT_FILE "${OUTPUT}.gz"
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    file(REMOVE "${OUTPUT}.gz")
    message(FATAL_ERROR "gzip failed on ${OUTPUT}")
endif()
