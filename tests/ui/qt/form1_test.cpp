// Form1 driven as a navigator would: mouse clicks, keys, typed entries; the
// results read back from the widgets.

#include "form1.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "entry_binding.h"
#include "option_meaning.h"
#include "run_time_error.h"
#include "starting_fix.h"
#include "window_design.h"

using quorvel::ErrorNumber;
using quorvel::FixEntries;
using quorvel::Form1;
using quorvel::RunTimeError;
using quorvel::test::Design;
using quorvel::test::EntryTexts;
using quorvel::test::Find;

namespace {

const QString kStartingFix = QString::fromLatin1(quorvel::testing::kStartingFix);

struct Report {
    int code;
    QString message;
    QWidget* window;
};

// "Option2" clicked, "down:North1" arrow key in a group, "stray:Option1" a
// press released off the button, "type:Zn1=250" typed over an entry.
void Act(Form1& form, const QString& action) {
    const QString verb = action.section(QLatin1Char(':'), 0, 0);
    const QString rest = action.section(QLatin1Char(':'), 1);
    if (rest.isEmpty()) {
        QTest::mouseClick(Find<QRadioButton>(&form, qPrintable(verb)), Qt::LeftButton);
    } else if (verb == QLatin1String("down") || verb == QLatin1String("up")) {
        auto* button = Find<QRadioButton>(&form, qPrintable(rest));
        button->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(button, verb == QLatin1String("down") ? Qt::Key_Down : Qt::Key_Up);
    } else if (verb == QLatin1String("stray")) {
        auto* button = Find<QRadioButton>(&form, qPrintable(rest));
        QTest::mousePress(button, Qt::LeftButton, {}, button->rect().center());
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(-20, -20));
    } else if (verb == QLatin1String("type")) {
        auto* box = Find<QLineEdit>(&form, qPrintable(rest.section(QLatin1Char('='), 0, 0)));
        box->setFocus(Qt::OtherFocusReason);
        box->selectAll();
        QTest::keyClicks(box, rest.section(QLatin1Char('='), 1));
    } else {
        qFatal("unknown action %s", qPrintable(action));
    }
}

QStringList Describe(const FixEntries& e) {
    return {
        QStringLiteral("Time1=") + QString::fromStdString(e.Time1),
        QStringLiteral("Time2=") + QString::fromStdString(e.Time2),
        QStringLiteral("Long1=") + QString::fromStdString(e.Long1),
        QStringLiteral("West1=%1").arg(e.West1),
        QStringLiteral("Lat1=") + QString::fromStdString(e.Lat1),
        QStringLiteral("North1=%1").arg(e.North1),
        QStringLiteral("Long2=") + QString::fromStdString(e.Long2),
        QStringLiteral("West2=%1").arg(e.West2),
        QStringLiteral("Lat2=") + QString::fromStdString(e.Lat2),
        QStringLiteral("North2=%1").arg(e.North2),
        QStringLiteral("course=") + QString::fromStdString(e.course),
        QStringLiteral("speed=") + QString::fromStdString(e.speed),
        QStringLiteral("Zn1=") + QString::fromStdString(e.Zn1),
        QStringLiteral("Zn2=") + QString::fromStdString(e.Zn2),
        QStringLiteral("A1=") + QString::fromStdString(e.A1),
        QStringLiteral("A2=") + QString::fromStdString(e.A2),
        QStringLiteral("A1_A=%1").arg(e.A1_A),
        QStringLiteral("A2_A=%1").arg(e.A2_A),
    };
}

// The starting record with "Field=value" changes; an option state is -1 or 0.
FixEntries Expected(const QStringList& changes) {
    FixEntries e = quorvel::StartingEntries();
    for (const QString& change : changes) {
        const QString field = change.section(QLatin1Char('='), 0, 0);
        const QString value = change.section(QLatin1Char('='), 1);
        const std::string text = value.toStdString();
        const auto state = static_cast<quorvel::OptionState>(value.toShort());
        if (field == QLatin1String("Time1"))
            e.Time1 = text;
        else if (field == QLatin1String("Time2"))
            e.Time2 = text;
        else if (field == QLatin1String("Lat2"))
            e.Lat2 = text;
        else if (field == QLatin1String("speed"))
            e.speed = text;
        else if (field == QLatin1String("Zn1"))
            e.Zn1 = text;
        else if (field == QLatin1String("Zn2"))
            e.Zn2 = text;
        else if (field == QLatin1String("North1"))
            e.North1 = state;
        else if (field == QLatin1String("North2"))
            e.North2 = state;
        else if (field == QLatin1String("West1"))
            e.West1 = state;
        else if (field == QLatin1String("West2"))
            e.West2 = state;
        else if (field == QLatin1String("A1_A"))
            e.A1_A = state;
        else if (field == QLatin1String("A2_A"))
            e.A2_A = state;
        else
            qFatal("unknown field %s", qPrintable(field));
    }
    return e;
}

