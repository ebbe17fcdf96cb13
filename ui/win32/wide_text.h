#pragma once

#include <string>
#include <string_view>

namespace quorvel {

// The window's texts are UTF-16; the record and the core's texts are UTF-8.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace quorvel
