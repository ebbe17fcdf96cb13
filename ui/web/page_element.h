#pragma once

#include <emscripten/val.h>

#include <string>

namespace quorvel {

// A new element of the page with its style sheet's class; text goes in
// through std::string, which embind decodes as UTF-8.
inline emscripten::val PageElement(const emscripten::val& document, const char* tag,
                                   const std::string& className) {
    emscripten::val element = document.call<emscripten::val>("createElement", emscripten::val(tag));
    element.set("className", emscripten::val(className));
    return element;
}

inline void SetAttribute(const emscripten::val& element, const char* name,
                         const std::string& value) {
    element.call<void>("setAttribute", emscripten::val(name), emscripten::val(value));
}

}  // namespace quorvel
