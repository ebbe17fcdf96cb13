#!/bin/sh
# Runs the link command after the map's path, with what wasm-ld prints (the
# map --print-map asks for) kept in that file.
map=$1
shift
exec "$@" >"$map"
