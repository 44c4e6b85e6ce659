// The start-up floor: one empty window of the program's size.
#include <windows.h>

#include "plain_controls.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (!createBareWindow(instance)) return 1;
    return runPlainEventLoop();
}
