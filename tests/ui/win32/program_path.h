#pragma once

#include <string>

#include "wide_text.h"

namespace quorvel::testing {

// The program's path as the build hands it over ("/work/..."), as Windows
// names it: Wine shows the build's file system as drive Z:.
inline std::wstring ProgramPath(std::string path) {
    if (!path.empty() && path.front() == '/') {
        path = "Z:" + path;
    }
    for (char& c : path) {
        c = c == '/' ? '\\' : c;
    }
    return Widen(path);
}

}  // namespace quorvel::testing
