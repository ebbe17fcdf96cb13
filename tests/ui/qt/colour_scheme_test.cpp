// The window in the desktop's light and dark, fed by a stand-in for the
// portal on a session bus of the test's own (CTest runs it in
// dbus-run-session): dark and back as the preference
// changes, with what was typed, the choices and the fix kept, and every text,
// the error report's too, readable against its background in each.

#include "colour_scheme.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <map>

#include "contrast.h"
#include "error_report.h"
#include "form1.h"
#include "window_design.h"

using quorvel::Form1;
using quorvel::test::Find;
using quorvel::test::kDesign;
using quorvel::test::Kind;

namespace {

constexpr uint kNoPreference = 0;
constexpr uint kPreferDark = 1;
constexpr uint kPreferLight = 2;

double Luminance(QRgb colour) {
    return quorvel::test::Luminance(qRed(colour), qGreen(colour), qBlue(colour));
}

double Contrast(QRgb a, QRgb b) {
    return quorvel::test::ContrastRatio(Luminance(a), Luminance(b));
}

// The commonest colour in part of an image: what a text is drawn on.
QRgb Background(const QImage& image, const QRect& part) {
    std::map<QRgb, int> counts;
    for (int y = part.top(); y <= part.bottom(); ++y) {
        for (int x = part.left(); x <= part.right(); ++x) {
            ++counts[image.pixel(x, y) | 0xff000000];
        }
    }
    return std::ranges::max_element(counts, {}, &std::pair<const QRgb, int>::second)->first;
}

// A text's contrast: its background against the ink that differs most from
// it, the middle of a stroke.
double TextContrast(const QImage& image, const QRect& part) {
    const QRgb background = Background(image, part);
    double most = 1.0;
    for (int y = part.top(); y <= part.bottom(); ++y) {
        for (int x = part.left(); x <= part.right(); ++x) {
            most = std::max(most, Contrast(background, image.pixel(x, y)));
        }
    }
    return most;
}

// "dark" or "light" as the goals have it, from a window's background.
QString Shade(const QImage& image) {
    const double luminance = Luminance(Background(image, image.rect()));
    return luminance < 0.2   ? QStringLiteral("dark")
           : luminance > 0.6 ? QStringLiteral("light")
                             : QStringLiteral("neither: luminance %1").arg(luminance);
}

QString Shade(QWidget& window) {
    return Shade(window.grab().toImage());
}

// Where a control draws its text, in window coordinates.
QRect TextPart(const QWidget* control, const QWidget* window) {
    QRect part = control->rect();
    QStyleOptionButton option;
    option.initFrom(control);
    if (const auto* radio = qobject_cast<const QRadioButton*>(control)) {
        option.text = radio->text();
        part = control->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, control);
    } else if (const auto* button = qobject_cast<const QPushButton*>(control)) {
        option.text = button->text();
        part = control->style()->subElementRect(QStyle::SE_PushButtonContents, &option, control);
    } else if (qobject_cast<const QLineEdit*>(control) != nullptr) {
        part = part.adjusted(2, 2, -2, -2);  // inside the frame
    }
    // Clipped by a frame it sits in.
    for (const QWidget* w = control; w != window; w = w->parentWidget()) {
        part &= QRect(control->mapFrom(w->parentWidget(), QPoint(0, 0)), w->parentWidget()->size());
    }
    return part.translated(control->mapTo(window, QPoint(0, 0)));
}

// The stand-in portal, publishing `scheme` until told another.
class Portal {
public:
    explicit Portal(uint scheme, bool old = false) {
        QStringList arguments{QString::number(scheme)};
        if (old) {
            arguments << QStringLiteral("--read-only-old");
        }
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral(QUORVEL_PORTAL_STAND_IN), arguments);
        ready_ = nextLine() == "ready";
    }
    ~Portal() {
        process_.closeWriteChannel();
        if (!process_.waitForFinished()) {
            process_.kill();
            process_.waitForFinished();
        }
    }
    Portal(const Portal&) = delete;
    Portal& operator=(const Portal&) = delete;

    bool ready() const { return ready_; }
    // Whether the program has read the setting, and so listens for changes.
    bool asked() { return nextLine() == "asked"; }
    void change(uint scheme) {
        process_.write(QByteArray::number(scheme) + '\n');
        process_.waitForBytesWritten();
    }

private:
    QByteArray nextLine() {
        while (process_.waitForStarted() && !process_.canReadLine() &&
               process_.waitForReadyRead()) {
        }
        return process_.readLine().trimmed();
    }

    QProcess process_;
    bool ready_ = false;
};

struct Shown {
    QImage image;
    std::vector<std::pair<QString, QRect>> texts;
};

