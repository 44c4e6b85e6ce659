// Size of the program file and what the running program holds, beside the plain-controls
// baseline:
//
//   footprint_benchmark [--runs N]
//
// Both programs are started as child processes and measured from outside once they are idle
// with their window shown: private bytes (PrivateUsage) and GDI and USER objects
// (GetGuiResources). Where the system cannot give the object counts of another process (Wine),
// each window is also built inside a child copy of this benchmark (`--inside ours|plain`), by
// the same code as the programs, and counted there.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "app/lifecycle.h"
#include "child_program.h"
#include "figures.h"
#include "plain_controls.h"
#include "soak/process_resources.h"
#include "ui/main_window.h"

namespace {

constexpr double sizeGoalBytes = 600 * 1024;
constexpr int settleMs = 500;

// What the decoded pictures take: the four 540-wide panels and the query button, 3 bytes a pixel.
constexpr std::size_t pictureAllowance = 540 * (88 + 178 + 120 + 214) * 3 + 127 * 65 * 3;

std::optional<long long> fileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return static_cast<long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

void pump(int milliseconds) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    while (GetTickCount64() < end) {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    }
}

// Child mode: one window built here, counted once it is idle.
int measureInside(const char* which) {
    HWND window = nullptr;
    if (std::strcmp(which, "ours") == 0) {
        emptyTables();
        window = createMainWindow(GetModuleHandleW(nullptr));
    } else {
        window = createPlainControlsWindow(GetModuleHandleW(nullptr));
    }
    if (!window) return 1;
    pump(settleMs);
    const ProcessResources resources = resourcesOfThisProcess();
    std::printf("%lu %lu %zu\n", resources.gdiObjects, resources.userObjects,
                resources.privateBytes);
    std::fflush(stdout);
    DestroyWindow(window);
    return 0;
}

struct Counts {
    double privateBytes = 0;  // medians over the runs
    std::optional<double> gdiObjects;
    std::optional<double> userObjects;
    bool memoryFromSystem = true;
};

Counts measureOutside(const std::wstring& path, int runs) {
    std::vector<double> privateBytes, gdi, user;
    Counts counts;
    for (int run = 0; run < runs; ++run) {
        ChildProgram child(path);
        if (!child.ready()) continue;
        Sleep(settleMs);
        const OutsideResources resources = resourcesOfProcess(child.process());
        privateBytes.push_back(static_cast<double>(resources.privateBytes));
        counts.memoryFromSystem = resources.memoryFromSystem;
        if (resources.gdiObjects) gdi.push_back(*resources.gdiObjects);
        if (resources.userObjects) user.push_back(*resources.userObjects);
    }
    counts.privateBytes = median(privateBytes);
    if (!gdi.empty()) counts.gdiObjects = median(gdi);
    if (!user.empty()) counts.userObjects = median(user);
    return counts;
}

// Runs this benchmark again in child mode and reads back its one line of counts.
std::optional<ProcessResources> measureInChild(const char* which) {
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return std::nullopt;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\" --inside " +
                               (std::strcmp(which, "ours") == 0 ? L"ours" : L"plain");
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION info{};
    const bool started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0,
                                        nullptr, nullptr, &startup, &info);
    CloseHandle(writeEnd);
    std::string output;
    if (started) {
        char buffer[256];
        DWORD got = 0;
        while (ReadFile(readEnd, buffer, sizeof(buffer), &got, nullptr) && got > 0) {
            output.append(buffer, got);
        }
        WaitForSingleObject(info.hProcess, 10000);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    CloseHandle(readEnd);
    ProcessResources resources;
    unsigned long gdi = 0, user = 0;
    unsigned long long privateBytes = 0;
    if (std::sscanf(output.c_str(), "%lu %lu %llu", &gdi, &user, &privateBytes) != 3) {
        return std::nullopt;
    }
    resources.gdiObjects = gdi;
    resources.userObjects = user;
    resources.privateBytes = privateBytes;
    return resources;
}

