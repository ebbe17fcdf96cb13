# Runs lintian on the package debian_package_contents built, failing on any
# error or warning it reports; info tags are shown but pass.
#   cmake -DLINTIAN=... -DWORK_DIR=... -P lintian_test.cmake

if(NOT LINTIAN)
    message(FATAL_ERROR "lintian not found (Debian package lintian); make deps installs it")
endif()
file(GLOB debs "${WORK_DIR}/out/*.deb")
list(LENGTH debs count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one package in ${WORK_DIR}/out, found: ${debs}")
endif()

execute_process(
    COMMAND "${LINTIAN}" --fail-on error,warning --display-info "${debs}"
    RESULT_VARIABLE result
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
message("${output}")
if(NOT result EQUAL 0)
    message(FATAL_ERROR "lintian found errors or warnings in ${debs} (status ${result})")
endif()
