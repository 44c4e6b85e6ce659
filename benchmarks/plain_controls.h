#pragma once
// Start-up and memory baselines for the program's window, built in the plainest way the system
// allows.

#include <windows.h>

// The program's window and its sixteen controls at the same places, with the same parents, texts,
// list items and stacking, but made of the system's STATIC, BUTTON and COMBOBOX classes only: no
// fonts, pictures, colours or owner-draw. Shown centred with the focus on the level list.
HWND createPlainControlsWindow(HINSTANCE instance);

// An empty window of the same size, style and place.
HWND createBareWindow(HINSTANCE instance);

// GetMessage, TranslateMessage, DispatchMessage until the window is closed.
int runPlainEventLoop();
