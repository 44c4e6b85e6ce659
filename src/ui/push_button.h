#pragma once

#include <windows.h>

// An ordinary push button (never the default button). With a picture it shows only the picture,
// centred on its face; without one, its text, centred and broken onto lines as needed. The font
// and the picture are borrowed and must outlive the button.
HWND createPushButton(HWND parent, int id, RECT place, const wchar_t* text, HFONT font,
                      HBITMAP picture);
