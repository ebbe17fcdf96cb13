// Stands in for the desktop's portal on a session bus: its Settings
// interface with the appearance's color-scheme, as GNOME or KDE Plasma
// publish it. The first argument is the starting value (0 no preference,
// 1 dark, 2 light); each line on standard input is a new value, announced
// with SettingChanged as a desktop switching at sunset does. With
// --read-only-old, ReadOne is missing, as in portals before version 2.
// Prints "ready" once it owns the portal's name, and "asked" when read.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusError>
#include <QDBusVariant>
#include <QSocketNotifier>

#include <unistd.h>

#include <cstdio>

namespace {

class Settings : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")

public:
    Settings(uint scheme, bool hasReadOne) : scheme_(scheme), hasReadOne_(hasReadOne) {}

    void change(uint scheme) {
        scheme_ = scheme;
        emit SettingChanged(QStringLiteral("org.freedesktop.appearance"),
                            QStringLiteral("color-scheme"), QDBusVariant(scheme));
    }

public slots:
    QDBusVariant ReadOne(const QString& nameSpace, const QString& key) {
        Asked();
        if (!hasReadOne_) {
            sendErrorReply(QDBusError::UnknownMethod, QStringLiteral("No such method ReadOne"));
            return {};
        }
        return value(nameSpace, key);
    }
    QDBusVariant Read(const QString& nameSpace, const QString& key) {
        Asked();
        return QDBusVariant(QVariant::fromValue(value(nameSpace, key)));
    }

signals:
    void SettingChanged(const QString& nameSpace, const QString& key, const QDBusVariant& value);

private:
    static void Asked() {
        std::printf("asked\n");
        std::fflush(stdout);
    }

    QDBusVariant value(const QString& nameSpace, const QString& key) {
        if (nameSpace != QLatin1String("org.freedesktop.appearance") ||
            key != QLatin1String("color-scheme")) {
            sendErrorReply(QStringLiteral("org.freedesktop.portal.Error.NotFound"),
                           QStringLiteral("Requested setting not found"));
        }
        return QDBusVariant(scheme_);
    }

    uint scheme_;
    bool hasReadOne_;
};

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    Settings settings(arguments.value(1).toUInt(),
                      !arguments.contains(QStringLiteral("--read-only-old")));
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), &settings,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals) ||
        !bus.registerService(QStringLiteral("org.freedesktop.portal.Desktop"))) {
        std::fprintf(stderr, "portal_stand_in: %s\n", qPrintable(bus.lastError().message()));
        return 1;
    }

    QSocketNotifier lines(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&lines, &QSocketNotifier::activated, &app, [&] {
        char buffer[64];
        const ssize_t size = read(STDIN_FILENO, buffer, sizeof buffer);
        if (size <= 0) {
            QCoreApplication::quit();  // the test has closed our input
            return;
        }
        for (const QByteArray& line : QByteArray(buffer, size).split('\n')) {
            if (!line.trimmed().isEmpty()) {
                settings.change(line.trimmed().toUInt());
            }
        }
    });
    std::printf("ready\n");
    std::fflush(stdout);
    return QCoreApplication::exec();
}

#include "portal_stand_in.moc"
