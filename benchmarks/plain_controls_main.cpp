// The start-up baseline: the program's window and controls in the plainest form.
#include <windows.h>

#include "plain_controls.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (!createPlainControlsWindow(instance)) return 1;
    return runPlainEventLoop();
}