QStringList SelectedButtons(const QWidget* form) {
    QStringList names;
    for (const auto& d : quorvel::test::kDesign) {
        if (d.kind == quorvel::test::Kind::Option &&
            Find<QRadioButton>(form, d.name)->isChecked()) {
            names << QString::fromLatin1(d.name);
        }
    }
    return names;
}

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startsInTime1WithEmptyFix();
    void groupsAreExclusive_data();
    void groupsAreExclusive();
    void tabStopsAtSelectedButtons_data();
    void tabStopsAtSelectedButtons();
    void clickWritesFix_data();
    void clickWritesFix();
    void keysInEntryBoxesDoNotRun_data();
    void keysInEntryBoxesDoNotRun();
    void errorKeepsWindowAndEntries_data();
    void errorKeepsWindowAndEntries();
    void fixFollowsRegionalSettings_data();
    void fixFollowsRegionalSettings();
    void fixCanBeCopiedNotEdited();
    void entryBoxesTakeLongTexts();
    void screenReaderNames_data();
    void screenReaderNames();
    void everyEntryHasItsOwnName();
    void optionButtonsAreNamedForWhatTheyMean();

private:
    QString fix() const { return Find<QLineEdit>(form_.get(), "FixLL")->text(); }
    void click() { QTest::mouseClick(Find<QPushButton>(form_.get(), "Command1"), Qt::LeftButton); }
    QStringList tabThrough(Qt::Key key, int presses);

    std::unique_ptr<Form1> form_;
    std::vector<Report> reports_;
};

void Form1Test::initTestCase() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void Form1Test::init() {
    reports_.clear();
    form_ = std::make_unique<Form1>();
    form_->setErrorReporter([this](QWidget* window, const RunTimeError& error) {
        reports_.push_back({error.code(), QString::fromStdString(error.message()), window});
    });
    form_->show();
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
}

void Form1Test::cleanup() {
    form_.reset();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void Form1Test::startsInTime1WithEmptyFix() {
    QCOMPARE(QApplication::focusWidget(), Find(form_.get(), "Time1"));
    QCOMPARE(fix(), QString());
    QCOMPARE(Describe(form_->entries()), Describe(quorvel::StartingEntries()));
}

void Form1Test::groupsAreExclusive_data() {
    QTest::addColumn<QString>("read");
    QTest::addColumn<QString>("partner");
    QTest::newRow("Frame5: latitude 1") << "North1"
                                        << "Option2";
    QTest::newRow("Frame6: longitude 1") << "West1"
                                         << "Option1";
    QTest::newRow("Frame3: latitude 2") << "North2"
                                        << "South2";
    QTest::newRow("Frame7: longitude 2") << "West2"
                                         << "Option4";
    QTest::newRow("Frame1: intercept 1") << "A1_A"
                                         << "A1_T";
    QTest::newRow("Frame2: intercept 2") << "A2_A"
                                         << "A2_T";
}

void Form1Test::groupsAreExclusive() {
    QFETCH(QString, read);
    QFETCH(QString, partner);
    const QStringList before = SelectedButtons(form_.get());
    const bool readAtStart = Design(read.toStdString()).selected;

    // Whichever is clear at start gets clicked first; the other takes it back.
    const QString first = readAtStart ? partner : read;
    const QString second = readAtStart ? read : partner;
    QTest::mouseClick(Find<QRadioButton>(form_.get(), qPrintable(first)), Qt::LeftButton);
    QStringList after = before;
    after.removeOne(second);
    after << first;
    after.sort();
    QStringList now = SelectedButtons(form_.get());
    now.sort();
    QCOMPARE(now, after);

    QTest::mouseClick(Find<QRadioButton>(form_.get(), qPrintable(second)), Qt::LeftButton);
    QCOMPARE(SelectedButtons(form_.get()), before);
}

QStringList Form1Test::tabThrough(Qt::Key key, int presses) {
    Find(form_.get(), "Time1")->setFocus(Qt::OtherFocusReason);
    QStringList stops{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < presses; ++i) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus, key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        stops << QApplication::focusWidget()->objectName();
    }
    return stops;
}

