#pragma once
// The two shell calls that openSitePage makes, replaceable so that tests can record them.

#include <windows.h>

struct ShellCalls {
    HWND(WINAPI* findWindow)(HWND parent, HWND childAfter, LPCSTR windowClass, LPCSTR title);
    HINSTANCE(WINAPI* shellExecute)
    (HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory,
     INT showCommand);
};

// The real calls: FindWindowExA and ShellExecuteA.
ShellCalls realShellCalls() noexcept;

// Installs the given calls and returns the ones they replace. A null member stands for the real
// call, so an empty ShellCalls puts the real ones back.
ShellCalls replaceShellCalls(ShellCalls calls) noexcept;
