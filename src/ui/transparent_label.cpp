#include "ui/transparent_label.h"

#include <string>

#include "ui/owned.h"
#include "ui/window_class.h"

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

// The parent's painting beneath the label, drawn into the label's own DC: the picture under the
// label wipes out the previous text.
void paintParentBeneath(HWND label, HDC dc) {
    HWND parent = GetParent(label);
    POINT origin{0, 0};
    MapWindowPoints(label, parent, &origin, 1);
    POINT previous{};
    SetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
    SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

LRESULT onPaint(HWND label) {
    PaintScope paint(label);
    paintLabel(label, paint.get());
    return 0;
}

// Redrawn at once through the label's own DC, not by invalidating the parent: under Wine every
// window repainted through WM_PAINT costs a round of server calls, and the parent with the labels
// it holds under this one made three or four of them per caption. Siblings above the label are
// clipped out of its DC, and where it lies above a sibling only the label shows, so overlapping
// neighbours stay intact.
LRESULT onSetText(HWND label, WPARAM wParam, LPARAM lParam) {
    const LRESULT stored = DefWindowProcW(label, WM_SETTEXT, wParam, lParam);
    if (IsWindowVisible(label)) {
        WindowDc dc(label);
        paintParentBeneath(label, dc.get());
        paintLabel(label, dc.get());
    }
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
    return registerWindowClass(instance, labelClass, labelProc, 2 * sizeof(LONG_PTR));
}

HWND createTransparentLabel(HWND parent, int id, RECT place, const wchar_t* text,
                            const LabelStyle& style) {
    return CreateWindowExW(0, labelClass, text, WS_CHILD | WS_CLIPSIBLINGS, place.left, place.top,
                           place.right - place.left, place.bottom - place.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)),
                           const_cast<LabelStyle*>(&style));
}
