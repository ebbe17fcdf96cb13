# Spells the images of an icon file out as resource-script raw data.
# Sets, in the caller's scope, <prefix>_IMAGE_<n> (the image's bytes as
# little-endian words) and <prefix>_ENTRY_<n> (its icon-group fields up to
# the byte count) for n = 1, 2, ...

function(_quorvel_ico_word hex offset out)
    math(EXPR at "${offset} * 2")
    string(SUBSTRING "${hex}" ${at} 4 w)
    string(REGEX REPLACE "^(..)(..)$" "\\2\\1" w "${w}")
    math(EXPR value "0x${w}")
    set(${out} ${value} PARENT_SCOPE)
endfunction()

function(_quorvel_ico_dword hex offset out)
    math(EXPR high_at "${offset} + 2")
    _quorvel_ico_word("${hex}" ${offset} low)
    _quorvel_ico_word("${hex}" ${high_at} high)
    math(EXPR value "${high} * 65536 + ${low}")
    set(${out} ${value} PARENT_SCOPE)
endfunction()

function(quorvel_ico_to_rc ico prefix expected_count)
    file(READ "${ico}" hex HEX)
    _quorvel_ico_word("${hex}" 2 type)
    _quorvel_ico_word("${hex}" 4 count)
    if(NOT type EQUAL 1 OR NOT count EQUAL expected_count)
        message(FATAL_ERROR "${ico}: expected an icon file with ${expected_count} images")
    endif()
    foreach(n RANGE 1 ${count})
        math(EXPR entry "6 + (${n} - 1) * 16")
        math(EXPR at "${entry} * 2")
        # Width, height, colour count and reserved stay as the two words they are.
        _quorvel_ico_word("${hex}" ${entry} size_word)
        math(EXPR colours_at "${entry} + 2")
        _quorvel_ico_word("${hex}" ${colours_at} colours_word)
        math(EXPR planes_at "${entry} + 4")
        _quorvel_ico_word("${hex}" ${planes_at} planes)
        math(EXPR bits_at "${entry} + 6")
        _quorvel_ico_word("${hex}" ${bits_at} bits)
        math(EXPR bytes_at "${entry} + 8")
        _quorvel_ico_dword("${hex}" ${bytes_at} bytes)
        math(EXPR offset_at "${entry} + 12")
        _quorvel_ico_dword("${hex}" ${offset_at} offset)
        if(bytes LESS 2 OR NOT bytes MATCHES "[02468]$")
            message(FATAL_ERROR "${ico}: image ${n} has an odd byte count ${bytes}")
        endif()

        math(EXPR data_at "${offset} * 2")
        math(EXPR data_len "${bytes} * 2")
        string(SUBSTRING "${hex}" ${data_at} ${data_len} data)
        string(REGEX REPLACE "(..)(..)" "0x\\2\\1, " words "${data}")
        # Twelve words a line, and no comma after the last.
        string(REGEX REPLACE "((0x...., ){12})" "\\1\n    " words "${words}")
        string(REGEX REPLACE "[, \n]+$" "" words "${words}")
        set(${prefix}_IMAGE_${n} "    ${words}" PARENT_SCOPE)

        math(EXPR size_word "${size_word}" OUTPUT_FORMAT HEXADECIMAL)
        math(EXPR colours_word "${colours_word}" OUTPUT_FORMAT HEXADECIMAL)
        set(${prefix}_ENTRY_${n} "${size_word}, ${colours_word}, ${planes}, ${bits}, ${bytes}L"
            PARENT_SCOPE)
    endforeach()
endfunction()
