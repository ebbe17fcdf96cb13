// The real program on a private X server and a private session bus: started
// as a user starts it, its window found as a window manager finds it, and
// closed as a window manager's close button closes it, with a WM_DELETE_WINDOW
// message. The program must then end by itself with status 0, show nothing
// else on the way, write nothing and leave no process running.

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

// Asking a window manager's questions of the X server directly.
class XDisplay {
public:
    explicit XDisplay(const QByteArray& name)
        : connection_(xcb_connect(name.constData(), nullptr)) {
        if (xcb_connection_has_error(connection_) == 0) {
            root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        }
    }
    ~XDisplay() { xcb_disconnect(connection_); }
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;

    bool ok() const { return xcb_connection_has_error(connection_) == 0; }

    // Be told of every top-level window that is mapped from now on.
    void watchTopLevelWindows() {
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection_);
    }

    // The windows mapped since the last call, without waiting.
    std::vector<xcb_window_t> newlyMapped() {
        std::vector<xcb_window_t> mapped;
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
            if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY) {
                mapped.push_back(reinterpret_cast<xcb_map_notify_event_t*>(event)->window);
            }
            std::free(event);
        }
        return mapped;
    }

    xcb_atom_t atom(const char* name) {
        const auto cookie =
            xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
        const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(connection_, cookie, nullptr), &std::free);
        return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }

    std::vector<std::uint8_t> property(xcb_window_t window, const char* name) {
        const auto cookie = xcb_get_property(connection_, 0, window, atom(name),
                                             XCB_GET_PROPERTY_TYPE_ANY, 0, 1 << 20);
        const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
            xcb_get_property_reply(connection_, cookie, nullptr), &std::free);
        if (!reply) {
            return {};
        }
        const auto* data = static_cast<const std::uint8_t*>(xcb_get_property_value(reply.get()));
        return {data, data + xcb_get_property_value_length(reply.get())};
    }

    std::vector<std::uint32_t> cardinals(xcb_window_t window, const char* name) {
        const std::vector<std::uint8_t> bytes = property(window, name);
        std::vector<std::uint32_t> values(bytes.size() / 4);
        std::memcpy(values.data(), bytes.data(), values.size() * 4);
        return values;
    }

    QString text(xcb_window_t window, const char* name) {
        const std::vector<std::uint8_t> bytes = property(window, name);
        return QString::fromUtf8(reinterpret_cast<const char*>(bytes.data()),
                                 static_cast<qsizetype>(bytes.size()));
    }

    // What a window manager sends when the user clicks the close button,
    // picks Close from the window menu or presses the close keystroke.
    void askToClose(xcb_window_t window) {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = atom("WM_PROTOCOLS");
        message.data.data32[0] = atom("WM_DELETE_WINDOW");
        message.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(connection_, 0, window, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&message));
        xcb_flush(connection_);
    }

private:
    xcb_connection_t* connection_;
    xcb_window_t root_ = XCB_WINDOW_NONE;
};

// The first line a starting server prints (its display number, its bus
// address), or nothing when it ends first.
QByteArray FirstLine(QProcess& server) {
    while (!server.canReadLine() && server.state() == QProcess::Running) {
        server.waitForReadyRead();
    }
    return server.readLine().trimmed();
}

// A session bus of the test's own, as a desktop session gives its programs
// one. Without it libdbus autolaunches a bus through dbus-launch (dbus-x11),
// which writes into the home and outlives the program.
class SessionBus {
public:
    SessionBus() {
        daemon_.setProgram(QStringLiteral("dbus-daemon"));
        daemon_.setArguments({QStringLiteral("--session"), QStringLiteral("--nofork"),
                              QStringLiteral("--print-address=1"),
                              QStringLiteral("--address=unix:dir=") + folder_.path()});
        // Its socket and its folder of services started at run time are its
        // own, and go with it, never into the session's runtime folder.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder_.path());
        daemon_.setProcessEnvironment(environment);
        daemon_.start();
        if (daemon_.waitForStarted()) {
            address_ = QString::fromUtf8(FirstLine(daemon_));
        }
    }
    ~SessionBus() {
        daemon_.terminate();
        daemon_.waitForFinished();
    }
    SessionBus(const SessionBus&) = delete;
    SessionBus& operator=(const SessionBus&) = delete;

