# Who the program says it is, wherever it says so: the application object,
# the Windows version record, the desktop entry, the metainfo and the package.
# The numbers come from project(VERSION) alone.
set(QUORVEL_PRODUCT_NAME "Quorvel")
set(QUORVEL_COMPANY_NAME "Marlowen")
set(QUORVEL_INTERNAL_NAME "Quorvel")
set(QUORVEL_ORIGINAL_FILENAME "Quorvel.exe")
# Reverse-DNS ids of the developer and of the desktop entry, metainfo and
# icons. The "example" top level is reserved, so they can never collide with
# someone else's.
set(QUORVEL_DEVELOPER_ID "example.marlowen")
set(QUORVEL_APP_ID "${QUORVEL_DEVELOPER_ID}.Quorvel")
# The program's licence (LICENSE), as an SPDX identifier.
set(QUORVEL_LICENSE "MIT")
# The web address the window's credit lines show, and the homepage under it.
set(QUORVEL_WEB_ADDRESS "https://www.quorvel.example")
set(QUORVEL_HOMEPAGE "${QUORVEL_WEB_ADDRESS}/")

# Ties every version of the Windows installer together, so that a newer one
# replaces an older in place. Never change it.
set(QUORVEL_MSI_UPGRADE_CODE "9E60C92B-6093-4949-A1FE-37AE6C7503EF")

# The version as the program's strings show it: major, a point and the minor
# number in two digits, so 1.0.0.0 reads "1.00".
if(Quorvel_VERSION_MINOR LESS 10)
    set(QUORVEL_VERSION_TEXT "${Quorvel_VERSION_MAJOR}.0${Quorvel_VERSION_MINOR}")
else()
    set(QUORVEL_VERSION_TEXT "${Quorvel_VERSION_MAJOR}.${Quorvel_VERSION_MINOR}")
endif()
# The fixed part of the Windows version record: all four numbers.
set(QUORVEL_VERSION_COMMAS
    "${Quorvel_VERSION_MAJOR},${Quorvel_VERSION_MINOR},${Quorvel_VERSION_PATCH},${Quorvel_VERSION_TWEAK}")
# When this version was released, for the metainfo's release list.
set(QUORVEL_RELEASE_DATE "2026-12-08")
string(SUBSTRING "${QUORVEL_RELEASE_DATE}" 0 4 QUORVEL_RELEASE_YEAR)
