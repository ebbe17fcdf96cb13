#include <QApplication>

#include <cstdio>
#include <string>

#include "application.h"
#include "colour_scheme.h"
#include "display_check.h"

// Straight into the window: no options, no settings, nothing read or written.
// The exit status is the event loop's, 0 once the window has been closed, or
// 1 when there is no X server to show the window on.
int main(int argc, char* argv[]) {
    if (const std::string report = quorvel::UnreachableDisplay(argc, argv); !report.empty()) {
        std::fprintf(stderr, "%s\n", report.c_str());
        return 1;
    }
    QApplication app(argc, argv);
    quorvel::DescribeApplication(app);
    quorvel::FollowSystemColourScheme(app);
    const auto window = quorvel::ShowMainWindow();
    return QApplication::exec();
}