std::string countText(const std::optional<double>& value) {
    return value ? std::to_string(static_cast<long long>(*value)) : std::string("n/a");
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 5;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--inside") == 0 && i + 1 < argc) return measureInside(argv[++i]);
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) runs = std::atoi(argv[++i]);
    }
    runs = std::max(runs, 1);
    SetCursorPos(0, 0);

    const std::wstring ours = besideThisProgram(PROGRAM_FROM_BENCHMARKS);
    const std::wstring plain = besideThisProgram(L"plain_controls.exe");
    const auto size = fileSize(ours);
    char value[96];

    std::printf("size of formation-finder.exe: ");
    if (size) {
        const double kilobytes = static_cast<double>(*size) / 1024;
        std::printf("%lld bytes (%.1f KB; goal: under %.0f KB)\n\n", *size, kilobytes,
                    sizeGoalBytes / 1024);
        std::snprintf(value, sizeof(value), "%.1f KB", kilobytes);
        printFigure("size: formation-finder.exe", value, "< 600 KB",
                    verdict(static_cast<double>(*size) < sizeGoalBytes));
    } else {
        std::puts("not found\n");
    }

    const Counts oursOutside = measureOutside(ours, runs);
    const Counts plainOutside = measureOutside(plain, runs);
    std::printf("measured from outside, medians of %d runs, %d ms after the window was ready:\n",
                runs, settleMs);
    std::printf("%-30s %14s %8s %8s\n", "program", "private bytes", "GDI", "USER");
    std::printf("%-30s %14.0f %8s %8s\n", "ours", oursOutside.privateBytes,
                countText(oursOutside.gdiObjects).c_str(),
                countText(oursOutside.userObjects).c_str());
    std::printf("%-30s %14.0f %8s %8s\n", "plain-controls baseline", plainOutside.privateBytes,
                countText(plainOutside.gdiObjects).c_str(),
                countText(plainOutside.userObjects).c_str());
    if (!oursOutside.memoryFromSystem) {
        std::puts(
            "(PrivateUsage reads 0 here; private bytes are the committed private regions\n"
            " of the child's address space, from VirtualQueryEx)");
    }
    const double extra = oursOutside.privateBytes - plainOutside.privateBytes;
    std::printf(
        "\nours - baseline: %+.0f bytes; allowance for the decoded pictures: %zu bytes\n"
        "  (540 x (88 + 178 + 120 + 214) x 3 + 127 x 65 x 3)\n\n",
        extra, pictureAllowance);

    std::optional<ProcessResources> oursInside, plainInside;
    if (!oursOutside.gdiObjects) {
        oursInside = measureInChild("ours");
        plainInside = measureInChild("plain");
        std::puts(
            "GetGuiResources gives no counts for another process here; the same windows,"
            "\nbuilt inside a child copy of this benchmark and counted there:");
        std::printf("%-30s %14s %8s %8s\n", "program", "private bytes", "GDI", "USER");
        for (const auto& [name, inside] :
             {std::pair{"ours", oursInside}, std::pair{"plain-controls baseline", plainInside}}) {
            if (inside) {
                std::printf("%-30s %14zu %8lu %8lu\n", name, inside->privateBytes,
                            inside->gdiObjects, inside->userObjects);
            } else {
                std::printf("%-30s %14s\n", name, "(failed)");
            }
        }
        std::puts("(GDI objects from probing the handle table, USER objects as windows)\n");
    }

    std::snprintf(value, sizeof(value), "%.0f KB", oursOutside.privateBytes / 1024);
    printFigure("memory: ours, private bytes", value);
    std::snprintf(value, sizeof(value), "%.0f KB", plainOutside.privateBytes / 1024);
    printFigure("memory: baseline, private bytes", value);
    std::snprintf(value, sizeof(value), "%+.0f KB", extra / 1024);
    char goal[64];
    std::snprintf(goal, sizeof(goal), "<= %.0f KB", pictureAllowance / 1024.0);
    printFigure("memory: ours - baseline", value, goal,
                verdict(extra <= static_cast<double>(pictureAllowance)));

    std::optional<double> oursGdi = oursOutside.gdiObjects, plainGdi = plainOutside.gdiObjects;
    std::optional<double> oursUser = oursOutside.userObjects, plainUser = plainOutside.userObjects;
    if (oursInside && plainInside) {
        oursGdi = oursInside->gdiObjects;
        plainGdi = plainInside->gdiObjects;
        oursUser = oursInside->userObjects;
        plainUser = plainInside->userObjects;
    }
    if (oursGdi && plainGdi) {
        std::snprintf(value, sizeof(value), "%.0f (baseline %.0f)", *oursGdi, *plainGdi);
        printFigure("GDI objects: ours", value);
    }
    if (oursUser && plainUser) {
        std::snprintf(value, sizeof(value), "%.0f (baseline %.0f)", *oursUser, *plainUser);
        printFigure("USER objects: ours", value);
    }
    return 0;
}
