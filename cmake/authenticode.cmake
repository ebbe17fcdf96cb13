# quorvel_authenticode_sign(<file>): signs a Windows program or installer in
# place with osslsigncode, when -P scripts are given a certificate:
#   -DOSSLSIGNCODE=... -DPKCS12=<PKCS#12 file> -DPASSWORD_FILE=<its password>
#   -DSIGNED_NAME=<what Windows shows as signed> -DSIGNED_URL=<its web page>
# The signing time is SOURCE_DATE_EPOCH when set, so that the same key gives
# the same signature. Without PKCS12 it does nothing.
function(quorvel_authenticode_sign file)
    if(NOT PKCS12)
        return()
    endif()
    set(time_args "")
    if(DEFINED ENV{SOURCE_DATE_EPOCH})
        set(time_args -time $ENV{SOURCE_DATE_EPOCH})
    endif()
    file(REMOVE "${file}.signed")
    execute_process(
        COMMAND "${OSSLSIGNCODE}" sign -pkcs12 "${PKCS12}" -readpass "${PASSWORD_FILE}"
                -h sha256 -n "${SIGNED_NAME}" -i "${SIGNED_URL}" ${time_args}
                -in "${file}" -out "${file}.signed"
        RESULT_VARIABLE result
        OUTPUT_VARIABLE output
        ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        file(REMOVE "${file}.signed")
        message(FATAL_ERROR "osslsigncode could not sign ${file}:\n${output}")
    endif()
    file(RENAME "${file}.signed" "${file}")
endfunction()
