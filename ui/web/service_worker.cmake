# Writes ${SITE}/sw.js from TEMPLATE: each of the page's FILES with its
# SHA-256, and a cache name made of VERSION and a hash of those files and of
# the script itself, so that any change to any of them gives a new service
# worker and a new cache (an install that fails deletes its cache, which
# must never be the one in use).
# Whole-line comments are for the template's readers, not every download.
file(READ ${TEMPLATE} template)
string(REGEX REPLACE "(^|\n) *//[^\n]*" "" template "${template}")
string(SHA256 hashes "${template}")
set(list "")
foreach(file IN LISTS FILES)
    file(SHA256 ${SITE}/${file} hash)
    string(APPEND hashes "\n${hash} ${file}")
    string(APPEND list "\n  \"${file}\": \"${hash}\",")
endforeach()
string(SHA256 build_hash "${hashes}")
string(SUBSTRING "${build_hash}" 0 12 build_hash)
set(QUORVEL_SITE_CACHE "quorvel-${VERSION}-${build_hash}")
set(QUORVEL_SITE_FILES "${list}\n")
file(CONFIGURE OUTPUT ${SITE}/sw.js CONTENT "${template}" @ONLY)
