#include "e2e/x_input.h"

#include <memory>
#include <string_view>
#include <type_traits>

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const noexcept { CloseHandle(handle); }
};
using OwnedHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

constexpr DWORD finishTimeout = 10000;
constexpr DWORD pollStep = 5;

std::wstring temporaryFile() {
    wchar_t folder[MAX_PATH];
    wchar_t file[MAX_PATH];
    if (!GetTempPathW(MAX_PATH, folder) || !GetTempFileNameW(folder, L"xdo", 0, file)) return {};
    return file;
}

// Whether xdotool has printed the pointer's place ("x:… y:… screen:… window:…" and a line feed),
// the last thing it does.
bool reportedThePointer(const std::wstring& file) {
    const HANDLE opened = CreateFileW(file.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return false;
    const OwnedHandle output(opened);
    char text[4096];
    DWORD read = 0;
    if (!ReadFile(output.get(), text, sizeof text, &read, nullptr)) return false;
    const std::string_view printed(text, read);
    const size_t place = printed.find("screen:");
    return place != std::string_view::npos && printed.find('\n', place) != std::string_view::npos;
}

}  // namespace

bool xdotool(const std::wstring& commands) {
    // Wine hands back no process handle for a Linux program and no pipe reaches it, but a file
    // does: the trailing getmouselocation prints its line once every command before it is done.
    // Its error messages go to the same file and never look like that line.
    const std::wstring outputFile = temporaryFile();
    if (outputFile.empty()) return false;
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    const HANDLE created = CreateFileW(outputFile.c_str(), GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       &inherited, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE) {
        DeleteFileW(outputFile.c_str());
        return false;
    }
    OwnedHandle output(created);
    // XDOTOOL_PROGRAM: the Linux path found at configure time, on Wine's drive Z:.
    std::wstring commandLine = L"\"" XDOTOOL_PROGRAM L"\" " + commands + L" getmouselocation";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output.get();
    startup.hStdError = output.get();
    PROCESS_INFORMATION info{};
    const bool started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0,
                                        nullptr, nullptr, &startup, &info);
    output.reset();
    if (info.hThread) CloseHandle(info.hThread);
    if (info.hProcess) CloseHandle(info.hProcess);
    bool finished = false;
    for (DWORD waited = 0; started && !finished && waited < finishTimeout; waited += pollStep) {
        finished = reportedThePointer(outputFile);
        if (!finished) Sleep(pollStep);
    }
    DeleteFileW(outputFile.c_str());
    return finished;
}

bool movePointer(POINT to) {
    return xdotool(L"mousemove " + std::to_wstring(to.x) + L" " + std::to_wstring(to.y));
}

bool clickAt(POINT at) {
    return xdotool(L"mousemove " + std::to_wstring(at.x) + L" " + std::to_wstring(at.y) +
                   L" click 1");
}

bool scrollDown(int steps) {
    return xdotool(L"click --repeat " + std::to_wstring(steps) + L" 5");
}

bool pressKeys(const std::wstring& keys) {
    return xdotool(L"key " + keys);
}
