#include "ui/keyboard.h"

#include <cstddef>

#include "ui/main_window.h"

namespace {

bool canTakeFocus(HWND control) {
    return control && IsWindowVisible(control) && IsWindowEnabled(control);
}

// The position in the focus order of the control that holds the focus, or -1.
int focusedPosition(HWND mainWindow) {
    HWND focus = GetFocus();
    if (!focus) return -1;
    for (std::size_t i = 0; i < focusOrder.size(); ++i) {
        HWND control = controlOf(mainWindow, focusOrder[i]);
        if (control && (control == focus || IsChild(control, focus))) return static_cast<int>(i);
    }
    return -1;
}

void moveFocus(HWND mainWindow, bool backwards) {
    const int count = static_cast<int>(focusOrder.size());
    int position = focusedPosition(mainWindow);
    if (position < 0) position = backwards ? 0 : count - 1;
    for (int step = 1; step <= count; ++step) {
        const int next = ((position + (backwards ? -step : step)) % count + count) % count;
        HWND control = controlOf(mainWindow, focusOrder[static_cast<std::size_t>(next)]);
        if (canTakeFocus(control)) {
            SetFocus(control);
            return;
        }
    }
}

bool isOurs(HWND mainWindow, HWND target) {
    return target == mainWindow || IsChild(mainWindow, target);
}

}  // namespace

bool handleWindowKeys(HWND mainWindow, const MSG& message) {
    if (message.message != WM_KEYDOWN || !isOurs(mainWindow, message.hwnd)) return false;
    switch (message.wParam) {
        case VK_TAB: moveFocus(mainWindow, GetKeyState(VK_SHIFT) < 0); return true;
        case VK_ESCAPE: SendMessageW(mainWindow, WM_SYSCOMMAND, SC_CLOSE, 0); return true;
        case VK_RETURN: return true;
    }
    return false;
}
