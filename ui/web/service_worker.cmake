# Writes ${SITE}/sw.js from TEMPLATE: each of the page's FILES with its
# SHA-256, and a cache name made of VERSION and a hash of those files and of
# the template, so that any change to any of them gives a new service worker
# and a new cache.
file(SHA256 ${TEMPLATE} hashes)
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
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
