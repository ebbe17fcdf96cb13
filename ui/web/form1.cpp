#include "form1.h"

#include <emscripten/bind.h>

#include <algorithm>
#include <limits>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "control_table.h"
#include "entry_binding.h"
#include "page_element.h"
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

// Text for the page from the table's UTF-8: through std::string, which
// embind decodes as UTF-8 (a plain char pointer it would take as Latin-1).
val Text(const char* utf8) {
    return val(std::string(utf8));
}

// Geometry goes into custom properties, not into left or top: the style
// sheet places by them in the designed layout and ignores them in the
// narrow one. (Set through the CSS object model, which the page's content
// security policy allows, unlike style attributes.)
void SetProperty(val& element, const char* name, int value) {
    element["style"].call<void>("setProperty", val(name), val(std::to_string(value)));
}

void Place(val& element, const ControlRow& row) {
    SetProperty(element, "--left", Pixels(row.left));
    SetProperty(element, "--top", Pixels(row.top));
    SetProperty(element, "--width", Pixels(row.width));
    SetProperty(element, "--height", Pixels(row.height));
}

// Where a row stands in the document: at its TabIndex, or a frame at the
// lowest one of its controls, so that the document's order is the tab order
// and each frame can hold its controls.
int DocumentOrder(std::size_t row) {
    const ControlKind kind = kForm1Controls[row].kind;
    if (kind != ControlKind::Frame && kind != ControlKind::BorderedFrame) {
        return kForm1Controls[row].tabIndex;
    }
    int order = std::numeric_limits<int>::max();
    for (std::size_t i = row + 1; i < kForm1Controls.size(); ++i) {
        if (ContainerRow(i) == row) {
            order = std::min(order, kForm1Controls[i].tabIndex);
        }
    }
    return order;
}

// A pair's name is what its two buttons' names share: "Sight 1 latitude"
// from "Sight 1 latitude north" and "Sight 1 latitude south".
std::string PairName(std::size_t frame) {
    std::optional<std::string_view> shared;
    for (std::size_t i = frame + 1; i < kForm1Controls.size(); ++i) {
        const ControlRow& c = kForm1Controls[i];
        if (ContainerRow(i) != frame || c.kind != ControlKind::OptionButton ||
            c.accessibleName == nullptr) {
            continue;
        }
        const std::string_view name = c.accessibleName;
        if (!shared) {
            shared = name;
            continue;
        }
        const auto [end, _] =
            std::mismatch(shared->begin(), shared->end(), name.begin(), name.end());
        shared = shared->substr(0, static_cast<std::size_t>(end - shared->begin()));
    }
    if (!shared) {
        return {};
    }
    // Whole words only.
    const std::size_t space = shared->find_last_of(' ');
    return std::string(shared->substr(0, space == std::string_view::npos ? 0 : space));
}

// The labels over and beside the grid of entries name the columns and the
// two sights where they stand; in the one-column arrangement each entry shows
// its own heading and they give way. The notes and credit lines below the
// grid stay, left column first.
constexpr int kEntryGridBottom = [] {
    int bottom = 0;
    for (const TextBinding& binding : kTextBindings) {
        const ControlRow& c = kForm1Controls[binding.control];
        if (c.container == nullptr) {
            bottom = std::max(bottom, c.top + c.height);
        }
    }
    return bottom;
}();

bool NamesEntries(const ControlRow& label) {
    return label.top < kEntryGridBottom;
}

int NoteOrder(const ControlRow& label) {
    const int column = label.left < kClientWidthTwips / 2 ? 0 : 1;
    return 1 + column * kClientHeightTwips + label.top;
}

const char* WeightClass(const ControlRow& row) {
    return row.weight == Weight::Bold ? " bold" : " normal";
}

}  // namespace

EMSCRIPTEN_BINDINGS(quorvel_form1) {
    emscripten::function("quorvelCalculateFix", &OnCalculateFix);
}

Form1::Form1(val document) : report_(document) {
    document.set("title", Text(kCaption));
    val window = PageElement(document, "main", "form1");
    SetProperty(window, "--client-width", Pixels(kClientWidthTwips));
    SetProperty(window, "--client-height", Pixels(kClientHeightTwips));
    val caption = PageElement(document, "h1", "caption");
    caption.set("textContent", Text(kCaption));
    val client = PageElement(document, "div", "client");
    buildControls(document, client);
    window.call<void>("append", caption, client);
    document["body"].call<void>("prepend", window);

    theWindow = this;
    elements_[ControlIndex("Command1")].call<void>("addEventListener", val("click"),
                                                   val::module_property("quorvelCalculateFix"));
    elements_[ControlIndex("Time1")].call<void>("focus");
}

