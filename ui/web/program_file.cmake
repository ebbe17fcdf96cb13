# Writes the page's quorvel.js: TEMPLATE with the bytes of WASM in base64,
# then emscripten's run-time RUNTIME, which takes them from Module.wasmBinary.
foreach(var RUNTIME WASM TEMPLATE OUTPUT)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "program_file.cmake needs -D${var}=...")
    endif()
endforeach()
# coreutils' base64; CMake has none of its own.
execute_process(COMMAND base64 -w 0 ${WASM}
    OUTPUT_VARIABLE QUORVEL_PROGRAM_BASE64 COMMAND_ERROR_IS_FATAL ANY)
file(READ ${TEMPLATE} bytes)
string(CONFIGURE "${bytes}" bytes @ONLY)
file(READ ${RUNTIME} runtime)
file(WRITE ${OUTPUT} "${bytes}${runtime}")
