// The built program started where it cannot show a window: a DISPLAY whose
// X server is not there, or none at all. It says so in one sentence with the
// way round it, and ends with status 1, instead of aborting with Qt's advice
// to reinstall it.

#include <QFile>
#include <QProcess>
#include <QTest>

namespace {

// A display number no X server here uses: no socket, no lock file.
QString FreeDisplay() {
    for (int n = 4999; n > 100; --n) {
        if (!QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)) &&
            !QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n))) {
            return QStringLiteral(":%1").arg(n);
        }
    }
    return {};
}

}  // namespace

class NoDisplayTest : public QObject {
    Q_OBJECT

private slots:
    void saysWhyAndHow_data() {
        const QString program = QStringLiteral(QUORVEL_PROGRAM);
        const QString way = "; to run it without a desktop, start it as: xvfb-run -a " + program;
        const QString display = FreeDisplay();
        QVERIFY(!display.isEmpty());
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("platform");
        QTest::addColumn<QString>("report");
        QTest::newRow("no X server on the display")
            << display << QString()
            << "Quorvel cannot open its window: no X server answers on display " + display + way;
        QTest::newRow("X asked for by name")
            << display << QStringLiteral("xcb")
            << "Quorvel cannot open its window: no X server answers on display " + display + way;
        QTest::newRow("no display set")
            << QString() << QString()
            << "Quorvel cannot open its window: no X display is set (DISPLAY is empty)" + way;
    }

    void saysWhyAndHow() {
        QFETCH(QString, display);
        QFETCH(QString, platform);
        QFETCH(QString, report);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.remove(QStringLiteral("DISPLAY"));
        if (!display.isEmpty()) {
            environment.insert(QStringLiteral("DISPLAY"), display);
        }
        if (!platform.isEmpty()) {
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
        }
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(QUORVEL_PROGRAM), {});
        QVERIFY(program.waitForFinished());
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        QCOMPARE(QString::fromLocal8Bit(program.readAllStandardError()), report + '\n');
        QCOMPARE(program.readAllStandardOutput(), QByteArray());
    }
};

QTEST_GUILESS_MAIN(NoDisplayTest)
#include "no_display_test.moc"
