#include "ui/push_button.h"

HWND createPushButton(HWND parent, int id, RECT place, const wchar_t* text, HFONT font,
                      HBITMAP picture) {
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE |
                  BS_CENTER | BS_VCENTER;
    if (picture) style |= BS_BITMAP;
    HWND button =
        CreateWindowExW(0, L"BUTTON", text, style, place.left, place.top, place.right - place.left,
                        place.bottom - place.top, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    if (!button) return nullptr;
    if (font) SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (picture) SendMessageW(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
    return button;
}
