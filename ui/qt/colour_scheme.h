#pragma once

#include <QObject>
#include <QPalette>

#include <thread>

class QApplication;
class QDBusMessage;
class QDBusVariant;

namespace quorvel {

// The window's colours when the system prefers dark: every role the window
// and its error report draw with, in all three colour groups.
QPalette DarkPalette();

// Keeps the application's palette in step with the desktop's light or dark
// preference, as the freedesktop portal publishes it (the appearance's
// color-scheme) and, from Qt 6.5 on, as Qt reports it. Where the platform
// theme gives Qt a palette of its own (KDE Plasma's colour scheme, a GTK
// theme), that palette stands and this changes nothing.
class ColourSchemeFollower : public QObject {
    Q_OBJECT

public:
    // Starts reading the preference; a running portal's answer comes in the
    // first turn of the event loop, one that first has to be started later.
    explicit ColourSchemeFollower(QObject* parent = nullptr);
    ~ColourSchemeFollower() override;

private slots:
    void settingChanged(const QString& nameSpace, const QString& key, const QDBusVariant& value);

private:
    void busReady(bool running, const QDBusMessage& reply);
    void readWithoutWaiting(const QString& method);
    void apply(const QDBusMessage& reply);
    void setDark(bool dark);

    bool themePalette_ = false;
    bool dark_ = false;
    std::thread reader_;
};

// Makes the application follow the system's colour scheme from now on.
void FollowSystemColourScheme(QApplication& app);

}  // namespace quorvel
