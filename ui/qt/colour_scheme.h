#pragma once

#include <QObject>
#include <QPalette>

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
    // Reads the preference before returning when a portal is running, so the
    // first paint is already in the right colours; a portal that first has
    // to be started is asked without waiting.
    explicit ColourSchemeFollower(QObject* parent = nullptr);

private slots:
    void settingChanged(const QString& nameSpace, const QString& key, const QDBusVariant& value);

private:
    void read(const QString& method, bool wait);
    void readAnswered(const QString& method, const QDBusMessage& reply, bool wait);
    void setDark(bool dark);

    bool themePalette_ = false;
    bool dark_ = false;
};

// Makes the application follow the system's colour scheme from now on.
void FollowSystemColourScheme(QApplication& app);

}  // namespace quorvel
