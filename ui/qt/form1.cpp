#include "form1.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <limits>

#include "calculate_step.h"
#include "entry_binding.h"
#include "small_indicator_style.h"
#include "user_region.h"

namespace quorvel {
namespace {

// Tab stops at the selected button of a group only. Qt on its own makes the
// last-focused button the stop, which after a stray click leaves Tab on a
// choice the navigator did not make.
void KeepSelectedAsTabStop(QWidget* group) {
    for (QRadioButton* button : group->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) {
        button->setFocusPolicy(button->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

// QAbstractButton hands the Tab stop to whichever button of the group gains
// the focus; this takes it back to the selected one right after.
class OptionButton : public QRadioButton {
public:
    OptionButton(const QString& text, QWidget* group) : QRadioButton(text, group) {
        connect(this, &QAbstractButton::toggled, this, [group] { KeepSelectedAsTabStop(group); });
    }

protected:
    void focusInEvent(QFocusEvent* event) override {
        QRadioButton::focusInEvent(event);
        KeepSelectedAsTabStop(parentWidget());
    }
};

QFont WindowFont(QFont::Weight weight) {
    QFont font;
    // "MS Sans Serif" where Windows has it; elsewhere a sans with its metrics.
    // Without the list, fontconfig picks DejaVu Sans, which is wide enough to
    // cut off several captions in these fixed boxes.
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arimo"), QStringLiteral("Arial"),
                      QStringLiteral("Helvetica")});
    font.setStyleHint(QFont::SansSerif);
    // 8.25 points at 96 dpi. Given in pixels like the geometry, so text and
    // boxes keep their proportion on a screen with another logical dpi.
    font.setPixelSize(11);
    font.setWeight(weight);
    return font;
}

QWidget* MakeControl(const ControlRow& row, QWidget* container) {
    const QString text = QString::fromUtf8(row.text);
    switch (row.kind) {
        case ControlKind::Label: {
            auto* label = new QLabel(text, container);
            label->setTextFormat(Qt::PlainText);
            // Captions hang from the top of their boxes, as the layout was
            // drawn; the row labels "1" and "2" sit lower to line up.
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return label;
        }
        case ControlKind::TextBox: {
            auto* box = new QLineEdit(text, container);
            box->setMaxLength(std::numeric_limits<int>::max());
            box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            box->setCursorPosition(0);
            return box;
        }
        case ControlKind::Frame:
            return new QWidget(container);
        case ControlKind::BorderedFrame:
            return new QGroupBox(container);
        case ControlKind::OptionButton: {
            auto* button = new OptionButton(text, container);
            button->setChecked(row.extra == Extra::Selected);
            return button;
        }
        case ControlKind::CommandButton: {
            auto* button = new QPushButton(text, container);
            // Not the window's default: Enter in an entry box must not run
            // the command halfway through typing.
            button->setAutoDefault(false);
            button->setDefault(false);
            return button;
        }
    }
    return nullptr;
}

// The fix box's background is the window's button face, light or dark.
void ShowButtonFace(QLineEdit* box, const QPalette& window) {
    QPalette palette = box->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, window.color(group, QPalette::Button));
    }
    box->setPalette(palette);
}

// Only the command writes the fix; the box looks like part of the window, not
// like an entry, but its text can still be selected and copied.
void MakeOutputBox(QLineEdit* box) {
    box->setReadOnly(true);
    ShowButtonFace(box, box->palette());
}

// The widgets as the shared click sees them; the table's kind of each row
// says which widget it is.
class WidgetFrontEnd final : public FrontEnd {
public:
    WidgetFrontEnd(const std::array<QWidget*, kForm1Controls.size()>& controls, QWidget* window,
                   const ErrorReporter& reportError)
        : controls_(controls), window_(window), reportError_(reportError) {}

