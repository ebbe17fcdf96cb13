# The documentation the Debian package carries: the manual page quorvel(1),
# built from its scdoc source, and the changelog and machine-readable
# copyright file in /usr/share/doc/quorvel. Their version and dates come
# from project(VERSION) and QUORVEL_RELEASE_DATE alone.
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
    return()
endif()

find_program(QUORVEL_SCDOC scdoc)
find_program(QUORVEL_GZIP gzip)
if(NOT QUORVEL_SCDOC OR NOT QUORVEL_GZIP)
    message(FATAL_ERROR "The package's manual page and changelog are built with scdoc and gzip "
                        "(Debian packages scdoc and gzip); make deps installs them.")
endif()

# The release date as the changelog writes it ("Tue, 08 Dec 2026 00:00:00
# +0000"), and in seconds since 1970 for the date scdoc gives the manual page.
execute_process(COMMAND date --utc --date=${QUORVEL_RELEASE_DATE} --rfc-email
    OUTPUT_VARIABLE QUORVEL_CHANGELOG_DATE OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE date_failed)
execute_process(COMMAND date --utc --date=${QUORVEL_RELEASE_DATE} +%s
    OUTPUT_VARIABLE QUORVEL_RELEASE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE epoch_failed)
if(date_failed OR epoch_failed)
    message(FATAL_ERROR "QUORVEL_RELEASE_DATE is not a date: ${QUORVEL_RELEASE_DATE}")
endif()

# The licence text of LICENSE, from its first condition on, as a copyright
# file's paragraph has it: each line indented, a blank line as " .".
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
string(FIND "${licence}" "Permission is hereby granted" start)
string(SUBSTRING "${licence}" ${start} -1 licence)
string(STRIP "${licence}" licence)
string(REPLACE "\n\n" "\n.\n" licence "${licence}")
string(REPLACE "\n" "\n " licence "${licence}")
set(QUORVEL_LICENSE_TEXT " ${licence}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)

set(docs ${PROJECT_BINARY_DIR}/debian-docs)
configure_file(${PROJECT_SOURCE_DIR}/resources/quorvel.1.scd ${docs}/quorvel.1.scd @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/resources/debian/changelog.in ${docs}/changelog @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/resources/debian/copyright.in ${docs}/copyright @ONLY)

set(compress ${PROJECT_SOURCE_DIR}/cmake/compress_doc.cmake)
add_custom_command(OUTPUT ${docs}/quorvel.1 ${docs}/quorvel.1.gz
    COMMAND ${CMAKE_COMMAND} -DSCDOC=${QUORVEL_SCDOC} -DGZIP=${QUORVEL_GZIP}
            -DEPOCH=${QUORVEL_RELEASE_EPOCH} -DINPUT=${docs}/quorvel.1.scd
            -DOUTPUT=${docs}/quorvel.1 -P ${compress}
    DEPENDS ${docs}/quorvel.1.scd ${compress}
    COMMENT "Building the manual page quorvel(1)"
    VERBATIM)
add_custom_command(OUTPUT ${docs}/changelog.gz
    COMMAND ${CMAKE_COMMAND} -DGZIP=${QUORVEL_GZIP} -DOUTPUT=${docs}/changelog -P ${compress}
    DEPENDS ${docs}/changelog ${compress}
    VERBATIM)
add_custom_target(debian_docs ALL DEPENDS ${docs}/quorvel.1.gz ${docs}/changelog.gz)

install(FILES ${docs}/quorvel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${docs}/changelog.gz ${docs}/copyright
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorvel)
