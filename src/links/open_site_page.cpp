#include "links/open_site_page.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "links/shell_calls.h"

namespace {

ShellCalls currentCalls = realShellCalls();

}  // namespace

ShellCalls realShellCalls() noexcept {
    return {FindWindowExA, ShellExecuteA};
}

ShellCalls replaceShellCalls(ShellCalls calls) noexcept {
    const ShellCalls real = realShellCalls();
    if (!calls.findWindow) calls.findWindow = real.findWindow;
    if (!calls.shellExecute) calls.shellExecute = real.shellExecute;
    const ShellCalls previous = currentCalls;
    currentCalls = calls;
    return previous;
}

void openSitePage(const std::string& address) noexcept {
    // Looked up on every click: a browser window may have come or gone since the last one.
    HWND owner = currentCalls.findWindow(nullptr, nullptr, nullptr, "Microsoft Internet Explorer");
    currentCalls.shellExecute(owner, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
