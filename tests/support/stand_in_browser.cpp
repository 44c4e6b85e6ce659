#include "support/stand_in_browser.h"

// After windows.h, which it needs.
#include <tlhelp32.h>

#include <optional>
#include <type_traits>
#include <utility>

namespace {

constexpr DWORD waitStep = 50;

struct KeyCloser {
    void operator()(HKEY key) const noexcept { RegCloseKey(key); }
};
using OwnedKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

struct HandleCloser {
    void operator()(HANDLE handle) const noexcept { CloseHandle(handle); }
};
using OwnedHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

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

bool aRecorderIsRunning() {
    const OwnedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        if (lstrcmpiW(entry.szExeFile, L"url_recorder.exe") == 0) return true;
    }
    return false;
}

std::vector<std::string> linesOf(const std::wstring& file) {
    const HANDLE opened = CreateFileW(file.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return {};
    const OwnedHandle log(opened);
    std::string text;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(log.get(), chunk, sizeof chunk, &read, nullptr) && read > 0) {
        text.append(chunk, read);
    }
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
        end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

}  // namespace

// The default value of one registry key, set for a test and put back afterwards: the previous
// value restored, or the keys that did not exist before deleted again.
class StandInBrowser::DefaultValueOverride {
  public:
    DefaultValueOverride(HKEY under, std::wstring keyPath, const std::wstring& value)
        : root(under), path(std::move(keyPath)) {
        for (std::size_t end = 0; end != std::wstring::npos;) {
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

StandInBrowser::StandInBrowser(const std::wstring& recorderPath) {
    if (GetFileAttributesW(recorderPath.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    wchar_t folder[MAX_PATH];
    wchar_t file[MAX_PATH];
    if (GetTempPathW(MAX_PATH, folder) == 0 || GetTempFileNameW(folder, L"url", 0, file) == 0) {
        return;
    }
    logFile = file;
    const std::wstring command = L"\"" + recorderPath + L"\" \"" + logFile + L"\" \"%1\"";
    // Windows reads a per-user handler from HKCU\Software\Classes. Wine 8 does not merge that into
    // HKEY_CLASSES_ROOT and looks only at HKEY_CLASSES_ROOT (HKLM\Software\Classes), where its own
    // winebrowser is registered, so the recorder goes into both.
    userHandler = std::make_unique<DefaultValueOverride>(
        HKEY_CURRENT_USER, L"Software\\Classes\\http\\shell\\open\\command", command);
    classesHandler = std::make_unique<DefaultValueOverride>(HKEY_CLASSES_ROOT,
                                                            L"http\\shell\\open\\command", command);
}

StandInBrowser::~StandInBrowser() {
    classesHandler.reset();
    userHandler.reset();
    if (!logFile.empty()) DeleteFileW(logFile.c_str());
}

bool StandInBrowser::ready() const {
    return userHandler && userHandler->applied && classesHandler && classesHandler->applied;
}

std::vector<std::string> StandInBrowser::recordedAddresses(std::size_t count,
                                                           DWORD timeoutMs) const {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    std::vector<std::string> lines = linesOf(logFile);
    while ((lines.size() < count || aRecorderIsRunning()) && GetTickCount64() < deadline) {
        Sleep(waitStep);
        lines = linesOf(logFile);
    }
    return lines;
}
