# Builds the Debian package from an already built tree and unpacks it into a
# scratch root, as dpkg would install it, then checks what arrived.
#   cmake -DBUILD_DIR=... -DWORK_DIR=... -DAPP_ID=... -P package_test.cmake

foreach(var BUILD_DIR WORK_DIR APP_ID CPACK)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "${var} not given")
    endif()
endforeach()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}/out" "${WORK_DIR}/root")

execute_process(
    COMMAND "${CPACK}" -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${WORK_DIR}/out"
    RESULT_VARIABLE result
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cpack failed:\n${output}")
endif()

file(GLOB debs "${WORK_DIR}/out/*.deb")
list(LENGTH debs count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one package, found: ${debs}")
endif()

execute_process(COMMAND dpkg-deb -x "${debs}" "${WORK_DIR}/root" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "dpkg-deb -x failed on ${debs}")
endif()

set(failures "")

# Exactly these files: a stray install rule (a test library, a header)
# would land on the navigator's machine.
file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE "${WORK_DIR}/root" "${WORK_DIR}/root/*")
list(SORT found)
set(expected
    usr/bin/quorvel
    usr/share/applications/${APP_ID}.desktop
    usr/share/doc/quorvel/changelog.gz
    usr/share/doc/quorvel/copyright
    usr/share/icons/hicolor/16x16/apps/${APP_ID}.png
    usr/share/icons/hicolor/32x32/apps/${APP_ID}.png
    usr/share/icons/hicolor/48x48/apps/${APP_ID}.png
    usr/share/man/man1/quorvel.1.gz
    usr/share/metainfo/${APP_ID}.metainfo.xml)
list(SORT expected)
if(NOT found STREQUAL expected)
    string(APPEND failures "files:\n  found    ${found}\n  expected ${expected}\n")
endif()

execute_process(COMMAND test -x "${WORK_DIR}/root/usr/bin/quorvel" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    string(APPEND failures "usr/bin/quorvel is not executable\n")
endif()

# Names the control fields must carry. The Qt and C++ libraries come from
# shlibdeps, the font by name; the package is named quorvel.
execute_process(COMMAND dpkg-deb -f "${debs}" Package Version Depends
    OUTPUT_VARIABLE fields RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "dpkg-deb -f failed on ${debs}")
endif()
foreach(pattern
        "Package: quorvel\n"
        "Depends:.*fonts-liberation2"
        "Depends:.*libqt6widgets6 \\(>="
        "Depends:.*libqt6gui6 \\(>="
        "Depends:.*libqt6dbus6 \\(>="
        "Depends:.*libstdc\\+\\+6 \\(>="
        "Depends:.*libc6 \\(>=")
    if(NOT fields MATCHES "${pattern}")
        string(APPEND failures "control fields do not match '${pattern}':\n${fields}\n")
    endif()
endforeach()

# The changelog's latest entry is the version the package has.
string(REGEX REPLACE ".*Version: ([^\n]*).*" "\\1" version "${fields}")
execute_process(COMMAND zcat "${WORK_DIR}/root/usr/share/doc/quorvel/changelog.gz"
    OUTPUT_VARIABLE changelog)
string(FIND "${changelog}" "quorvel (${version}) " at)
if(NOT at EQUAL 0)
    string(APPEND failures "changelog does not start with version ${version}:\n${changelog}\n")
endif()

if(failures)
    message(FATAL_ERROR "${debs}:\n${failures}")
endif()
message(STATUS "${debs}: ${found}")
