#pragma once
// The two selectors: drop-down lists drawn by us, so that white on the dark field colour holds in
// the field and in the open list whatever the theme.

#include <windows.h>

#include <span>
#include <string>
#include <string_view>

// A drop-down list of the GBK `items`, the first selected. The font is borrowed.
HWND createDropDownList(HWND parent, int id, RECT place, std::span<const std::string_view> items,
                        HFONT font);

// The text of item `index`, or empty when there is none.
std::wstring listItemText(HWND list, int index);

// The height of one item: the platform's height for the font, plus two pixels.
int listItemHeight(HFONT font);

// Paints one item of the field or of the open list with the font and background brush given.
void drawListItem(const DRAWITEMSTRUCT& item, HFONT font, HBRUSH background);

// Colours for the part of an open list below its items; gives the brush to paint it with.
HBRUSH listColors(HDC dc, HBRUSH background);
