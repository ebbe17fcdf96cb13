#include "error_report.h"

#include <emscripten/bind.h>

#include <string>

#include "calculate_step.h"
#include "page_element.h"

namespace quorvel {
namespace {

using emscripten::val;

// The OK button's click listener.
void DismissReport(val event) {
    event["target"].call<val>("closest", val("dialog")).call<void>("close");
}

}  // namespace

EMSCRIPTEN_BINDINGS(quorvel_error_report) {
    emscripten::function("quorvelDismissReport", &DismissReport);
}

ErrorReport::ErrorReport(const val& document)
    : dialog_(PageElement(document, "dialog", "error-report")),
      text_(PageElement(document, "p", "error-report-text")) {
    // An alert: screen readers say the title and the text as it opens.
    SetAttribute(dialog_, "role", "alertdialog");
    SetAttribute(dialog_, "aria-labelledby", "error-report-title");
    SetAttribute(dialog_, "aria-describedby", "error-report-text");

    val title = PageElement(document, "h2", "error-report-title");
    title.set("id", val("error-report-title"));
    // Through std::string, which embind decodes as UTF-8.
    title.set("textContent", val(std::string(kErrorReportTitle)));
    text_.set("id", val("error-report-text"));
    val ok = PageElement(document, "button", "error-report-ok");
    ok.set("type", val("button"));
    // The only thing in the dialog that takes the focus, so it has it while
    // the dialog is open: Enter presses it, and Escape cancels the dialog on
    // its own.
    ok.set("textContent", val("OK"));
    ok.call<void>("addEventListener", val("click"), val::module_property("quorvelDismissReport"));

    dialog_.call<void>("append", title, text_, ok);
    document["body"].call<void>("append", dialog_);
}

void ErrorReport::show(const RunTimeError& error) {
    text_.set("textContent", val(ErrorReportText(error)));
    dialog_.call<void>("showModal");
}

}  // namespace quorvel
