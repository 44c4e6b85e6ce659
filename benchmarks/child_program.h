#pragma once
// Runs a Windows program as a child process and follows it until its main window is shown,
// painted and idle, as a user starting it would see it.

#include <windows.h>

#include <string>

// The path of `name` in the folder of this benchmark's own .exe.
std::wstring besideThisProgram(const std::wstring& name);

class ChildProgram {
  public:
    // Starts `path` and waits (at most 20 s) until it is idle with a visible top-level window.
    explicit ChildProgram(const std::wstring& path);
    // Closes the window as its close box does and waits for the process to end.
    ~ChildProgram();
    ChildProgram(const ChildProgram&) = delete;
    ChildProgram& operator=(const ChildProgram&) = delete;

    bool ready() const { return mainWindow != nullptr; }
    // From just before CreateProcess until the window was first seen visible after the child
    // went idle.
    double secondsToReady() const { return startSeconds; }
    HANDLE process() const { return processHandle; }
    HWND window() const { return mainWindow; }

  private:
    HANDLE processHandle = nullptr;
    DWORD processId = 0;
    HWND mainWindow = nullptr;
    double startSeconds = 0;
};
