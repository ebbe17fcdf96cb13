// Ten thousand clicks on Form1, every other one failing: the window must stay
// alive and right, and (under the asan preset) leak nothing.

#include "form1.h"

#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>

#include <array>

#include "starting_fix.h"
#include "window_design.h"

using quorvel::Form1;
using quorvel::test::Find;

class Form1SoakTest : public QObject {
    Q_OBJECT

private slots:
    void tenThousandClicks();
};

void Form1SoakTest::tenThousandClicks() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    Form1 form;
    int reports = 0;
    int lastCode = 0;
    form.setErrorReporter([&](QWidget*, const quorvel::RunTimeError& error) {
        ++reports;
        lastCode = error.code();
    });
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    struct Entry {
        const char* box;
        const char* text;
    };
    // Two good sets that give different fixes, so each good click shows.
    struct Good {
        Entry entry;
        const char* fix;
    };
    const std::array<Good, 2> good{{
        {{"A2", "30"}, quorvel::testing::kStartingFix},
        {{"A2", "-30"}, "145.420 W,  35.138 N"},  // away -30 is toward 30
    }};
    struct Bad {
        Entry entry;
        int code;
    };
    const std::array<Bad, 3> bad{{
        {{"Zn2", "340"}, 11},
        {{"Time1", "130"}, 5},
        {{"Time2", "x:30"}, 13},
    }};

    auto* command = Find<QPushButton>(&form, "Command1");
    auto* fixBox = Find<QLineEdit>(&form, "FixLL");
    QString shown;
    constexpr int kClicks = 10000;
    for (int i = 0; i < kClicks; ++i) {
        const auto round = static_cast<std::size_t>(i / 2);
        if (i % 2 == 0) {
            const Good& g = good[round % good.size()];
            Find<QLineEdit>(&form, g.entry.box)->setText(QString::fromLatin1(g.entry.text));
            QTest::mouseClick(command, Qt::LeftButton);
            shown = QString::fromLatin1(g.fix);
        } else {
            const Bad& b = bad[round % bad.size()];
            auto* box = Find<QLineEdit>(&form, b.entry.box);
            const QString before = box->text();
            box->setText(QString::fromLatin1(b.entry.text));
            QTest::mouseClick(command, Qt::LeftButton);
            QCOMPARE(lastCode, b.code);
            box->setText(before);
        }
        QCOMPARE(fixBox->text(), shown);
        QCOMPARE(reports, (i + 1) / 2);
    }
    QVERIFY(form.isVisible());
    QCOMPARE(reports, kClicks / 2);
}

QTEST_MAIN(Form1SoakTest)
#include "form1_soak_test.moc"
