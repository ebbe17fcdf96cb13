# Writes ${SITE}/sw.js from TEMPLATE: the list FILES of the page's files, and
# a cache name made of VERSION and a hash of those files, so that any change
# to any of them gives a new service worker and a new cache.
set(list "\"./\"")
set(hashes "")
foreach(file IN LISTS FILES)
    file(SHA256 ${SITE}/${file} hash)
    string(APPEND hashes "${hash} ${file}\n")
    string(APPEND list ", \"${file}\"")
endforeach()
string(SHA256 build_hash "${hashes}")
string(SUBSTRING "${build_hash}" 0 12 build_hash)
set(QUORVEL_SITE_CACHE "quorvel-${VERSION}-${build_hash}")
set(QUORVEL_SITE_FILES "${list}")
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
