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
    // White on this blue is 5.5:1, a selection in an entry or the fix box.
    palette.setColor(QPalette::Highlight, QColor(0x2f, 0x65, 0xca));
    palette.setColor(QPalette::HighlightedText, Qt::white);
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

    QDBusConnection bus = QDBusConnection::sessionBus();
    if (themePalette_ || !bus.isConnected()) {
        return;
    }
    // The slot's signature names QDBusVariant, which QtDBus finds only once
    // the type is known to Qt's meta-types; nothing has used it this early.
    qRegisterMetaType<QDBusVariant>();
    bus.connect(kPortal, kPortalPath, kSettings, QStringLiteral("SettingChanged"), this,
                SLOT(settingChanged(QString, QString, QDBusVariant)));
    // Asking whether the portal is there starts nothing; asking the portal
    // itself would start it, which can take seconds, so that is not waited for.
    const bool running = bus.interface()->isServiceRegistered(kPortal);
    read(QStringLiteral("ReadOne"), running);
}

void ColourSchemeFollower::read(const QString& method, bool wait) {
    QDBusMessage call = QDBusMessage::createMethodCall(kPortal, kPortalPath, kSettings, method);
    call << kAppearance << kColorScheme;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (wait) {
        readAnswered(method, bus.call(call, QDBus::Block, kRunningPortalTimeoutMs), wait);
        return;
    }
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, method](QDBusPendingCallWatcher* answered) {
                answered->deleteLater();
                readAnswered(method, answered->reply(), false);
            });
}

void ColourSchemeFollower::readAnswered(const QString& method, const QDBusMessage& reply,
                                        bool wait) {
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
        settingChanged(kAppearance, kColorScheme, QDBusVariant(reply.arguments().constFirst()));
    } else if (method == QLatin1String("ReadOne") &&
               reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.UnknownMethod")) {
        // Portals before version 2 have Read only.
        read(QStringLiteral("Read"), wait);
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
