#include "application.h"

#include <QApplication>
#include <QIcon>

#include "quorvel_version.h"

namespace quorvel {

void DescribeApplication(QApplication& app) {
    QApplication::setApplicationName(QString::fromLatin1(kProductName));
    QApplication::setOrganizationName(QString::fromLatin1(kCompanyName));
    QApplication::setApplicationVersion(QString::fromLatin1(kVersionText));
    // Lets a Wayland compositor match the window to the installed desktop entry.
    QApplication::setDesktopFileName(QString::fromLatin1(kAppId));
    // Both images of the icon file, 32x32 and 16x16, become one icon; every
    // window without an icon of its own shows it.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/quorvel.ico")));
    // The window is the whole program: closing it ends the run, with no question.
    app.setQuitOnLastWindowClosed(true);
}

std::unique_ptr<Form1> ShowMainWindow() {
    auto window = std::make_unique<Form1>();
    window->show();
    return window;
}

}  // namespace quorvel
