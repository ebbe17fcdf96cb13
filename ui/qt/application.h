#pragma once

#include <memory>

#include "form1.h"

class QApplication;

namespace quorvel {

// Gives the application the name, organisation, version and icon that the
// desktop and the window show. Reads no settings.
void DescribeApplication(QApplication& app);

// Creates the one window with its starting entries and shows it where the
// windowing system places a new window. Closing it ends the event loop, since
// it is the last window.
std::unique_ptr<Form1> ShowMainWindow();

}  // namespace quorvel
