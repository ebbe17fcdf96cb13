#include "colour_scheme.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QStyle>
#include <QStyleHints>

namespace quorvel {
namespace {

const QString kPortal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kSettings = QStringLiteral("org.freedesktop.portal.Settings");
const QString kAppearance = QStringLiteral("org.freedesktop.appearance");
const QString kColorScheme = QStringLiteral("color-scheme");
// The portal's values: 0 no preference, 1 prefer dark, 2 prefer light.
constexpr uint kPreferDark = 1;
// A running portal answers in a millisecond or two; one that hangs must not
// hold the window back for long.
constexpr int kRunningPortalTimeoutMs = 250;

// ReadOne sends the value in a variant, the older Read in a variant within
// the variant.
QVariant Unwrapped(QVariant value) {
    while (value.metaType() == QMetaType::fromType<QDBusVariant>()) {
        value = value.value<QDBusVariant>().variant();
    }
    return value;
}

QDBusMessage ReadCall(const QString& method) {
    QDBusMessage call = QDBusMessage::createMethodCall(kPortal, kPortalPath, kSettings, method);
    call << kAppearance << kColorScheme;
    return call;
}

// Portals before version 2 have Read only.
bool LacksReadOne(const QDBusMessage& reply) {
    return reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.UnknownMethod");
}

}  // namespace

QPalette DarkPalette() {
    // Light text on dark greys: text stands at 9:1 or more against the
    // window, the entries and the button face alike. Entries are darker than
    // the window and the button face lighter, so each box stands out from it.
    const QColor window(0x2b, 0x2b, 0x2b);
    const QColor text(0xe8, 0xe8, 0xe8);
    const QColor base(0x1c, 0x1c, 0x1c);
    const QColor button(0x3a, 0x3a, 0x3a);
    const QColor disabledText(0x8c, 0x8c, 0x8c);

    QPalette palette(text, button, QColor(0x55, 0x55, 0x55), QColor(0x1e, 0x1e, 0x1e),
                     QColor(0x33, 0x33, 0x33), text, Qt::white, base, window);
    palette.setColor(QPalette::Shadow, Qt::black);
    palette.setColor(QPalette::AlternateBase, QColor(0x26, 0x26, 0x26));
    palette.setColor(QPalette::ToolTipBase, button);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, QColor(0xa0, 0xa0, 0xa0));
    palette.setColor(QPalette::Link, QColor(0x6c, 0xb4, 0xff));
    palette.setColor(QPalette::LinkVisited, QColor(0xb4, 0x8c, 0xff));
    // A light blue: black on it is 7:1 (a selection in an entry or the fix
    // box), and the focus ring drawn a shade darker still 3:1 on the window.
    palette.setColor(QPalette::Highlight, QColor(0x5b, 0x9b, 0xf0));
    palette.setColor(QPalette::HighlightedText, Qt::black);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, disabledText);
    }
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(0x46, 0x46, 0x46));
    palette.setColor(QPalette::Disabled, QPalette::HighlightedText, disabledText);
    return palette;
}

ColourSchemeFollower::ColourSchemeFollower(QObject* parent) : QObject(parent) {
    // With no platform theme of its own, Qt's palette is the style's standard
    // one; any other palette came from the desktop, which keeps it in step.
    // (The style first: making it gives the application its palette.)
    const QPalette standard = QApplication::style()->standardPalette();
    themePalette_ = QApplication::palette() != standard;

#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    const auto followQt = [this](Qt::ColorScheme scheme) {
        if (scheme != Qt::ColorScheme::Unknown) {
            setDark(scheme == Qt::ColorScheme::Dark);
        }
    };
    followQt(QGuiApplication::styleHints()->colorScheme());
    connect(QGuiApplication::styleHints(), &QStyleHints::colorSchemeChanged, this, followQt);
#endif

    if (themePalette_) {
        return;
    }
    // The slot's signature names QDBusVariant, which QtDBus finds only once
    // the type is known to Qt's meta-types; nothing has used it this early.
    qRegisterMetaType<QDBusVariant>();
    // Connecting to the session bus takes a millisecond or more: that is done
    // beside the window being built, so start-up does not wait for it. Asking
    // whether the portal is there starts nothing; a running portal is read at
    // once, usually before the window's first paint.
    reader_ = std::thread([this] {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected()) {
            return;
        }
        // Listening before reading, so no change falls between the two.
        bus.connect(kPortal, kPortalPath, kSettings, QStringLiteral("SettingChanged"), this,
                    SLOT(settingChanged(QString, QString, QDBusVariant)));
        const bool running = bus.interface()->isServiceRegistered(kPortal);
        QDBusMessage reply;
        if (running) {
            reply = bus.call(ReadCall(QStringLiteral("ReadOne")), QDBus::Block,
                             kRunningPortalTimeoutMs);
            if (LacksReadOne(reply)) {
                reply = bus.call(ReadCall(QStringLiteral("Read")), QDBus::Block,
                                 kRunningPortalTimeoutMs);
            }
        }
        QMetaObject::invokeMethod(
            this, [this, running, reply] { busReady(running, reply); }, Qt::QueuedConnection);
    });
}

ColourSchemeFollower::~ColourSchemeFollower() {
    if (reader_.joinable()) {
        reader_.join();
    }
}

void ColourSchemeFollower::busReady(bool running, const QDBusMessage& reply) {
    if (running) {
        apply(reply);
    } else {
        // Asking the portal starts it, which can take seconds: not waited for.
        readWithoutWaiting(QStringLiteral("ReadOne"));
    }
}

void ColourSchemeFollower::readWithoutWaiting(const QString& method) {
    auto* watcher = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(ReadCall(method)), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, method](QDBusPendingCallWatcher* answered) {
                answered->deleteLater();
                if (method == QLatin1String("ReadOne") && LacksReadOne(answered->reply())) {
                    readWithoutWaiting(QStringLiteral("Read"));
                } else {
                    apply(answered->reply());
                }
            });
}

void ColourSchemeFollower::apply(const QDBusMessage& reply) {
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
        settingChanged(kAppearance, kColorScheme, QDBusVariant(reply.arguments().constFirst()));
    }
}

void ColourSchemeFollower::settingChanged(const QString& nameSpace, const QString& key,
                                          const QDBusVariant& value) {
    if (nameSpace != kAppearance || key != kColorScheme) {
        return;
    }
    bool isNumber = false;
    const uint scheme = Unwrapped(value.variant()).toUInt(&isNumber);
    if (isNumber) {
        setDark(scheme == kPreferDark);
    }
}

void ColourSchemeFollower::setDark(bool dark) {
    if (themePalette_ || dark == dark_) {
        return;
    }
    dark_ = dark;
    // An empty palette gives the application back Qt's own.
    QApplication::setPalette(dark ? DarkPalette() : QPalette());
}

void FollowSystemColourScheme(QApplication& app) {
    new ColourSchemeFollower(&app);
}

}  // namespace quorvel
