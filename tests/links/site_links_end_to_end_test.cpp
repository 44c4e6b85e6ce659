// The site links with the real shell under a registered stand-in browser (url_recorder.exe,
// built beside this test), first through openSitePage, then through the buttons of the program.

#include <windows.h>
// After windows.h, which they need.
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>

#include "links/open_site_page.h"
#include "links/site_pages.h"
#include "ui/gbk.h"

namespace {

using namespace std::chrono_literals;

struct KeyCloser {
    void operator()(HKEY key) const noexcept { RegCloseKey(key); }
};
using OwnedKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

struct HandleCloser {
    void operator()(HANDLE handle) const noexcept { CloseHandle(handle); }
};
using OwnedHandle = std::unique_ptr<void, HandleCloser>;

struct WindowDestroyer {
    void operator()(HWND window) const noexcept { DestroyWindow(window); }
};
using OwnedWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

const std::string moreToolsAddress = std::string(siteBaseUrl) + "/forum-49-1.html";
const std::string gameGuidesAddress = std::string(siteBaseUrl) + "/forum.php?gid=39";
const std::string officialForumAddress = std::string(siteBaseUrl) + "/";

std::wstring directoryOfThisProgram() {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

bool keyExists(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::optional<std::wstring> defaultValue(HKEY root, const std::wstring& path) {
    wchar_t data[2048];
    DWORD size = sizeof data;
    if (RegGetValueW(root, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, data, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(data);
}

bool setDefaultValue(HKEY root, const std::wstring& path, const std::wstring& value) {
    HKEY created = nullptr;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const OwnedKey key(created);
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.get(), nullptr, 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()), bytes) == ERROR_SUCCESS;
}

// The default value of one registry key, set for a test and put back afterwards: the previous
// value restored, or the keys that did not exist before deleted again.
class DefaultValueOverride {
  public:
    DefaultValueOverride(HKEY under, std::wstring keyPath, const std::wstring& value)
        : root(under), path(std::move(keyPath)) {
        for (size_t end = 0; end != std::wstring::npos;) {
            end = path.find(L'\\', end + 1);
            const std::wstring prefix = path.substr(0, end);
            if (!keyExists(root, prefix)) {
                firstCreated = prefix;
                break;
            }
        }
        if (firstCreated.empty()) previous = defaultValue(root, path);
        applied = setDefaultValue(root, path, value);
    }
    ~DefaultValueOverride() {
        if (!firstCreated.empty()) {
            RegDeleteTreeW(root, firstCreated.c_str());
            RegDeleteKeyW(root, firstCreated.c_str());
        } else if (previous) {
            setDefaultValue(root, path, *previous);
        } else {
            HKEY opened = nullptr;
            if (RegOpenKeyExW(root, path.c_str(), 0, KEY_SET_VALUE, &opened) == ERROR_SUCCESS) {
                RegDeleteValueW(OwnedKey(opened).get(), nullptr);
            }
        }
    }
    DefaultValueOverride(const DefaultValueOverride&) = delete;
    DefaultValueOverride& operator=(const DefaultValueOverride&) = delete;

    bool applied = false;

  private:
    HKEY root;
    std::wstring path;
    std::wstring firstCreated;  // empty: the whole path existed
    std::optional<std::wstring> previous;
};

// Windows reads a per-user handler from HKCU\Software\Classes. Wine 8 does not merge that into
// HKEY_CLASSES_ROOT and looks only at HKEY_CLASSES_ROOT (HKLM\Software\Classes), where its own
// winebrowser is registered, so the recorder goes into both.
class RecorderAsBrowser {
  public:
    explicit RecorderAsBrowser(const std::wstring& command)
        : user(HKEY_CURRENT_USER, L"Software\\Classes\\http\\shell\\open\\command", command),
          classes(HKEY_CLASSES_ROOT, L"http\\shell\\open\\command", command) {}

    bool applied() const { return user.applied && classes.applied; }

  private:
    DefaultValueOverride user;
    DefaultValueOverride classes;
};

int recordersRunning() {
    const OwnedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        if (lstrcmpiW(entry.szExeFile, L"url_recorder.exe") == 0) ++count;
    }
    return count;
}

std::vector<std::string> linesOf(const std::wstring& file) {
    const OwnedHandle log(CreateFileW(file.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string text;
    char chunk[4096];
    DWORD read = 0;
    while (log.get() != INVALID_HANDLE_VALUE &&
           ReadFile(log.get(), chunk, sizeof chunk, &read, nullptr) && read > 0) {
        text.append(chunk, read);
    }
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        const size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

class SiteLinksEndToEnd : public testing::Test {
  protected:
    void SetUp() override {
        wchar_t temporary[MAX_PATH];
        wchar_t file[MAX_PATH];
        ASSERT_NE(GetTempPathW(MAX_PATH, temporary), 0u);
        ASSERT_NE(GetTempFileNameW(temporary, L"url", 0, file), 0u);
        logFile = file;

        const std::wstring recorder = directoryOfThisProgram() + L"url_recorder.exe";
        ASSERT_NE(GetFileAttributesW(recorder.c_str()), INVALID_FILE_ATTRIBUTES)
            << "url_recorder.exe is built beside this test";
        browser.emplace(L"\"" + recorder + L"\" \"" + logFile + L"\" \"%1\"");
        ASSERT_TRUE(browser->applied());
    }
    void TearDown() override {
        browser.reset();
        if (!logFile.empty()) DeleteFileW(logFile.c_str());
    }

    // Waits until the recorder has written at least `count` addresses and none of its processes
    // runs any more, so that no request is still on its way; then gives all it recorded.
    std::vector<std::string> recordedAddresses(size_t count) const {
        const auto deadline = std::chrono::steady_clock::now() + 30s;
        std::vector<std::string> lines = linesOf(logFile);
        while ((lines.size() < count || recordersRunning() > 0) &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(50ms);
            lines = linesOf(logFile);
        }
        return lines;
    }

    std::wstring logFile;
    std::optional<RecorderAsBrowser> browser;
};

TEST_F(SiteLinksEndToEnd, TheShellHandsEachAddressToTheRegisteredBrowserUnchanged) {
    std::vector<std::string> expected;
    for (const std::string& address : {moreToolsAddress, gameGuidesAddress, officialForumAddress}) {
        openSitePage(address);
        expected.push_back(address);
        EXPECT_EQ(recordedAddresses(expected.size()), expected);
    }
}

TEST_F(SiteLinksEndToEnd, ThePageStillOpensWhenABrowserWindowOwnsTheRequest) {
    const OwnedWindow browserWindow(CreateWindowExA(0, "STATIC", "Microsoft Internet Explorer",
                                                    WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                                    nullptr, nullptr));
    ASSERT_TRUE(browserWindow);
    openSitePage(gameGuidesAddress);
    openSitePage(gameGuidesAddress);
    EXPECT_EQ(recordedAddresses(2), std::vector<std::string>(2, gameGuidesAddress));
}

// The program's window, as the user starts it.
class RunningProgram {
  public:
    explicit RunningProgram(const std::wstring& program) {
        std::wstring commandLine = L"\"" + program + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &info)) {
            CloseHandle(info.hThread);
            info.hThread = nullptr;
        }
    }
    ~RunningProgram() {
        if (!info.hProcess) return;
        if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(info.hProcess, 1);
            WaitForSingleObject(info.hProcess, 10000);
        }
        CloseHandle(info.hProcess);
    }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool started() const { return info.hProcess != nullptr; }
    HANDLE process() const { return info.hProcess; }

    // The visible top-level window of the program whose title starts with `titleStart`.
    HWND waitForWindow(const std::wstring& titleStart) const {
        struct Search {
            DWORD processId;
            const std::wstring* titleStart;
            HWND found;
        } search{info.dwProcessId, &titleStart, nullptr};
        const auto deadline = std::chrono::steady_clock::now() + 30s;
        while (!search.found && std::chrono::steady_clock::now() < deadline) {
            EnumWindows(
                [](HWND window, LPARAM parameter) -> BOOL {
                    auto& s = *reinterpret_cast<Search*>(parameter);
                    DWORD owner = 0;
                    GetWindowThreadProcessId(window, &owner);
                    wchar_t title[256] = {};
                    GetWindowTextW(window, title, 256);
                    if (owner == s.processId && IsWindowVisible(window) &&
                        std::wstring_view(title).starts_with(*s.titleStart)) {
                        s.found = window;
                        return FALSE;
                    }
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&search));
            if (!search.found) std::this_thread::sleep_for(50ms);
        }
        return search.found;
    }

  private:
    PROCESS_INFORMATION info{};
};

// A Unix path from the build (under Wine) becomes the same file on drive Z:.
std::wstring windowsPath(std::string_view path) {
    std::wstring wide(path.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()),
                                    wide.data(), static_cast<int>(wide.size())));
    if (wide.starts_with(L'/')) {
        for (wchar_t& c : wide) c = c == L'/' ? L'\\' : c;
        wide.insert(0, L"Z:");
    }
    return wide;
}

