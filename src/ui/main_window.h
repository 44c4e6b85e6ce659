#pragma once
// The one window: sixteen controls over four picture boxes.

#include <windows.h>

#include "ui/control_table.h"

// Builds the window and its controls, runs the creation-finished event (onMainWindowCreated), then
// shows the window centred on the screen with the focus on the level list. A window or control that
// cannot be made ends the process through fatalError.
HWND createMainWindow(HINSTANCE instance);

// The control `id` of a main window, or null.
HWND controlOf(HWND mainWindow, ControlId id);