    std::string text(std::size_t control) const override {
        return static_cast<const QLineEdit*>(controls_[control])->text().toStdString();
    }
    bool isSelected(std::size_t control) const override {
        return static_cast<const QRadioButton*>(controls_[control])->isChecked();
    }
    RegionalSettings regionalSettings() const override { return UserRegionalSettings(); }
    void setFixText(const std::string& fix) override {
        auto* box = static_cast<QLineEdit*>(controls_[ControlIndex("FixLL")]);
        box->setText(QString::fromStdString(fix));
        box->setCursorPosition(0);
    }
    void showErrorReport(const RunTimeError& error) override { reportError_(window_, error); }

private:
    const std::array<QWidget*, kForm1Controls.size()>& controls_;
    QWidget* window_;
    const ErrorReporter& reportError_;
};

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QString::fromUtf8(kCaption));
    setFont(WindowFont(QFont::Bold));
    // Nothing in the window follows a change of size.
    setFixedSize(Pixels(kClientWidthTwips), Pixels(kClientHeightTwips));

    buildControls();
    chainTabOrder();

    command1_ = static_cast<QPushButton*>(controls_[ControlIndex("Command1")]);
    connect(command1_, &QPushButton::clicked, this, &Form1::calculateFix);
    command1_->installEventFilter(this);

    controls_[ControlIndex("Time1")]->setFocus();
}

void Form1::setErrorReporter(ErrorReporter reporter) {
    reportError_ = std::move(reporter);
}

void Form1::buildControls() {
    const QFont bold = WindowFont(QFont::Bold);
    const QFont normal = WindowFont(QFont::Normal);
    std::vector<QWidget*> groups;

    for (std::size_t i = 0; i < kForm1Controls.size(); ++i) {
        const ControlRow& row = kForm1Controls[i];
        const auto containerRow = ContainerRow(i);
        QWidget* container = containerRow ? controls_[*containerRow] : this;
        QWidget* control = MakeControl(row, container);
        controls_[i] = control;
        control->setObjectName(QString::fromLatin1(row.name));
        control->setGeometry(Pixels(row.left), Pixels(row.top), Pixels(row.width),
                             Pixels(row.height));
        // Set on every control, not inherited: a platform theme may give
        // buttons or entry boxes a font of their own otherwise.
        control->setFont(row.weight == Weight::Bold ? bold : normal);
        if (row.extra == Extra::Output) {
            MakeOutputBox(qobject_cast<QLineEdit*>(control));
        }
        if (row.accessibleName != nullptr) {
            control->setAccessibleName(QString::fromUtf8(row.accessibleName));
        }
        if (qobject_cast<QRadioButton*>(control) != nullptr) {
            if (std::ranges::find(groups, container) == groups.end()) {
                groups.push_back(container);
            }
        }
    }

    for (QWidget* group : groups) {
        KeepSelectedAsTabStop(group);
    }
    // Made after the controls, so it is the last child and outlives them.
    auto* indicatorStyle = new SmallIndicatorStyle;
    indicatorStyle->setParent(this);
    for (QWidget* control : controls_) {
        if (qobject_cast<QRadioButton*>(control) != nullptr ||
            qobject_cast<QLineEdit*>(control) != nullptr ||
            qobject_cast<QGroupBox*>(control) != nullptr) {
            control->setStyle(indicatorStyle);
        }
    }
}

void Form1::chainTabOrder() {
    std::vector<std::pair<int, QWidget*>> stops;
    for (std::size_t i = 0; i < kForm1Controls.size(); ++i) {
        if (TakesFocus(kForm1Controls[i].kind)) {
            stops.emplace_back(kForm1Controls[i].tabIndex, controls_[i]);
        }
    }
    std::ranges::sort(stops, {}, &std::pair<int, QWidget*>::first);
    for (std::size_t i = 1; i < stops.size(); ++i) {
        QWidget::setTabOrder(stops[i - 1].second, stops[i].second);
    }
}

FixEntries Form1::entries() const {
    return ReadEntries(WidgetFrontEnd(controls_, nullptr, reportError_));
}

void Form1::calculateFix() {
    WidgetFrontEnd frontEnd(controls_, this, reportError_);
    ClickCalculateFix(frontEnd);
}

void Form1::changeEvent(QEvent* event) {
    // The fix box holds its background colour itself, so a new palette (the
    // system turning dark or light) does not reach it on its own.
    auto* fix = static_cast<QLineEdit*>(controls_[ControlIndex("FixLL")]);
    if (event->type() == QEvent::PaletteChange && fix != nullptr) {
        ShowButtonFace(fix, palette());
    }
    QWidget::changeEvent(event);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    // A focused command button answers Enter as well as Space, as on Windows;
    // the window itself has no default button.
    if (watched == command1_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            if (!key->isAutoRepeat()) {
                command1_->click();
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace quorvel
