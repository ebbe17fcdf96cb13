# The Windows installer, Quorvel-<version>-x64.msi, beside the zip in the
# build folder (target windows_installer, built with the rest, so that its
# tests have what they build their own installers from): a per-user
# install of Quorvel.exe, its licence and its third-party notices, with a Start-menu
# shortcut, built by wixl from resources/windows/quorvel.wxs.in.
find_program(QUORVEL_WIXL wixl)
if(NOT QUORVEL_WIXL)
    message(FATAL_ERROR "The Windows installer is built with wixl (Debian package wixl); "
                        "make deps installs it.")
endif()

include(${PROJECT_SOURCE_DIR}/resources/identity.cmake)
set(QUORVEL_NOTICES_FILE ${PROJECT_SOURCE_DIR}/resources/windows/THIRD-PARTY-NOTICES.txt
    CACHE INTERNAL "Third-party notices of the Windows program")
install(FILES ${QUORVEL_NOTICES_FILE} DESTINATION .)
# The program's own licence travels with every copy too, as the licence asks;
# named .txt so that Windows opens it.
set(QUORVEL_LICENCE_FILE ${PROJECT_SOURCE_DIR}/LICENSE)
install(FILES ${QUORVEL_LICENCE_FILE} DESTINATION . RENAME LICENSE.txt)

# The program as users get it, in the zip and the installer alike: stripped
# of its debugging information and, given a certificate, signed.
set(installer_dir ${PROJECT_BINARY_DIR}/installer)
set(QUORVEL_MSI_PROGRAM ${installer_dir}/${QUORVEL_ORIGINAL_FILENAME})
install(PROGRAMS ${QUORVEL_MSI_PROGRAM} DESTINATION .)
set(QUORVEL_MSI_SOURCE ${installer_dir}/quorvel.wxs CACHE INTERNAL "WiX source of the installer")
# wixl takes files by paths relative to the source (an absolute one trips a
# GLib assertion, which fatal warnings turn into a failed build).
file(RELATIVE_PATH QUORVEL_MSI_PROGRAM_PATH ${installer_dir} ${QUORVEL_MSI_PROGRAM})
file(RELATIVE_PATH QUORVEL_MSI_NOTICES_PATH ${installer_dir} ${QUORVEL_NOTICES_FILE})
file(RELATIVE_PATH QUORVEL_MSI_LICENCE_PATH ${installer_dir} ${QUORVEL_LICENCE_FILE})
file(RELATIVE_PATH QUORVEL_MSI_ICON_PATH ${installer_dir} ${QUORVEL_ICON_FILE})
configure_file(${PROJECT_SOURCE_DIR}/resources/windows/quorvel.wxs.in ${QUORVEL_MSI_SOURCE} @ONLY)
set(QUORVEL_MSI_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/build_msi.cmake
    CACHE INTERNAL "Builds an installer of any version from that source")

set(QUORVEL_MSI_FILE ${PROJECT_BINARY_DIR}/Quorvel-${PROJECT_VERSION}-x64.msi
    CACHE INTERNAL "The Windows installer")

# Authenticode signatures, given a code-signing certificate (make release
# passes these on from its environment).
set(QUORVEL_SIGN_PKCS12 "" CACHE FILEPATH "PKCS#12 file of the code-signing certificate")
set(QUORVEL_SIGN_PASSWORD_FILE "" CACHE FILEPATH "File holding the PKCS#12 file's password")
set(signing "")
set(certificate "")
if(QUORVEL_SIGN_PKCS12)
    find_program(QUORVEL_OSSLSIGNCODE osslsigncode REQUIRED)
    set(signing -DOSSLSIGNCODE=${QUORVEL_OSSLSIGNCODE} -DPKCS12=${QUORVEL_SIGN_PKCS12}
        -DPASSWORD_FILE=${QUORVEL_SIGN_PASSWORD_FILE} -DSIGNED_NAME=${QUORVEL_PRODUCT_NAME}
        -DSIGNED_URL=${QUORVEL_HOMEPAGE})
    file(SHA256 ${QUORVEL_SIGN_PKCS12} certificate)
endif()
# Rewritten only when the signing or the certificate changes, so that the
# program and the installer are signed again then (and only then).
set(signing_stamp ${installer_dir}/signing.txt)
file(CONFIGURE OUTPUT ${signing_stamp} CONTENT "${signing}\n${certificate}\n")

# A release names its commit, and its installer is then the same for the
# same commit (cmake/build_msi.cmake).
set(release "")
if(QUORVEL_SOURCE_COMMIT)
    find_program(QUORVEL_MSIBUILD msibuild REQUIRED)
    find_program(QUORVEL_MSIINFO msiinfo REQUIRED)
    find_program(QUORVEL_FAKETIME faketime REQUIRED)
    set(release -DCOMMIT=${QUORVEL_SOURCE_COMMIT} -DUPGRADE_CODE=${QUORVEL_MSI_UPGRADE_CODE}
        -DMSIBUILD=${QUORVEL_MSIBUILD} -DMSIINFO=${QUORVEL_MSIINFO} -DFAKETIME=${QUORVEL_FAKETIME})
endif()

set(finish ${CMAKE_CURRENT_LIST_DIR}/finish_program.cmake)
set(sign ${CMAKE_CURRENT_LIST_DIR}/authenticode.cmake)
add_custom_command(OUTPUT ${QUORVEL_MSI_PROGRAM}
    COMMAND ${CMAKE_COMMAND} -DSTRIP=${CMAKE_STRIP} -DINPUT=$<TARGET_FILE:quorvel>
            -DOUTPUT=${QUORVEL_MSI_PROGRAM} ${signing} -P ${finish}
    DEPENDS quorvel ${finish} ${sign} ${signing_stamp}
    VERBATIM)
add_custom_command(OUTPUT ${QUORVEL_MSI_FILE}
    COMMAND ${CMAKE_COMMAND} -DWIXL=${QUORVEL_WIXL} -DWXS=${QUORVEL_MSI_SOURCE}
            -DVERSION=${PROJECT_VERSION} -DOUTPUT=${QUORVEL_MSI_FILE} ${release} ${signing}
            -P ${QUORVEL_MSI_SCRIPT}
    DEPENDS ${QUORVEL_MSI_PROGRAM} ${QUORVEL_MSI_SOURCE} ${QUORVEL_MSI_SCRIPT} ${sign}
            ${signing_stamp} ${QUORVEL_NOTICES_FILE} ${QUORVEL_LICENCE_FILE} ${QUORVEL_ICON_FILE}
    COMMENT "Building the Windows installer Quorvel-${PROJECT_VERSION}-x64.msi"
    VERBATIM)
add_custom_target(windows_installer ALL DEPENDS ${QUORVEL_MSI_FILE})