    QString address() const { return address_; }
    // Its messages, kept for the report of a bus that did not start.
    QString errors() { return QString::fromLocal8Bit(daemon_.readAllStandardError()); }
    qint64 processId() const { return daemon_.processId(); }

private:
    QTemporaryDir folder_;
    QProcess daemon_;
    QString address_;
};

struct Process {
    pid_t pid;
    QString name;
};

// This process's children that are still running. As a subreaper it is
// also the parent of whatever a program it started leaves running.
std::vector<Process> RunningChildren() {
    const QByteArray self = QByteArray::number(getpid());
    std::vector<Process> children;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool isPid = false;
        const pid_t pid = entry.toInt(&isPid);
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!isPid || !stat.open(QIODevice::ReadOnly)) {
            continue;
        }
        // "pid (name) state ppid ...", where the name may hold spaces and brackets.
        const QByteArray line = stat.readAll();
        const qsizetype open = line.indexOf('(');
        const qsizetype close = line.lastIndexOf(')');
        const QList<QByteArray> fields = line.mid(close + 2).split(' ');
        if (open >= 0 && fields.size() > 1 && fields[0] != "Z" && fields[1] == self) {
            children.push_back({pid, QString::fromUtf8(line.mid(open + 1, close - open - 1))});
        }
    }
    return children;
}

// What a folder holds, hidden entries too.
QStringList Entries(const QTemporaryDir& folder) {
    return QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

}  // namespace

class AppCloseTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY2(prctl(PR_SET_CHILD_SUBREAPER, 1) == 0, "cannot watch for processes left behind");
        // A server of our own, on a display number it picks and tells us, so
        // runs side by side do not meet.
        xvfb_.setProgram(QStringLiteral("Xvfb"));
        xvfb_.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"),
                            QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                            QStringLiteral("-screen"), QStringLiteral("0"),
                            QStringLiteral("1024x768x24")});
        xvfb_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        xvfb_.start();
        QVERIFY2(xvfb_.waitForStarted(), "Xvfb did not start (Debian package xvfb)");
        const QByteArray number = FirstLine(xvfb_);
        QVERIFY2(!number.isEmpty(), "Xvfb ended without naming its display");
        display_ = ":" + number;
        x_ = std::make_unique<XDisplay>(display_);
        QVERIFY2(x_->ok(), display_.constData());
        x_->watchTopLevelWindows();
    }

    void cleanupTestCase() {
        x_.reset();
        xvfb_.terminate();
        xvfb_.waitForFinished();
    }

    // Ends what a run left running, the program's or its bus's, on every
    // way out of it, so that nothing outlives the test.
    void cleanup() {
        for (const auto& [child, name] : RunningChildren()) {
            if (child != xvfb_.processId()) {
                kill(child, SIGKILL);
                waitpid(child, nullptr, 0);
            }
        }
    }

    void closeButtonEndsTheProgram_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("started with no arguments") << QStringList{};
        QTest::newRow("an argument it has no use for is ignored")
            << QStringList{QStringLiteral("--frobnicate")};
    }

    void closeButtonEndsTheProgram() {
        QFETCH(QStringList, arguments);
        // An empty home and runtime folder, as a session gives them: whatever
        // the program writes there shows.
        QTemporaryDir home;
        QTemporaryDir runtime;
        // Fontconfig keeps a cache of its own when the system's is stale;
        // that is the font library's, not the program's.
        QTemporaryDir fontCache;
        QVERIFY(home.isValid() && runtime.isValid() && fontCache.isValid());
        SessionBus bus;
        QVERIFY2(
            !bus.address().isEmpty(),
            qPrintable("dbus-daemon did not start (Debian package dbus-daemon) " + bus.errors()));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(display_));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), fontCache.path());
        // The desktop this test may run in is not the program's.
        for (const char* name : {"WAYLAND_DISPLAY", "SESSION_MANAGER", "XDG_CONFIG_HOME",
                                 "XDG_DATA_HOME", "XDG_STATE_HOME"}) {
            environment.remove(QString::fromLatin1(name));
        }

        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(QUORVEL_PROGRAM), arguments);
        QVERIFY2(program.waitForStarted(), QUORVEL_PROGRAM);
        const auto pid = static_cast<std::uint32_t>(program.processId());

        // Wait for the window: the first top-level window of this process
        // that is mapped. Ending first is a failure of its own.
        std::optional<xcb_window_t> window;
        while (!window) {
            for (xcb_window_t mapped : x_->newlyMapped()) {
                if (x_->cardinals(mapped, "_NET_WM_PID") == std::vector<std::uint32_t>{pid}) {
                    window = mapped;
                }
            }
            if (!window && program.waitForFinished(50)) {
                QFAIL(qPrintable("ended before showing its window: " +
                                 QString::fromLocal8Bit(program.readAllStandardError())));
            }
        }

        QCOMPARE(x_->text(*window, "_NET_WM_NAME"), QStringLiteral("Kestrane Quorvel"));
        // The desktop ties the window to its launcher, icon and dock entry
        // by the class in WM_CLASS ("instance\0class\0").
        const QList<QByteArray> wmClass = Property(*window, "WM_CLASS").split('\0');
        QVERIFY2(wmClass.size() >= 2, "the window has no WM_CLASS");
        QCOMPARE(QString::fromUtf8(wmClass[1]), StartupWMClass());
        const std::vector<std::uint32_t> protocols = x_->cardinals(*window, "WM_PROTOCOLS");
        QVERIFY2(std::ranges::count(protocols, x_->atom("WM_DELETE_WINDOW")) == 1,
                 "the window does not take the close button's message");
        QCOMPARE(IconSizes(x_->cardinals(*window, "_NET_WM_ICON")),
                 (QList<QSize>{QSize(16, 16), QSize(32, 32)}));

        x_->askToClose(*window);
        QStringList others;
        while (!program.waitForFinished(50)) {
            for (xcb_window_t mapped : x_->newlyMapped()) {
                if (x_->cardinals(mapped, "_NET_WM_PID") == std::vector<std::uint32_t>{pid}) {
                    // A question on the way out: the program would wait for
                    // an answer no one gives.
                    others << x_->text(mapped, "_NET_WM_NAME");
                    program.kill();
                }
            }
        }
        QVERIFY2(others.isEmpty(), qPrintable("a window came up on closing: " + others.join(u',')));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);

        // Whatever it left running has come to this test, its subreaper.
        QStringList running;
        for (const auto& [child, name] : RunningChildren()) {
            if (child != xvfb_.processId() && child != bus.processId()) {
                running << name;
            }
        }
        QVERIFY2(running.isEmpty(), qPrintable("left running: " + running.join(u',')));
        QVERIFY2(Entries(home).isEmpty(),
                 qPrintable("wrote into the home: " + Entries(home).join(u',')));
        QVERIFY2(Entries(runtime).isEmpty(),
                 qPrintable("wrote into the runtime folder: " + Entries(runtime).join(u',')));
    }

