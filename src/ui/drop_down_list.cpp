#include "ui/drop_down_list.h"

#include "ui/control_table.h"
#include "ui/gbk.h"
#include "ui/owned.h"

namespace {

constexpr int textIndent = 4;

COLORREF colorOf(Rgb rgb) {
    return RGB(rgb.red, rgb.green, rgb.blue);
}

}  // namespace

HWND createDropDownList(HWND parent, int id, RECT place, std::span<const std::string_view> items,
                        HFONT font) {
    // CBS_NOINTEGRALHEIGHT keeps the open height at the one given, list and field together.
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST |
                        CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | CBS_NOINTEGRALHEIGHT;
    HWND list =
        CreateWindowExW(0, L"COMBOBOX", L"", style, place.left, place.top, place.right - place.left,
                        place.bottom - place.top, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    if (!list) return nullptr;
    SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (std::string_view item : items) {
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(fromGbk(item).c_str()));
    }
    SendMessageW(list, CB_SETCURSEL, 0, 0);
    return list;
}

std::wstring listItemText(HWND list, int index) {
    if (index < 0) return {};
    const LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

int listItemHeight(HFONT font) {
    WindowDc screen(nullptr);
    Selected selected(screen.get(), font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.get(), &metrics);
    return metrics.tmHeight + listItemExtraHeight;
}

// The field keeps its dark colours and shows the focus with a dotted frame; the highlighted item
// of the open list takes the platform's highlight colours.
void drawListItem(const DRAWITEMSTRUCT& item, HFONT font, HBRUSH background) {
    const bool inField = (item.itemState & ODS_COMBOBOXEDIT) != 0;
    const bool highlighted = (item.itemState & ODS_SELECTED) != 0 && !inField;
    RECT area = item.rcItem;
    FillRect(item.hDC, &area, highlighted ? GetSysColorBrush(COLOR_HIGHLIGHT) : background);
    const std::wstring text = listItemText(item.hwndItem, static_cast<int>(item.itemID));
    if (!text.empty()) {
        Selected selected(item.hDC, font);
        SetBkMode(item.hDC, TRANSPARENT);
        SetTextColor(item.hDC,
                     highlighted ? GetSysColor(COLOR_HIGHLIGHTTEXT) : colorOf(listTextColor));
        RECT textArea = area;
        textArea.left += textIndent;
        DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &textArea,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (inField && (item.itemState & ODS_FOCUS)) DrawFocusRect(item.hDC, &area);
}

HBRUSH listColors(HDC dc, HBRUSH background) {
    SetTextColor(dc, colorOf(listTextColor));
    SetBkColor(dc, colorOf(listBackground));
    return background;
}
