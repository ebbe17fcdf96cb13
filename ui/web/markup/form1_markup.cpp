#include "form1_markup.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <vector>

namespace quorvel {
namespace {

using Rows = std::span<const ControlRow>;

bool IsFrame(ControlKind kind) {
    return kind == ControlKind::Frame || kind == ControlKind::BorderedFrame;
}

// Whether a control stands in the named frame, or with none on the client area.
bool HeldBy(const ControlRow& c, const char* frame) {
    if (c.container == nullptr || frame == nullptr) {
        return c.container == frame;
    }
    return std::string_view(c.container) == frame;
}

// Where a control stands in the document: at its TabIndex, a frame at the
// lowest one of its controls, so that the document's order is the tab order
// and each frame holds its controls.
int DocumentOrder(Rows rows, const ControlRow& c) {
    if (!IsFrame(c.kind)) {
        return c.tabIndex;
    }
    int order = INT_MAX;
    for (const ControlRow& r : rows) {
        if (HeldBy(r, c.name)) {
            order = std::min(order, r.tabIndex);
        }
    }
    return order;
}

std::vector<const ControlRow*> HeldInOrder(Rows rows, const char* frame) {
    std::vector<const ControlRow*> held;
    for (const ControlRow& r : rows) {
        if (HeldBy(r, frame)) {
            held.push_back(&r);
        }
    }
    std::stable_sort(held.begin(), held.end(), [rows](const ControlRow* a, const ControlRow* b) {
        return DocumentOrder(rows, *a) < DocumentOrder(rows, *b);
    });
    return held;
}

// A pair's name is what its two buttons' names share: "Sight 1 latitude"
// from "Sight 1 latitude north" and "Sight 1 latitude south".
std::string PairName(Rows rows, const ControlRow& frame) {
    std::optional<std::string_view> shared;
    for (const ControlRow& c : rows) {
        if (!HeldBy(c, frame.name) || c.kind != ControlKind::OptionButton ||
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
// grid stay, left column first. The grid ends with the lowest entry box of
// the client area (the fix box is no entry).
bool NamesEntries(Rows rows, const ControlRow& label) {
    int bottom = 0;
    for (const ControlRow& c : rows) {
        if (c.kind == ControlKind::TextBox && c.extra != Extra::Output && c.container == nullptr) {
            bottom = std::max(bottom, c.top + c.height);
        }
    }
    return label.top < bottom;
}

int NoteOrder(const ControlRow& label, int clientWidthTwips, int clientHeightTwips) {
    const int column = label.left < clientWidthTwips / 2 ? 0 : 1;
    return 1 + column * clientHeightTwips + label.top;
}

const char* WeightClass(const ControlRow& c) {
    return c.weight == Weight::Bold ? " bold" : " normal";
}

class MarkupWriter {
public:
    explicit MarkupWriter(Rows rows) : rows_(rows) {
        // The focus starts in the control that takes it with the lowest
        // TabIndex, there as soon as the page shows, program or not.
        int first = INT_MAX;
        for (const ControlRow& c : rows) {
            if (TakesFocus(c.kind) && c.tabIndex < first) {
                first = c.tabIndex;
                autofocus_ = &c;
            }
        }
    }

    std::string write(std::string_view caption) {
        out_ = "<main class=\"form1\">\n<h1 class=\"caption\">" + EscapeHtml(caption) +
               "</h1>\n<div class=\"client\">\n";
        writeHeld(nullptr);
        out_ += "</div>\n</main>\n";
        return out_;
    }

private:
    void writeHeld(const ControlRow* frame) {
        bool inPair = false;
        for (const ControlRow* c : HeldInOrder(rows_, frame ? frame->name : nullptr)) {
            // A bordered frame's buttons follow its entry box, in a group of
            // their own.
            if (frame != nullptr && frame->kind == ControlKind::BorderedFrame && !inPair &&
                c->kind == ControlKind::OptionButton) {
                out_ += "<div class=\"pair\"" + groupAttributes(*frame) + ">\n";
                inPair = true;
            }
            writeControl(*c);
        }
        if (inPair) {
            out_ += "</div>\n";
        }
    }

    void writeControl(const ControlRow& c) {
        const std::string classes = WeightClass(c);
        const std::string id = " id=\"" + EscapeHtml(c.name) + "\"";
        const std::string text = EscapeHtml(c.text);
        switch (c.kind) {
            case ControlKind::Label:
                out_ += "<span class=\"control label" + classes +
                        (NamesEntries(rows_, c) ? " grid-heading\"" : " note\"") + id + ">" + text +
                        "</span>\n";
                break;
            case ControlKind::TextBox:
                // Each box is named by a label of its own: hidden where the
                // column headings name it, shown beside it in one column.
                // Nothing typed is offered back or corrected by the browser.
                out_ += "<div class=\"entry\"><label class=\"entry-heading\" for=\"" +
                        EscapeHtml(c.name) + "\">" +
                        EscapeHtml(c.accessibleName ? c.accessibleName : "") +
                        "</label><input class=\"control textbox" + classes +
                        (c.extra == Extra::Output ? " output\"" : "\"") + id +
                        " type=\"text\" value=\"" + text +
                        "\" autocomplete=\"off\" autocapitalize=\"off\" spellcheck=\"false\"" +
                        (c.extra == Extra::Output ? " readonly" : "") + focus(c) + "></div>\n";
                break;
            case ControlKind::Frame:
                out_ +=
                    "<div class=\"frame pair" + classes + "\"" + id + groupAttributes(c) + ">\n";
                writeHeld(&c);
                out_ += "</div>\n";
                break;
            case ControlKind::BorderedFrame:
                out_ += "<div class=\"frame bordered" + classes + "\"" + id + ">\n";
                writeHeld(&c);
                out_ += "</div>\n";
                break;
            case ControlKind::OptionButton:
                // The frame's name makes the pair one group: one Tab stop at
                // the selected button, arrow keys within. The label around
                // the button is what shows, and is placed; it takes a click
                // on the letter. The browser restores no choice on its own
                // (as it restores no text), so it never shows one beside
                // starting texts; the program gives the window back whole.
                out_ += "<label class=\"control option" + classes + "\" for=\"" +
                        EscapeHtml(c.name) + "\"><input type=\"radio\"" + id + " name=\"" +
                        EscapeHtml(c.container ? c.container : c.name) + "\"" +
                        (c.accessibleName ? " aria-label=\"" + EscapeHtml(c.accessibleName) + "\""
                                          : "") +
                        (c.extra == Extra::Selected ? " checked" : "") + " autocomplete=\"off\"" +
                        focus(c) + "><span>" + text + "</span></label>\n";
                break;
            case ControlKind::CommandButton:
                // Announced as unavailable until the program has attached to
                // it; a click before then does nothing.
                out_ += "<button class=\"control command" + classes + "\"" + id +
                        " type=\"button\" aria-disabled=\"true\"" + focus(c) + ">" + text +
                        "</button>\n";
                break;
        }
    }

    std::string groupAttributes(const ControlRow& frame) const {
        return " role=\"radiogroup\" aria-label=\"" + EscapeHtml(PairName(rows_, frame)) + "\"";
    }

    const char* focus(const ControlRow& c) const { return &c == autofocus_ ? " autofocus" : ""; }

    Rows rows_;
    const ControlRow* autofocus_ = nullptr;
    std::string out_;
};

}  // namespace

std::string Form1Markup(std::span<const ControlRow> rows, std::string_view caption) {
    return MarkupWriter(rows).write(caption);
}

// The window as it was designed, in pixels of 15 twips, as custom properties
// the style sheet places by in the designed layout and ignores in the narrow
// one. A radio button's label is what shows, so it is what is placed.
std::string Form1Geometry(std::span<const ControlRow> rows, int clientWidthTwips,
                          int clientHeightTwips) {
    std::string css = ".form1 { --client-width: " + std::to_string(Pixels(clientWidthTwips)) +
                      "; --client-height: " + std::to_string(Pixels(clientHeightTwips)) + "; }\n";
    for (const ControlRow& c : rows) {
        css += c.kind == ControlKind::OptionButton ? ".option[for=\"" + std::string(c.name) + "\"]"
                                                   : "#" + std::string(c.name);
        css += " { --left: " + std::to_string(Pixels(c.left)) +
               "; --top: " + std::to_string(Pixels(c.top)) +
               "; --width: " + std::to_string(Pixels(c.width)) +
               "; --height: " + std::to_string(Pixels(c.height)) + ";";
        if (c.kind == ControlKind::Label && !NamesEntries(rows, c)) {
            css +=
                " --order: " + std::to_string(NoteOrder(c, clientWidthTwips, clientHeightTwips)) +
                ";";
        }
        css += " }\n";
    }
    return css;
}

std::string EscapeHtml(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char ch : text) {
        switch (ch) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += ch;
        }
    }
    return escaped;
}

}  // namespace quorvel
