#include "form1.h"

#include <emscripten/bind.h>

#include <string>

#include "control_table.h"
#include "user_region.h"

namespace quorvel {
namespace {

using emscripten::val;

// The page's one window, which Command1's listener reaches.
Form1* theWindow = nullptr;

// Command1's click listener.
void OnCalculateFix(val) {
    if (theWindow != nullptr) {
        ClickCalculateFix(*theWindow);
    }
}

}  // namespace

EMSCRIPTEN_BINDINGS(quorvel_form1) {
    emscripten::function("quorvelCalculateFix", &OnCalculateFix);
}

Form1::Form1(val document) : report_(document) {
    for (const ControlRow& c : kForm1Controls) {
        elements_.push_back(document.call<val>("getElementById", val(c.name)));
    }
    theWindow = this;
    val command = elements_[ControlIndex("Command1")];
    command.call<void>("addEventListener", val("click"),
                       val::module_property("quorvelCalculateFix"));
    // The click works from now on; the markup said it would not yet.
    command.call<void>("removeAttribute", val("aria-disabled"));
}

Form1::~Form1() {
    theWindow = nullptr;
}

std::string Form1::text(std::size_t control) const {
    return elements_[control]["value"].as<std::string>();
}

bool Form1::isSelected(std::size_t control) const {
    return elements_[control]["checked"].as<bool>();
}

RegionalSettings Form1::regionalSettings() const {
    return UserRegionalSettings();
}

void Form1::setFixText(const std::string& fix) {
    val box = elements_[ControlIndex("FixLL")];
    box.set("value", val(fix));
    // In one column the fix box stands near the top, a screen away from the
    // button: brought into view, so a tap on a phone visibly gives its fix.
    // Where it is in view already, nothing moves.
    val where = val::object();
    where.set("block", val("nearest"));
    box.call<void>("scrollIntoView", where);
}

void Form1::showErrorReport(const RunTimeError& error) {
    report_.show(error);
}

}  // namespace quorvel
