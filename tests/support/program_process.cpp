#include "support/program_process.h"

namespace {

constexpr wchar_t mainWindowClass[] = L"FormationFinderWindow";
constexpr int windowWaitSteps = 200;
constexpr DWORD windowWaitStep = 50;

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (owner == search->processId && wcscmp(className, mainWindowClass) == 0 &&
        IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::wstring besideThisTest(const std::wstring& relativePath) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self);
    folder.resize(folder.find_last_of(L"\\/") + 1);
    return folder + relativePath;
}

ProgramProcess::ProgramProcess(const std::wstring& relativePath) {
    std::wstring commandLine = L"\"" + besideThisTest(relativePath) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return;
    }
    CloseHandle(info.hThread);
    process = info.hProcess;
    WaitForInputIdle(process, 10000);
    WindowSearch search{info.dwProcessId, nullptr};
    for (int step = 0; step < windowWaitSteps && !search.found; ++step) {
        EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
        if (!search.found) Sleep(windowWaitStep);
    }
    mainWindow = search.found;
    thread = mainWindow ? GetWindowThreadProcessId(mainWindow, nullptr) : 0;
}

ProgramProcess::~ProgramProcess() {
    if (!process) return;
    if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) TerminateProcess(process, 1);
    CloseHandle(process);
}

DWORD ProgramProcess::waitForExit(DWORD milliseconds) {
    DWORD code = STILL_ACTIVE;
    if (process && WaitForSingleObject(process, milliseconds) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process, &code);
    }
    return code;
}
