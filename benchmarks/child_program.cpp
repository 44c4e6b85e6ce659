#include "child_program.h"

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

constexpr DWORD readyTimeoutMs = 20000;
constexpr DWORD exitTimeoutMs = 10000;

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK matchVisibleWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && !GetWindow(window, GW_OWNER)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND visibleWindowOf(DWORD processId) {
    WindowSearch search{processId, nullptr};
    EnumWindows(matchVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

std::wstring besideThisProgram(const std::wstring& name) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self);
    folder.resize(folder.find_last_of(L"\\/") + 1);
    return folder + name;
}

ChildProgram::ChildProgram(const std::wstring& path) {
    std::wstring commandLine = L"\"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    const auto start = Clock::now();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return;
    }
    CloseHandle(info.hThread);
    processHandle = info.hProcess;
    processId = info.dwProcessId;
    if (WaitForInputIdle(processHandle, readyTimeoutMs) != 0) return;
    // Idle means the first paint is done; the window is normally visible by then already.
    const auto deadline = start + std::chrono::milliseconds(readyTimeoutMs);
    HWND window = visibleWindowOf(processId);
    while (!window && Clock::now() < deadline) {
        Sleep(1);
        window = visibleWindowOf(processId);
    }
    startSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    mainWindow = window;
}

ChildProgram::~ChildProgram() {
    if (!processHandle) return;
    if (mainWindow) PostMessageW(mainWindow, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(processHandle, mainWindow ? exitTimeoutMs : 0) != WAIT_OBJECT_0) {
        TerminateProcess(processHandle, 1);
        WaitForSingleObject(processHandle, exitTimeoutMs);
    }
    CloseHandle(processHandle);
}
