#pragma once
// A label that draws only its text, in its own colour and font, over what its parent shows.
// Setting its text repaints the parent's area under it at once, so no trace of a longer earlier
// text stays and overlapping labels keep their texts.

#include <windows.h>

#include "ui/control_table.h"

bool registerTransparentLabelClass(HINSTANCE instance);

// The style must outlive the label; the font is borrowed and set with WM_SETFONT.
HWND createTransparentLabel(HWND parent, int id, RECT place, const wchar_t* text,
                            const LabelStyle& style);