Form1::~Form1() {
    theWindow = nullptr;
}

void Form1::buildControls(const val& document, const val& client) {
    elements_.assign(kForm1Controls.size(), val::undefined());
    std::vector<val> pairs(kForm1Controls.size(), val::undefined());
    std::vector<std::size_t> rows(kForm1Controls.size());
    std::iota(rows.begin(), rows.end(), std::size_t{0});
    std::stable_sort(rows.begin(), rows.end(), [](std::size_t a, std::size_t b) {
        return DocumentOrder(a) < DocumentOrder(b);
    });

    for (const std::size_t row : rows) {
        const ControlRow& c = kForm1Controls[row];
        const auto frame = ContainerRow(row);
        val element = val::undefined();
        val placed = val::undefined();
        switch (c.kind) {
            case ControlKind::Label:
                element = PageElement(document, "span",
                                      std::string("control label") + WeightClass(c) +
                                          (NamesEntries(c) ? " grid-heading" : " note"));
                element.set("textContent", Text(c.text));
                if (!NamesEntries(c)) {
                    SetProperty(element, "--order", NoteOrder(c));
                }
                break;
            case ControlKind::TextBox: {
                element = PageElement(document, "input",
                                      std::string("control textbox") + WeightClass(c) +
                                          (c.extra == Extra::Output ? " output" : ""));
                element.set("type", val("text"));
                element.set("value", Text(c.text));
                element.set("readOnly", val(c.extra == Extra::Output));
                // Nothing typed is remembered, offered back or corrected.
                SetAttribute(element, "autocomplete", "off");
                SetAttribute(element, "autocapitalize", "off");
                element.set("spellcheck", val(false));
                // Each box is named by a label of its own: hidden where the
                // column headings name it, shown beside it in one column.
                placed = PageElement(document, "div", "entry");
                val heading = PageElement(document, "label", "entry-heading");
                heading.set("htmlFor", val(c.name));
                heading.set("textContent",
                            Text(c.accessibleName != nullptr ? c.accessibleName : ""));
                placed.call<void>("append", heading, element);
                break;
            }
            case ControlKind::Frame:
                element = PageElement(document, "div", std::string("frame pair") + WeightClass(c));
                pairs[row] = element;
                break;
            case ControlKind::BorderedFrame:
                element =
                    PageElement(document, "div", std::string("frame bordered") + WeightClass(c));
                // The pair goes in after the entry box, in tab order.
                pairs[row] = PageElement(document, "div", "pair");
                break;
            case ControlKind::OptionButton: {
                // The frame's name makes the pair one group: one Tab stop at
                // the selected button, arrow keys within.
                element = PageElement(document, "input", "");
                element.set("type", val("radio"));
                element.set("name", val(frame ? kForm1Controls[*frame].name : c.name));
                element.set("checked", val(c.extra == Extra::Selected));
                placed =
                    PageElement(document, "label", std::string("control option") + WeightClass(c));
                val caption = PageElement(document, "span", "");
                caption.set("textContent", Text(c.text));
                placed.call<void>("append", element, caption);
                break;
            }
            case ControlKind::CommandButton:
                element = PageElement(document, "button",
                                      std::string("control command") + WeightClass(c));
                element.set("type", val("button"));
                element.set("textContent", Text(c.text));
                break;
        }
        element.set("id", val(c.name));
        if (c.accessibleName != nullptr && c.kind == ControlKind::OptionButton) {
            SetAttribute(element, "aria-label", c.accessibleName);
        }
        if (c.kind == ControlKind::Frame || c.kind == ControlKind::BorderedFrame) {
            SetAttribute(pairs[row], "role", "radiogroup");
            SetAttribute(pairs[row], "aria-label", PairName(row));
        }
        if (placed.isUndefined()) {
            placed = element;
        }
        // The geometry goes on what shows the control: the box itself, or the
        // label around a radio button.
        val shown = c.kind == ControlKind::OptionButton ? placed : element;
        Place(shown, c);

        elements_[row] = element;
        val parent = !frame ? client : elements_[*frame];
        if (frame && c.kind == ControlKind::OptionButton &&
            kForm1Controls[*frame].kind == ControlKind::BorderedFrame) {
            if (pairs[*frame]["parentNode"].isNull()) {
                parent.call<void>("append", pairs[*frame]);
            }
            parent = pairs[*frame];
        }
        parent.call<void>("append", placed);
    }
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