void Form1Test::tabStopsAtSelectedButtons_data() {
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QStringList>("stops");
    // Time1 (TabIndex 7) first, FixLL (9) next, then the controls from 20 on.
    QTest::newRow("starting selection")
        << QStringList{}
        << QStringList{"Time1", "FixLL", "Lat1",  "North1", "Long1",  "West1",   "A1",
                       "A1_T",  "Zn1",   "Time2", "Lat2",   "North2", "Long2",   "West2",
                       "A2",    "A2_A",  "Zn2",   "course", "speed",  "Command1"};
    QTest::newRow("S clicked in Frame5, T in Frame2")
        << QStringList{"Option2", "A2_T"}
        << QStringList{"Time1", "FixLL", "Lat1",  "Option2", "Long1",  "West1",   "A1",
                       "A1_T",  "Zn1",   "Time2", "Lat2",    "North2", "Long2",   "West2",
                       "A2",    "A2_T",  "Zn2",   "course",  "speed",  "Command1"};
    QTest::newRow("E chosen with the arrow key in Frame7, S in Frame3")
        << QStringList{"up:West2", "down:North2"}
        << QStringList{"Time1", "FixLL", "Lat1",  "North1", "Long1",  "West1",   "A1",
                       "A1_T",  "Zn1",   "Time2", "Lat2",   "South2", "Long2",   "Option4",
                       "A2",    "A2_A",  "Zn2",   "course", "speed",  "Command1"};
    QTest::newRow("a press released off a cleared button moves no stop")
        << QStringList{"stray:Option1", "stray:A1_A"}
        << QStringList{"Time1", "FixLL", "Lat1",  "North1", "Long1",  "West1",   "A1",
                       "A1_T",  "Zn1",   "Time2", "Lat2",   "North2", "Long2",   "West2",
                       "A2",    "A2_A",  "Zn2",   "course", "speed",  "Command1"};
    QTest::newRow("chosen and chosen back")
        << QStringList{"Option1", "West1", "A1_A", "A1_T"}
        << QStringList{"Time1", "FixLL", "Lat1",  "North1", "Long1",  "West1",   "A1",
                       "A1_T",  "Zn1",   "Time2", "Lat2",   "North2", "Long2",   "West2",
                       "A2",    "A2_A",  "Zn2",   "course", "speed",  "Command1"};
}

void Form1Test::tabStopsAtSelectedButtons() {
    QFETCH(QStringList, actions);
    QFETCH(QStringList, stops);
    for (const QString& action : actions) {
        Act(*form_, action);
    }
    const auto n = static_cast<int>(stops.size());

    QStringList forward = stops;
    forward << stops.first();  // and round to the start
    QCOMPARE(tabThrough(Qt::Key_Tab, n), forward);

    QStringList back{stops.first()};
    for (auto it = stops.crbegin(); it != stops.crend(); ++it) {
        back << *it;
    }
    QCOMPARE(tabThrough(Qt::Key_Backtab, n), back);
}

void Form1Test::clickWritesFix_data() {
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QStringList>("record");
    // Each fix worked out apart from the program, with a model of the
    // written algorithm: the window must show what the entries give, not
    // merely what the command makes of them.
    QTest::addColumn<QString>("text");
    QTest::newRow("starting entries") << QStringList{} << QStringList{} << kStartingFix;
    QTest::newRow("S in Frame5: latitude 1 south")
        << QStringList{"Option2"} << QStringList{"North1=0"} << "111.124 W,  22.145 S";
    QTest::newRow("E in Frame7: longitude 2 east")
        << QStringList{"Option4"} << QStringList{"West2=0"} << "157.207 E,  18.150 N";
    QTest::newRow("T in Frame2: intercept 2 toward")
        << QStringList{"A2_T"} << QStringList{"A2_A=0"} << "145.420 W,  35.138 N";
    QTest::newRow("A in Frame1, E in Frame6, S in Frame3")
        << QStringList{"A1_A", "Option1", "South2"} << QStringList{"A1_A=-1", "West1=0", "North2=0"}
        << "170.172 E,  43.441 N";
    QTest::newRow("typed entries")
        << QStringList{"type:Zn1=350", "type:speed=12.5", "type:Time1=0:58"}
        << QStringList{"Zn1=350", "speed=12.5", "Time1=0:58"} << "144.271 W,  35.275 N";
}

