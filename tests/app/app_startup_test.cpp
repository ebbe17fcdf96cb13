// Start-up and shut-down as main() runs them: the application's identity, the
// window with its starting entries and the focus in Time1, and the end of the
// event loop when the window is closed.

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <memory>

#include "application.h"
#include "quorvel_version.h"
#include "starting_fix.h"
#include "window_design.h"

using quorvel::Form1;

namespace {

// Notes every window other than the main one that is shown, and closes it
// again so a question box cannot stop the test from going on.
class WindowWatcher : public QObject {
public:
    explicit WindowWatcher(const QWidget* main) : main_(main) { qApp->installEventFilter(this); }
    ~WindowWatcher() override { qApp->removeEventFilter(this); }
    WindowWatcher(const WindowWatcher&) = delete;
    WindowWatcher& operator=(const WindowWatcher&) = delete;

    const QStringList& others() const { return others_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show && widget != nullptr && widget->isWindow() &&
            widget != main_) {
            others_ << QStringLiteral("%1 \"%2\"")
                           .arg(QString::fromLatin1(widget->metaObject()->className()),
                                widget->windowTitle());
            QTimer::singleShot(0, widget, &QWidget::close);
        }
        return false;
    }

private:
    const QWidget* main_;
    QStringList others_;
};

QImage IconPng(int side) {
    return QImage(QStringLiteral(QUORVEL_ICON_DIR "/quorvel-%1.png").arg(side))
        .convertToFormat(QImage::Format_RGB32);
}

}  // namespace

class AppStartupTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // The fix text follows the regional settings; pin them.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        quorvel::DescribeApplication(*qApp);
    }

    void applicationSaysWhoItIs_data() {
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QString>("expected");
        QTest::newRow("application name") << QApplication::applicationName() << "Quorvel";
        QTest::newRow("organisation") << QApplication::organizationName() << "Marlowen";
        QTest::newRow("version, as the version record's strings")
            << QApplication::applicationVersion() << QString::fromLatin1(quorvel::kVersionText);
        QTest::newRow("desktop entry it belongs to")
            << QGuiApplication::desktopFileName() << "example.marlowen.Quorvel";
    }

    void applicationSaysWhoItIs() {
        QFETCH(QString, actual);
        QFETCH(QString, expected);
        QCOMPARE(actual, expected);
    }

    void windowShowsTheIconsTwoImages_data() {
        QTest::addColumn<int>("side");
        QTest::newRow("32x32 image, the icon file's first") << 32;
        QTest::newRow("16x16 image, the icon file's second") << 16;
    }

    void windowShowsTheIconsTwoImages() {
        QFETCH(int, side);
        const std::unique_ptr<Form1> window = quorvel::ShowMainWindow();
        const QIcon icon = window->windowIcon();
        QCOMPARE(icon.availableSizes(), (QList<QSize>{QSize(32, 32), QSize(16, 16)}));
        const QImage shown =
            icon.pixmap(QSize(side, side), 1.0).toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown, IconPng(side));
    }

    void startsWithItsStartingEntries_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        // The design's texts: every entry box, and the fix box empty before
        // the first click.
        for (const quorvel::test::Designed& d : quorvel::test::kDesign) {
            if (d.kind == quorvel::test::Kind::TextBox) {
                QTest::newRow(d.name) << d.name << d.text;
            }
        }
    }

    void startsWithItsStartingEntries() {
        QFETCH(QString, box);
        QFETCH(QString, text);
        const std::unique_ptr<Form1> window = quorvel::ShowMainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const auto* edit = window->findChild<QLineEdit*>(box);
        QVERIFY2(edit != nullptr, qPrintable(box));
        QCOMPARE(edit->text(), text);
    }

    void startsWithItsStartingChoices_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("selected");
        // Every button of the six pairs, as the design selects them.
        for (const quorvel::test::Designed& d : quorvel::test::kDesign) {
            if (d.kind == quorvel::test::Kind::Option) {
                QTest::newRow(d.name) << d.name << d.selected;
            }
        }
    }

    void startsWithItsStartingChoices() {
        QFETCH(QString, button);
        QFETCH(bool, selected);
        const std::unique_ptr<Form1> window = quorvel::ShowMainWindow();
        const auto* option = window->findChild<QRadioButton*>(button);
        QVERIFY2(option != nullptr, qPrintable(button));
        QCOMPARE(option->isChecked(), selected);
    }

    void focusStartsInTime1() {
        const std::unique_ptr<Form1> window = quorvel::ShowMainWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus != nullptr);
        QCOMPARE(focus->objectName(), QStringLiteral("Time1"));
    }

    void windowingSystemChoosesThePosition() {
        const std::unique_ptr<Form1> window = quorvel::ShowMainWindow();
        QVERIFY(window->isVisible());
        QVERIFY2(!window->testAttribute(Qt::WA_Moved), "start-up placed the window itself");
    }

    void closingEndsTheProgramAtOnce_data() {
        QTest::addColumn<bool>("calculateFirst");
        QTest::addColumn<QString>("fix");
        QTest::newRow("closed before any calculation") << false << "";
        QTest::newRow("closed with a computed fix showing")
            << true << QString::fromLatin1(quorvel::testing::kStartingFix);
    }

    void closingEndsTheProgramAtOnce() {
        QFETCH(bool, calculateFirst);
        QFETCH(QString, fix);
        const std::unique_ptr<Form1> window = quorvel::ShowMainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        if (calculateFirst) {
            QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("Command1")),
                              Qt::LeftButton);
        }
        QCOMPARE(window->findChild<QLineEdit*>(QStringLiteral("FixLL"))->text(), fix);

        const WindowWatcher watcher(window.get());
        bool closed = false;
        // The close arrives once the event loop runs, as a click on the
        // window's close button would. A refused close would leave the loop
        // running, so that ends it with a status of its own.
        QTimer::singleShot(0, window.get(), [&] {
            closed = window->close();
            if (!closed) {
                QApplication::exit(1);
            }
        });
        const int status = QApplication::exec();

        QVERIFY2(closed, "the window refused to close");
        QCOMPARE(status, 0);
        QVERIFY(!window->isVisible());
        QVERIFY2(watcher.others().isEmpty(),
                 qPrintable(watcher.others().join(QStringLiteral(", "))));
    }
};

QTEST_MAIN(AppStartupTest)
#include "app_startup_test.moc"
