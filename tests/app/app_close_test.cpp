// The real program on a private X server: started as a user starts it, its
// window found as a window manager finds it, and closed as a window manager's
// close button closes it, with a WM_DELETE_WINDOW message. The program must
// then end by itself with status 0 and show nothing else on the way.

#include <xcb/xcb.h>

#include <QDir>
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

}  // namespace

class AppCloseTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
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
        while (!xvfb_.canReadLine() && xvfb_.state() == QProcess::Running) {
            xvfb_.waitForReadyRead();
        }
        const QByteArray number = xvfb_.readLine().trimmed();
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

    void closeButtonEndsTheProgram_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("started with no arguments") << QStringList{};
        QTest::newRow("an argument it has no use for is ignored")
            << QStringList{QStringLiteral("--frobnicate")};
    }

    void closeButtonEndsTheProgram() {
        QFETCH(QStringList, arguments);
        // An empty home: whatever the program reads or writes there shows.
        QTemporaryDir home;
        QVERIFY(home.isValid());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(display_));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("HOME"), home.path());
        for (const char* name : {"WAYLAND_DISPLAY", "XDG_CONFIG_HOME", "XDG_DATA_HOME",
                                 "XDG_STATE_HOME", "XDG_CACHE_HOME"}) {
            environment.remove(QString::fromLatin1(name));
        }
        // Fontconfig keeps a cache of its own under the home when the
        // system's is stale; that is the font library's, not the program's.
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral(".fc")));

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

        QStringList left =
            QDir(home.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        left.removeAll(QStringLiteral(".fc"));
        QVERIFY2(left.isEmpty(), qPrintable("wrote into the home: " + left.join(u',')));
    }

private:
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