void Form1Test::clickWritesFix() {
    QFETCH(QStringList, actions);
    QFETCH(QStringList, record);
    QFETCH(QString, text);
    for (const QString& action : actions) {
        Act(*form_, action);
    }
    const FixEntries expected = Expected(record);
    QCOMPARE(Describe(form_->entries()), Describe(expected));

    click();
    QVERIFY2(reports_.empty(), qPrintable(reports_.empty() ? QString() : reports_.front().message));
    QCOMPARE(fix(), text);
    if (!record.isEmpty()) {
        QVERIFY2(fix() != kStartingFix, "the change made no difference to the fix");
    }
}

void Form1Test::keysInEntryBoxesDoNotRun_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("runs");
    QTest::newRow("Enter in Zn2") << "Zn2" << int(Qt::Key_Return) << 0 << false;
    QTest::newRow("keypad Enter in Zn2")
        << "Zn2" << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << false;
    QTest::newRow("Enter in Time1") << "Time1" << int(Qt::Key_Return) << 0 << false;
    QTest::newRow("Escape in Time1") << "Time1" << int(Qt::Key_Escape) << 0 << false;
    QTest::newRow("Enter on a selected option") << "West2" << int(Qt::Key_Return) << 0 << false;
    QTest::newRow("Space on the focused button") << "Command1" << int(Qt::Key_Space) << 0 << true;
    QTest::newRow("Enter on the focused button") << "Command1" << int(Qt::Key_Return) << 0 << true;
    QTest::newRow("keypad Enter on the focused button")
        << "Command1" << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true;
    QTest::newRow("Escape on the focused button")
        << "Command1" << int(Qt::Key_Escape) << 0 << false;
}

void Form1Test::keysInEntryBoxesDoNotRun() {
    QFETCH(QString, control);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, runs);
    QWidget* widget = Find(form_.get(), qPrintable(control));
    widget->setFocus(Qt::OtherFocusReason);
    QCOMPARE(QApplication::focusWidget(), widget);
    QTest::keyClick(widget, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(fix(), runs ? kStartingFix : QString());
    QVERIFY(reports_.empty());
    QVERIFY(form_->isVisible());
}

void Form1Test::errorKeepsWindowAndEntries_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("bad");
    QTest::addColumn<QString>("good");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("fixed");  // the fix once the entry is good, with S in Frame5
    QTest::newRow("equal azimuths: parallel lines of position")
        << "Zn2"
        << "340"
        << "250" << int(ErrorNumber::DivisionByZero) << "122.020 W,  26.109 S";
    QTest::newRow("a time without a colon")
        << "Time1"
        << "130"
        << "1:00:30" << int(ErrorNumber::InvalidProcedureCall) << "111.125 W,  22.145 S";
    QTest::newRow("hours that are not a number")
        << "Time2"
        << "x:30"
        << "1:03:00" << int(ErrorNumber::TypeMismatch) << "111.124 W,  22.146 S";
}

void Form1Test::errorKeepsWindowAndEntries() {
    QFETCH(QString, entry);
    QFETCH(QString, bad);
    QFETCH(QString, good);
    QFETCH(int, error);
    QFETCH(QString, fixed);

    click();
    QCOMPARE(fix(), kStartingFix);
    Act(*form_, QStringLiteral("type:%1=%2").arg(entry, bad));
    Act(*form_, QStringLiteral("Option2"));  // a choice made, to see it kept too
    const QStringList texts = EntryTexts(form_.get());
    const QStringList selected = SelectedButtons(form_.get());

    click();
    QCOMPARE(reports_.size(), std::size_t{1});
    QCOMPARE(reports_.front().code, error);
    QCOMPARE(reports_.front().message,
             QString::fromLatin1(quorvel::ErrorMessage(static_cast<ErrorNumber>(error))));
    QCOMPARE(reports_.front().window, form_.get());
    QCOMPARE(fix(), kStartingFix);
    QCOMPARE(EntryTexts(form_.get()), texts);
    QCOMPARE(SelectedButtons(form_.get()), selected);
    QVERIFY(form_->isVisible());

    Act(*form_, QStringLiteral("type:%1=%2").arg(entry, good));
    click();
    QCOMPARE(reports_.size(), std::size_t{1});
    QCOMPARE(fix(), fixed);
}

