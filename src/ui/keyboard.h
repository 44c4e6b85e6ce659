#pragma once
// The window's keys, taken in the message loop before dispatch so that they work the same
// whichever control, on whichever parent, has the focus: Tab and Shift+Tab move through the focus
// order with wrap, Esc closes the window (also with a list open), Enter does nothing.

#include <windows.h>

// True when the message was one of these keys and has been used up.
bool handleWindowKeys(HWND mainWindow, const MSG& message);
