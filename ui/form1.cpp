#include "form1.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <limits>

#include "calculate_fix.h"
#include "control_table.h"
#include "regional_settings.h"
#include "small_indicator_style.h"

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

// Only the command writes the fix; the box looks like part of the window, not
// like an entry, but its text can still be selected and copied.
void MakeOutputBox(QLineEdit* box) {
    box->setReadOnly(true);
    QPalette palette = box->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, palette.color(group, QPalette::Button));
    }
    box->setPalette(palette);
}

RegionalSettings UserRegionalSettings() {
    // The default locale, which is the user's unless the program sets another.
    const QLocale locale;
    return {locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString()};
}

struct TextEntry {
    const char* name;
    std::string FixEntries::*field;
};

struct OptionEntry {
    const char* name;
    OptionState FixEntries::*field;
};

constexpr TextEntry kTextEntries[] = {
    {"Time1", &FixEntries::Time1},   {"Time2", &FixEntries::Time2}, {"Long1", &FixEntries::Long1},
    {"Lat1", &FixEntries::Lat1},     {"Long2", &FixEntries::Long2}, {"Lat2", &FixEntries::Lat2},
    {"course", &FixEntries::course}, {"speed", &FixEntries::speed}, {"Zn1", &FixEntries::Zn1},
    {"Zn2", &FixEntries::Zn2},       {"A1", &FixEntries::A1},       {"A2", &FixEntries::A2},
};

// The command reads one button of each pair; its partner only completes it.
constexpr OptionEntry kOptionEntries[] = {
    {"West1", &FixEntries::West1},   {"North1", &FixEntries::North1}, {"West2", &FixEntries::West2},
    {"North2", &FixEntries::North2}, {"A1_A", &FixEntries::A1_A},     {"A2_A", &FixEntries::A2_A},
};

template <typename Control>
Control* Find(const QWidget* window, const char* name) {
    auto* control = window->findChild<Control*>(QString::fromLatin1(name));
    Q_ASSERT(control != nullptr);
    return control;
}

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QString::fromUtf8(kCaption));
    setFont(WindowFont(QFont::Bold));
    // Nothing in the window follows a change of size.
    setFixedSize(Pixels(kClientWidthTwips), Pixels(kClientHeightTwips));

    buildControls();
    bindEntries();
    chainTabOrder();

    fixLL_ = Find<QLineEdit>(this, "FixLL");
    command1_ = Find<QPushButton>(this, "Command1");
    connect(command1_, &QPushButton::clicked, this, &Form1::calculateFix);
    command1_->installEventFilter(this);

    Find<QLineEdit>(this, "Time1")->setFocus();
}

void Form1::setErrorReporter(ErrorReporter reporter) {
    reportError_ = std::move(reporter);
}

void Form1::buildControls() {
    const QFont bold = WindowFont(QFont::Bold);
    const QFont normal = WindowFont(QFont::Normal);
    std::vector<QRadioButton*> optionButtons;
    std::vector<QWidget*> groups;

    for (const ControlRow& row : Form1Controls()) {
        QWidget* container = row.container == nullptr ? this : Find<QWidget>(this, row.container);
        QWidget* control = MakeControl(row, container);
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
        if (auto* button = qobject_cast<QRadioButton*>(control)) {
            optionButtons.push_back(button);
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
    for (QRadioButton* button : optionButtons) {
        button->setStyle(indicatorStyle);
    }
}

void Form1::bindEntries() {
    for (const TextEntry& entry : kTextEntries) {
        textEntries_.emplace_back(Find<QLineEdit>(this, entry.name), entry.field);
    }
    for (const OptionEntry& entry : kOptionEntries) {
        optionEntries_.emplace_back(Find<QRadioButton>(this, entry.name), entry.field);
    }
}

void Form1::chainTabOrder() {
    std::vector<std::pair<int, QWidget*>> stops;
    for (const ControlRow& row : Form1Controls()) {
        // Labels and frames never take the focus.
        if (row.kind == ControlKind::TextBox || row.kind == ControlKind::OptionButton ||
            row.kind == ControlKind::CommandButton) {
            stops.emplace_back(row.tabIndex, Find<QWidget>(this, row.name));
        }
    }
    std::ranges::sort(stops, {}, &std::pair<int, QWidget*>::first);
    for (std::size_t i = 1; i < stops.size(); ++i) {
        QWidget::setTabOrder(stops[i - 1].second, stops[i].second);
    }
}

FixEntries Form1::entries() const {
    FixEntries record;
    for (const auto& [box, field] : textEntries_) {
        record.*field = box->text().toStdString();
    }
    for (const auto& [button, field] : optionEntries_) {
        record.*field = button->isChecked() ? kSelected : kClear;
    }
    return record;
}

void Form1::calculateFix() {
    std::string fix;
    try {
        fix = Command1_Click(entries(), UserRegionalSettings());
    } catch (const RunTimeError& error) {
        // The report replaces the host's, which ended the program and lost
        // every entry; here the window stays as it was.
        reportError_(this, error);
        return;
    }
    fixLL_->setText(QString::fromStdString(fix));
    fixLL_->setCursorPosition(0);
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