void Form1Test::fixFollowsRegionalSettings_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::newRow("English (United States): decimal point")
        << QLocale(QLocale::English, QLocale::UnitedStates) << kStartingFix;
    QTest::newRow("German: decimal comma")
        << QLocale(QLocale::German, QLocale::Germany)
        << QString::fromLatin1(quorvel::testing::kStartingFixDecimalComma);
    QTest::newRow("French: decimal comma")
        << QLocale(QLocale::French, QLocale::France)
        << QString::fromLatin1(quorvel::testing::kStartingFixDecimalComma);
    QTest::newRow("Arabic (Egypt): a separator of two UTF-8 bytes")
        << QLocale(QLocale::Arabic, QLocale::Egypt)
        << QString::fromUtf8("144\u066b321 W,  35\u066b347 N");
}

void Form1Test::fixFollowsRegionalSettings() {
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QLocale::setDefault(locale);
    click();
    QVERIFY(reports_.empty());
    QCOMPARE(fix(), text);
}

void Form1Test::fixCanBeCopiedNotEdited() {
    click();
    auto* box = Find<QLineEdit>(form_.get(), "FixLL");
    QVERIFY(box->isReadOnly());
    box->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(box, QStringLiteral("9"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Delete);
    QCOMPARE(box->text(), kStartingFix);

    QGuiApplication::clipboard()->clear();
    QTest::keySequence(box, QKeySequence::SelectAll);
    QTest::keySequence(box, QKeySequence::Copy);
    QCOMPARE(QGuiApplication::clipboard()->text(), kStartingFix);
}

void Form1Test::entryBoxesTakeLongTexts() {
    const QString longText(40000, QLatin1Char('7'));
    QGuiApplication::clipboard()->setText(longText);
    auto* box = Find<QLineEdit>(form_.get(), "Zn1");
    box->setFocus(Qt::OtherFocusReason);
    QTest::keySequence(box, QKeySequence::SelectAll);
    QTest::keySequence(box, QKeySequence::Paste);
    QCOMPARE(box->text(), longText);
    QCOMPARE(form_->entries().Zn1, longText.toStdString());
}

void Form1Test::screenReaderNames_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::newRow("the fix") << "FixLL"
                             << "Fix";
    QTest::newRow("first time") << "Time1"
                                << "Sight 1 time";
    QTest::newRow("first latitude") << "Lat1"
                                    << "Sight 1 assumed latitude";
    QTest::newRow("second intercept away") << "A2_A"
                                           << "Sight 2 intercept away";
    QTest::newRow("second latitude south") << "South2"
                                           << "Sight 2 latitude south";
    QTest::newRow("course") << "course"
                            << "Course true";
    QTest::newRow("the command, by its caption") << "Command1"
                                                 << "Calculate Fix";
}

void Form1Test::screenReaderNames() {
    QFETCH(QString, control);
    QFETCH(QString, name);
    QAccessibleInterface* face =
        QAccessible::queryAccessibleInterface(Find(form_.get(), qPrintable(control)));
    QVERIFY(face != nullptr);
    QCOMPARE(face->text(QAccessible::Name), name);
}

void Form1Test::everyEntryHasItsOwnName() {
    QStringList names;
    for (const auto& d : quorvel::test::kDesign) {
        if (d.kind == quorvel::test::Kind::TextBox || d.kind == quorvel::test::Kind::Option) {
            const QString name = QAccessible::queryAccessibleInterface(Find(form_.get(), d.name))
                                     ->text(QAccessible::Name);
            QVERIFY2(name.size() > 2, d.name);  // more than its caption letter
            QVERIFY2(!names.contains(name), qPrintable(name));
            names << name;
        }
    }
    QCOMPARE(names.size(), 25);
}

void Form1Test::optionButtonsAreNamedForWhatTheyMean() {
    // Each button's sight is that of the entry row its group sits in.
    const int firstRow = Find(form_.get(), "Time1")->geometry().center().y();
    const int secondRow = Find(form_.get(), "Time2")->geometry().center().y();
    int buttons = 0;
    for (auto* button : form_->findChildren<QRadioButton*>()) {
        ++buttons;
        const int row = button->parentWidget()->geometry().center().y();
        const int sight = std::abs(row - firstRow) <= std::abs(row - secondRow) ? 1 : 2;
        const QString name = QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name);
        const std::string wrong =
            quorvel::testing::NameMismatch(button->text().toStdString(), sight, name.toStdString());
        QVERIFY2(wrong.empty(), qPrintable(button->objectName() + ": \"" + name + "\" " +
                                           QString::fromStdString(wrong)));
    }
    QCOMPARE(buttons, 12);
}

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
