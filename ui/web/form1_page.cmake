# Writes ${SITE}/index.html and ${SITE}/quorvel.css with the window in them:
# its title, markup and geometry as WRITER (run under EMULATOR) prints them
# from the control table, so the page holds the window before any script.
# DESCRIPTION is the page's description for search engines; PROGRAM is
# quorvel.js, whose hash names it in the page, as the style sheet's does.
foreach(piece title markup geometry)
    execute_process(COMMAND ${EMULATOR} ${WRITER} ${piece}
        OUTPUT_VARIABLE ${piece} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
set(PROJECT_DESCRIPTION "${DESCRIPTION}")
string(STRIP "${title}" QUORVEL_WINDOW_TITLE)
set(QUORVEL_WINDOW "${markup}")
file(READ ${PAGE}/quorvel.css style)
file(WRITE ${SITE}/quorvel.css "${style}\n/* Where each control was drawn, from the control table. */\n${geometry}")
file(SHA256 ${SITE}/quorvel.css style_hash)
file(SHA256 ${PROGRAM} program_hash)
string(SUBSTRING ${style_hash} 0 12 QUORVEL_STYLE_HASH)
string(SUBSTRING ${program_hash} 0 12 QUORVEL_PROGRAM_HASH)
configure_file(${PAGE}/index.html.in ${SITE}/index.html @ONLY)
