#include <windows.h>

#include "form1.h"

// Straight into the window: no options, no settings, nothing read or written.
// The exit code is 0 once the window has been closed.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    quorvel::Form1 form(instance);
    if (form.window() == nullptr) {
        return 1;
    }
    form.show(showCommand);
    return quorvel::RunMessageLoop(form);
}
