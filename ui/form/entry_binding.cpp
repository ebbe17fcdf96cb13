#include "entry_binding.h"

#include <algorithm>

namespace quorvel {
namespace {

constexpr bool IsKind(std::size_t control, ControlKind kind) {
    return kForm1Controls[control].kind == kind;
}

// The iterator algorithms: emscripten's libc++ has no std::ranges ones.
static_assert(std::all_of(kTextBindings.begin(), kTextBindings.end(),
                          [](const TextBinding& b) {
                              return IsKind(b.control, ControlKind::TextBox);
                          }),
              "only entry boxes fill text fields");
static_assert(std::all_of(kOptionBindings.begin(), kOptionBindings.end(),
                          [](const OptionBinding& b) {
                              return IsKind(b.control, ControlKind::OptionButton);
                          }),
              "only option buttons fill option states");

// The controls as the table describes them before anyone has typed.
class StartingControls final : public ControlReader {
public:
    std::string text(std::size_t control) const override { return kForm1Controls[control].text; }
    bool isSelected(std::size_t control) const override {
        return kForm1Controls[control].extra == Extra::Selected;
    }
};

}  // namespace

FixEntries ReadEntries(const ControlReader& controls) {
    FixEntries record;
    for (const TextBinding& binding : kTextBindings) {
        record.*binding.field = controls.text(binding.control);
    }
    for (const OptionBinding& binding : kOptionBindings) {
        record.*binding.field = OptionStateOf(controls.isSelected(binding.control));
    }
    return record;
}

FixEntries StartingEntries() {
    return ReadEntries(StartingControls{});
}

}  // namespace quorvel
