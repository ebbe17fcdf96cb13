# Builds the web page on Debian: Debian's emscripten compiles to WebAssembly,
# and CTest runs the test programs under Node.

# Node 20 has fetch(), and the generated loader then tries to fetch the
# .wasm file from a file path; without fetch it reads the file.
find_program(QUORVEL_NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QUORVEL_NODE} --no-experimental-fetch)

include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# Emscripten's optimizer runs under Node at link time and needs Debian's
# JavaScript modules (acorn), which a Node from outside Debian does not see.
set(CMAKE_CXX_COMPILER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
