// Stands in for the web browser in the end-to-end test of the site links:
//   url_recorder <log file> <address>
// appends the address and a line feed to the log file, as the bytes it was given.

#include <windows.h>

#include <string>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    const std::string line = std::string(argv[2]) + "\n";
    // Shared, so that the test may read while another recorder appends.
    HANDLE log = CreateFileA(argv[1], FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) return 3;
    DWORD written = 0;
    const BOOL wrote =
        WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(log);
    return wrote && written == line.size() ? 0 : 4;
}
