// The real programStart with one fault injected from outside the program, chosen by the first
// argument: "window" (the main window cannot be created), "control" (one of its controls cannot be
// created), "storage" (storage runs out while the tables are copied) or "none". An exit routine of
// its own, registered first, ends the process with exit code 3 if it ever runs.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string_view>

#include "app/program_start.h"
#include "support/allocation_log.h"

namespace {

constexpr wchar_t mainWindowClass[] = L"FormationFinderWindow";
constexpr wchar_t listClass[] = L"COMBOBOX";

std::string_view fault;

bool isClass(const CREATESTRUCTW& create, const wchar_t* name) {
    return !IS_INTRESOURCE(create.lpszClass) && _wcsicmp(create.lpszClass, name) == 0;
}

LRESULT CALLBACK refuseCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTW& create = *reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        if (fault == "window" && isClass(create, mainWindowClass)) return 1;
        if (fault == "control" && isClass(create, listClass)) return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Once the main window has made all its controls, the next storage taken is the tables' copy.
LRESULT CALLBACK runOutOfStorage(int code, WPARAM wParam, LPARAM lParam) {
    const auto& message = *reinterpret_cast<CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && message.message == WM_CREATE) {
        wchar_t className[64] = {};
        GetClassNameW(message.hwnd, className, 64);
        if (wcscmp(className, mainWindowClass) == 0) allocationLog::failAfter(0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Closes the window as soon as it is shown, so that the normal end can be observed too.
LRESULT CALLBACK closeWhenShown(int code, WPARAM wParam, LPARAM lParam) {
    const auto& message = *reinterpret_cast<CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && message.message == WM_SHOWWINDOW && message.wParam) {
        wchar_t className[64] = {};
        GetClassNameW(message.hwnd, className, 64);
        if (wcscmp(className, mainWindowClass) == 0) {
            PostMessageW(message.hwnd, WM_CLOSE, 0, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

[[noreturn]] void exitRoutineRan() {
    std::_Exit(3);
}

}  // namespace

int main(int argc, char** argv) {
    fault = argc > 1 ? argv[1] : "none";
    std::atexit([] { exitRoutineRan(); });
    const DWORD thread = GetCurrentThreadId();
    SetWindowsHookExW(WH_CBT, refuseCreation, nullptr, thread);
    SetWindowsHookExW(WH_CALLWNDPROCRET, fault == "storage" ? runOutOfStorage : closeWhenShown,
                      nullptr, thread);
    return programStart();
}