// The error report as it shows, grabbed before it is answered.
Shown ErrorReport(QWidget* window) {
    Shown shown;
    QTimer::singleShot(0, [&shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        shown.image = box->grab().toImage();
        for (const QLabel* label : box->findChildren<QLabel*>()) {
            if (!label->text().isEmpty()) {
                shown.texts.emplace_back(label->text(), TextPart(label, box));
            }
        }
        shown.texts.emplace_back(QStringLiteral("OK"), TextPart(box->button(QMessageBox::Ok), box));
        box->button(QMessageBox::Ok)->click();
    });
    quorvel::ShowRunTimeError(window, quorvel::RunTimeError(quorvel::ErrorNumber::TypeMismatch));
    return shown;
}

// Every text of the window and of its error report under 4.5:1 against its
// background, and a report in another shade than the window.
QStringList FaintTexts(QWidget& form) {
    std::vector<std::pair<QString, QRect>> texts;
    for (const auto& d : kDesign) {
        if (d.kind != Kind::Frame && d.kind != Kind::BorderedFrame) {
            texts.emplace_back(QString::fromLatin1(d.name), TextPart(Find(&form, d.name), &form));
        }
    }
    QStringList faint;
    const auto check = [&faint](const QImage& shot, const auto& parts) {
        for (const auto& [name, part] : parts) {
            const double contrast = TextContrast(shot, part);
            if (contrast < 4.5) {
                faint << QStringLiteral("%1 %2:1").arg(name).arg(contrast, 0, 'f', 2);
            }
        }
    };
    check(form.grab().toImage(), texts);
    const Shown report = ErrorReport(&form);
    if (report.texts.size() < 2 || Shade(report.image) != Shade(form)) {
        faint << QStringLiteral("the error report");
    }
    check(report.image, report.texts);
    return faint;
}

}  // namespace

class ColourSchemeTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { QApplication::setPalette(QPalette()); }  // not the last row's

    void followsTheDesktop_data() {
        QTest::addColumn<uint>("atStart");
        QTest::addColumn<bool>("oldPortal");
        QTest::addColumn<QString>("shade");
        QTest::newRow("no preference is light") << kNoPreference << false << "light";
        QTest::newRow("prefer dark") << kPreferDark << false << "dark";
        QTest::newRow("prefer light") << kPreferLight << false << "light";
        QTest::newRow("a portal with Read only") << kPreferDark << true << "dark";
    }

    void followsTheDesktop() {
        QFETCH(uint, atStart);
        QFETCH(bool, oldPortal);
        QFETCH(QString, shade);
        Portal portal(atStart, oldPortal);
        QVERIFY2(portal.ready(), "the stand-in portal did not start");
        quorvel::ColourSchemeFollower follower;
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(portal.asked());
        // qWaitFor, not QTRY_COMPARE: Qt 6.8's macro narrows its chrono
        // timeout inside our code, which -Wconversion refuses. The
        // comparison after the wait says what came instead.
        static_cast<void>(QTest::qWaitFor([&] { return Shade(form) == shade; }));
        QCOMPARE(Shade(form), shade);

        Find<QLineEdit>(&form, "Zn1")->setText(QStringLiteral("345"));
        QTest::mouseClick(Find<QRadioButton>(&form, "South2"), Qt::LeftButton);
        QTest::mouseClick(Find<QPushButton>(&form, "Command1"), Qt::LeftButton);
        const QString fix = Find<QLineEdit>(&form, "FixLL")->text();
        QVERIFY(!fix.isEmpty());
        const QStringList texts = quorvel::test::EntryTexts(&form);

        for (const uint scheme : {kPreferDark, kPreferLight, kPreferDark, kNoPreference}) {
            portal.change(scheme);
            const QString wanted = scheme == kPreferDark ? "dark" : "light";
            static_cast<void>(QTest::qWaitFor([&] { return Shade(form) == wanted; }));
            QCOMPARE(Shade(form), wanted);
            // The fix box keeps the button face of the shade it is in.
            const auto* box = Find<QLineEdit>(&form, "FixLL");
            const QImage image = form.grab().toImage();
            QCOMPARE(Background(image, TextPart(box, &form)),
                     form.palette().color(QPalette::Button).rgb());
            QCOMPARE(quorvel::test::EntryTexts(&form), texts);
            QCOMPARE(box->text(), fix);
            QVERIFY(Find<QRadioButton>(&form, "South2")->isChecked());
            const QStringList faint = FaintTexts(form);
            QVERIFY2(faint.isEmpty(), qPrintable(faint.join(QStringLiteral(", "))));
        }
    }
};

QTEST_MAIN(ColourSchemeTest)
#include "colour_scheme_test.moc"