private:
    QByteArray Property(xcb_window_t window, const char* name) {
        const std::vector<std::uint8_t> bytes = x_->property(window, name);
        return {reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())};
    }

    // The window class the installed desktop entry says its window has.
    static QString StartupWMClass() {
        QFile entry(QStringLiteral(QUORVEL_DESKTOP_FILE));
        if (!entry.open(QIODevice::ReadOnly | QIODevice::Text)) {
            return QStringLiteral("(no desktop entry " QUORVEL_DESKTOP_FILE ")");
        }
        const QByteArray key = "StartupWMClass=";
        while (!entry.atEnd()) {
            const QByteArray line = entry.readLine().trimmed();
            if (line.startsWith(key)) {
                return QString::fromUtf8(line.mid(key.size()));
            }
        }
        return QStringLiteral("(no StartupWMClass in " QUORVEL_DESKTOP_FILE ")");
    }

    // The sizes of the images in a _NET_WM_ICON value (width, height, pixels;
    // repeated), smallest first.
    static QList<QSize> IconSizes(const std::vector<std::uint32_t>& value) {
        QList<QSize> sizes;
        for (std::size_t at = 0; at + 2 <= value.size();
             at += 2 + std::size_t{value[at]} * value[at + 1]) {
            sizes << QSize(static_cast<int>(value[at]), static_cast<int>(value[at + 1]));
        }
        std::ranges::sort(sizes, {}, &QSize::width);
        return sizes;
    }

    QProcess xvfb_;
    QByteArray display_;
    std::unique_ptr<XDisplay> x_;
};

QTEST_GUILESS_MAIN(AppCloseTest)
#include "app_close_test.moc"
