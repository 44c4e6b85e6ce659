#pragma once
// Starts the real program as a child process and finds its main window, for tests that look at
// it from outside as a user's desktop would.

#include <windows.h>

#include <string>

// A file in this test's folder, or `relativePath` from it.
std::wstring besideThisTest(const std::wstring& relativePath);

class ProgramProcess {
  public:
    // Starts the program beside this test (`relativePath` from this test's folder) and waits until
    // its main window is shown and the program is idle.
    explicit ProgramProcess(const std::wstring& relativePath);
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    bool started() const { return process != nullptr; }
    HWND window() const { return mainWindow; }
    DWORD threadId() const { return thread; }
    // Waits for the process to end and gives its exit code, or STILL_ACTIVE after the timeout.
    DWORD waitForExit(DWORD milliseconds = 10000);

  private:
    HANDLE process = nullptr;
    DWORD thread = 0;
    HWND mainWindow = nullptr;
};
