#include "ui/transparent_label.h"

#include <string>

#include "ui/owned.h"

namespace {

constexpr wchar_t labelClass[] = L"FormationLabel";

// The label's two window words: its style and the font it was given.
constexpr int styleSlot = 0;
constexpr int fontSlot = sizeof(LONG_PTR);

const LabelStyle& styleOf(HWND label) {
    return *reinterpret_cast<const LabelStyle*>(GetWindowLongPtrW(label, styleSlot));
}

HFONT fontOf(HWND label) {
    return reinterpret_cast<HFONT>(GetWindowLongPtrW(label, fontSlot));
}

std::wstring textOf(HWND label) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(label)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(label, text.data(), static_cast<int>(text.size()))));
    return text;
}

void paintLabel(HWND label, HDC dc) {
    const LabelStyle& style = styleOf(label);
    RECT area{};
    GetClientRect(label, &area);
    const std::wstring text = textOf(label);
    if (text.empty()) return;
    Selected font(dc, fontOf(label) ? fontOf(label) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(style.color.red, style.color.green, style.color.blue));
    const UINT layout =
        DT_LEFT | DT_NOPREFIX | (style.wraps ? DT_WORDBREAK | DT_TOP : DT_SINGLELINE | DT_VCENTER);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, layout);
}

LRESULT onPaint(HWND label) {
    PaintScope paint(label);
    paintLabel(label, paint.get());
    return 0;
}

// The parent's painting wipes out the old text before the new one is drawn over it.
LRESULT onSetText(HWND label, WPARAM wParam, LPARAM lParam) {
    const LRESULT stored = DefWindowProcW(label, WM_SETTEXT, wParam, lParam);
    HWND parent = GetParent(label);
    RECT area{};
    GetWindowRect(label, &area);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&area), 2);
    RedrawWindow(parent, &area, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return stored;
}

LRESULT CALLBACK labelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
        case WM_NCCREATE:
            SetWindowLongPtrW(label, styleSlot,
                              reinterpret_cast<LONG_PTR>(
                                  reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
            break;
        case WM_ERASEBKGND: return 1;  // no background of its own
        case WM_PAINT: return onPaint(label);
        case WM_PRINTCLIENT: paintLabel(label, reinterpret_cast<HDC>(wParam)); return 0;
        case WM_SETTEXT: return onSetText(label, wParam, lParam);
        case WM_SETFONT:
            SetWindowLongPtrW(label, fontSlot, static_cast<LONG_PTR>(wParam));
            return 0;
        case WM_GETFONT: return GetWindowLongPtrW(label, fontSlot);
    }
    return DefWindowProcW(label, message, wParam, lParam);
}

}  // namespace

bool registerTransparentLabelClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    if (GetClassInfoExW(instance, labelClass, &windowClass)) return true;
    windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = labelProc;
    windowClass.cbWndExtra = 2 * sizeof(LONG_PTR);
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = labelClass;
    return RegisterClassExW(&windowClass) != 0;
}

HWND createTransparentLabel(HWND parent, int id, RECT place, const wchar_t* text,
                            const LabelStyle& style) {
    return CreateWindowExW(0, labelClass, text, WS_CHILD | WS_CLIPSIBLINGS, place.left, place.top,
                           place.right - place.left, place.bottom - place.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)),
                           const_cast<LabelStyle*>(&style));
}
