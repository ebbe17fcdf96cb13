// Holds the Wine session's desktop for the whole test run. Under a persistent
// wineserver, Wine 8 ends the desktop process a few seconds after its last
// program has gone, and a window opened while it ends never appears; while
// this program is connected to the desktop, the desktop stays. Started and
// ended by tools/wine-session, with its output in the session's log.
#include <windows.h>

#include <cstdio>

int main() {
    if (GetDesktopWindow() == nullptr) {
        std::fputs("no desktop window\n", stderr);
        return 1;
    }
    std::puts("holding the desktop");
    std::fflush(stdout);
    Sleep(INFINITE);
    return 0;
}
