#pragma once

#include <string>

namespace quorvel {

// Text from the page, through one of its functions that writes the text as
// UTF-8 with a terminating zero into at most `capacity` bytes and returns
// the whole text's length in bytes, whatever fitted: asked again with room
// enough when the first buffer was too small.
template <typename Write>
std::string PageString(Write write) {
    std::string text(64, '\0');
    auto length =
        static_cast<std::string::size_type>(write(text.data(), static_cast<int>(text.size())));
    if (length >= text.size()) {
        text.assign(length + 1, '\0');
        write(text.data(), static_cast<int>(text.size()));
    }
    text.resize(length);
    return text;
}

}  // namespace quorvel
