// The default report of a failed calculation: a modal box in the host's words
// that leaves the window as it was once it is dismissed.

#include "error_report.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "calculate_step.h"
#include "form1.h"
#include "window_design.h"

using quorvel::ErrorNumber;
using quorvel::RunTimeError;
using quorvel::test::Find;

namespace {

struct SeenBox {
    bool shown = false;
    bool modal = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QWidget* parent = nullptr;
};

// Answers the next modal message box with OK once its event loop runs,
// noting what it showed. If no box comes up, the timer fires later and
// finds nothing.
class BoxAnswerer : public QObject {
public:
    explicit BoxAnswerer(SeenBox& seen) : seen_(seen) {
        QTimer::singleShot(0, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                return;
            }
            seen_.shown = true;
            seen_.modal = box->isModal();
            seen_.title = box->windowTitle();
            seen_.text = box->text();
            seen_.icon = box->icon();
            seen_.parent = box->parentWidget();
            box->button(QMessageBox::Ok)->click();
        });
    }

private:
    SeenBox& seen_;
};

}  // namespace

class ErrorReportTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void boxShowsNumberAndMessage_data();
    void boxShowsNumberAndMessage();
    void windowReportsThroughTheBox();
};

void ErrorReportTest::boxShowsNumberAndMessage_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    // The one place the reports' wording is written out for the tests.
    QTest::newRow("5") << 5 << "Run-time error '5':\n\nInvalid procedure call or argument";
    QTest::newRow("6") << 6 << "Run-time error '6':\n\nOverflow";
    QTest::newRow("11") << 11 << "Run-time error '11':\n\nDivision by zero";
    QTest::newRow("13") << 13 << "Run-time error '13':\n\nType mismatch";
}

void ErrorReportTest::boxShowsNumberAndMessage() {
    QFETCH(int, number);
    QFETCH(QString, text);
    QWidget window;
    window.show();
    SeenBox seen;
    {
        BoxAnswerer answerer(seen);
        quorvel::ShowRunTimeError(&window, RunTimeError(static_cast<ErrorNumber>(number)));
    }
    QVERIFY(seen.shown);
    QVERIFY(seen.modal);
    QCOMPARE(seen.title, QStringLiteral("Quorvel"));
    QCOMPARE(seen.text, text);
    QCOMPARE(seen.icon, QMessageBox::Critical);
    QCOMPARE(seen.parent, &window);
    QVERIFY(window.isVisible());
}

void ErrorReportTest::windowReportsThroughTheBox() {
    quorvel::Form1 form;  // with its own reporter, the box
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(Find<QPushButton>(&form, "Command1"), Qt::LeftButton);
    const QString fix = Find<QLineEdit>(&form, "FixLL")->text();
    QVERIFY(!fix.isEmpty());

    Find<QLineEdit>(&form, "Time1")->setText(QStringLiteral("x:30"));
    const QStringList texts = quorvel::test::EntryTexts(&form);
    SeenBox seen;
    {
        BoxAnswerer answerer(seen);
        QTest::mouseClick(Find<QPushButton>(&form, "Command1"), Qt::LeftButton);
    }
    QVERIFY(seen.shown);
    QCOMPARE(seen.text, QString::fromStdString(
                            quorvel::ErrorReportText(RunTimeError(ErrorNumber::TypeMismatch))));
    QCOMPARE(seen.parent, &form);
    QVERIFY(form.isVisible());
    QCOMPARE(Find<QLineEdit>(&form, "FixLL")->text(), fix);
    QCOMPARE(quorvel::test::EntryTexts(&form), texts);
}

QTEST_MAIN(ErrorReportTest)
#include "error_report_test.moc"
