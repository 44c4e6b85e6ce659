#include "plain_controls.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "formation/tables.h"
#include "links/site_pages.h"
#include "ui/control_table.h"
#include "ui/gbk.h"
#include "ui/window_class.h"

namespace {

constexpr wchar_t plainWindowClass[] = L"PlainControlsWindow";
constexpr wchar_t bareWindowClass[] = L"BareWindow";
constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

LRESULT CALLBACK plainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND createCentredWindow(HINSTANCE instance, const wchar_t* windowClass, const wchar_t* title) {
    if (!registerWindowClass(instance, windowClass, plainWindowProc, 0,
                             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1))) {
        return nullptr;
    }
    const int left = (GetSystemMetrics(SM_CXSCREEN) - windowWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - windowHeight) / 2;
    return CreateWindowExW(0, windowClass, title, windowStyle, left, top, windowWidth, windowHeight,
                           nullptr, nullptr, instance, nullptr);
}

std::span<const std::string_view> itemsOf(ControlId id) {
    if (id == ControlId::kindList) return monsterKinds;
    return levelItems;
}

std::wstring textOf(const ControlDefinition& definition) {
    std::string text(definition.text);
    if (definition.id == ControlId::bannerLabel) text += siteHost();
    return fromGbk(text);
}

HWND createPlainControl(const ControlDefinition& definition, HWND parent) {
    const wchar_t* windowClass = L"STATIC";
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    switch (definition.kind) {
        case ControlKind::pictureBox:
        case ControlKind::transparentLabel: break;
        case ControlKind::pushButton:
        case ControlKind::pictureButton:
            windowClass = L"BUTTON";
            style |= WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE;
            break;
        case ControlKind::dropDownList:
            windowClass = L"COMBOBOX";
            style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
            break;
    }
    const Place& place = definition.place;
    HWND control = CreateWindowExW(0, windowClass, textOf(definition).c_str(), style, place.x,
                                   place.y, place.width, place.height, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(definition.id)),
                                   nullptr, nullptr);
    if (control && definition.kind == ControlKind::dropDownList) {
        for (std::string_view item : itemsOf(definition.id)) {
            SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(fromGbk(item).c_str()));
        }
        SendMessageW(control, CB_SETCURSEL, 0, 0);
    }
    return control;
}

void showAndFocus(HWND window, HWND focus) {
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    UpdateWindow(window);
    if (focus) SetFocus(focus);
}

}  // namespace

HWND createPlainControlsWindow(HINSTANCE instance) {
    const std::wstring title = fromGbk(std::string(windowTitle) + std::string(siteHost()));
    HWND window = createCentredWindow(instance, plainWindowClass, title.c_str());
    if (!window) return nullptr;
    std::array<HWND, controlCount + 1> controls{};
    controls[0] = window;
    // Parents come after their children in the table.
    for (auto row = controlTable.rbegin(); row != controlTable.rend(); ++row) {
        HWND parent = controls[static_cast<std::size_t>(row->parent)];
        controls[static_cast<std::size_t>(row->id)] = createPlainControl(*row, parent);
    }
    // Within each parent, the first control of the table lies on top.
    for (ControlId parent : {ControlId::window, ControlId::headerPanel, ControlId::selectionPanel,
                             ControlId::resultPanel, ControlId::linksPanel}) {
        HWND above = HWND_TOP;
        for (const ControlDefinition& row : controlTable) {
            if (row.parent != parent) continue;
            HWND control = controls[static_cast<std::size_t>(row.id)];
            SetWindowPos(control, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            above = control;
        }
    }
    for (const ControlDefinition& row : controlTable) {
        ShowWindow(controls[static_cast<std::size_t>(row.id)], SW_SHOWNA);
    }
    showAndFocus(window, controls[static_cast<std::size_t>(ControlId::levelList)]);
    return window;
}

HWND createBareWindow(HINSTANCE instance) {
    HWND window = createCentredWindow(instance, bareWindowClass, L"bare window");
    if (window) showAndFocus(window, nullptr);
    return window;
}

int runPlainEventLoop() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