// Gives the button the keyboard focus from this process, with its window in front: SetFocus works
// on another thread's window only while the two threads share their input.
bool focusButton(HWND button) {
    const DWORD programThread = GetWindowThreadProcessId(button, nullptr);
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // AttachThreadInput needs our queue
    if (!AttachThreadInput(GetCurrentThreadId(), programThread, TRUE)) return false;
    const HWND window = GetAncestor(button, GA_ROOT);
    SetForegroundWindow(window);
    SetFocus(button);
    AttachThreadInput(GetCurrentThreadId(), programThread, FALSE);
    // Key presses go to the foreground window's thread, so the window must still be in front.
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    return GetGUIThreadInfo(programThread, &gui) && gui.hwndFocus == button &&
           GetForegroundWindow() == window;
}

void pressSpace() {
    keybd_event(VK_SPACE, 0, 0, 0);
    keybd_event(VK_SPACE, 0, KEYEVENTF_KEYUP, 0);
}

TEST_F(SiteLinksEndToEnd, TheLinkButtonsOfTheProgramOpenTheirPages) {
    if (std::string_view(FORMATION_FINDER_EXE).empty()) {
        GTEST_SKIP() << "formation-finder is not part of this build";
    }
    const std::wstring program = windowsPath(FORMATION_FINDER_EXE);
    if (GetFileAttributesW(program.c_str()) == INVALID_FILE_ATTRIBUTES) {
        GTEST_SKIP() << FORMATION_FINDER_EXE << " has not been built";
    }
    RunningProgram running(program);
    ASSERT_TRUE(running.started()) << "error " << GetLastError();
    const HWND window =
        running.waitForWindow(fromGbk("\xd1\xe3\xc7\xf0\xb3\xc7\xb0\xee\xb4\xf2\xd2\xb0\xb2\xbc"
                                      "\xd5\xf3\xb2\xe9\xd1\xaf"));  // 雁丘城邦打野布阵查询
    ASSERT_NE(window, nullptr) << "no main window";

    struct LinkButton {
        const char* name;
        HWND button;
        std::string address;
    };
    // 按钮2 sits on the links panel (图片框4, id 16); 按钮4 and 按钮3 on the window itself.
    const LinkButton buttons[] = {
        {"button 2, more tools", GetDlgItem(GetDlgItem(window, 16), 4), moreToolsAddress},
        {"button 4, game guides", GetDlgItem(window, 2), gameGuidesAddress},
        {"button 3, official forum", GetDlgItem(window, 3), officialForumAddress},
    };
    std::vector<std::string> expected;
    for (const LinkButton& link : buttons) {
        SCOPED_TRACE(std::string(link.name) + " by BM_CLICK");
        ASSERT_NE(link.button, nullptr);
        DWORD_PTR result = 0;
        ASSERT_NE(SendMessageTimeoutW(link.button, BM_CLICK, 0, 0, SMTO_NORMAL, 30000, &result), 0);
        expected.push_back(link.address);
        EXPECT_EQ(recordedAddresses(expected.size()), expected);
    }
    for (const LinkButton& link : buttons) {
        SCOPED_TRACE(std::string(link.name) + " by the space bar");
        ASSERT_TRUE(focusButton(link.button));
        pressSpace();
        expected.push_back(link.address);
        EXPECT_EQ(recordedAddresses(expected.size()), expected);
    }

    ASSERT_TRUE(PostMessageW(window, WM_CLOSE, 0, 0));
    ASSERT_EQ(WaitForSingleObject(running.process(), 30000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    ASSERT_TRUE(GetExitCodeProcess(running.process(), &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace
