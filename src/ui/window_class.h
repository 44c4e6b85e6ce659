#pragma once

#include <windows.h>

// Registers a window class of this program once; true if it is registered now or already was.
// Every class has the arrow pointer; `extraBytes` are its window words, `background` its brush.
bool registerWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure,
                         int extraBytes = 0, HBRUSH background = nullptr);
