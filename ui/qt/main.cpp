#include <QApplication>

#include "application.h"

// Straight into the window: no options, no settings, nothing read or written.
// The exit status is the event loop's, 0 once the window has been closed.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    quorvel::DescribeApplication(app);
    const auto window = quorvel::ShowMainWindow();
    return QApplication::exec();
}
