#include "app/program_start.h"

#include <windows.h>

#include <cfloat>
#include <cstdlib>

#include "app/fatal_error.h"
#include "app/lifecycle.h"
#include "ui/keyboard.h"
#include "ui/main_window.h"

namespace {

// Ends when the last window is gone and the quit request arrives.
int runEventLoop(HWND mainWindow) {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (handleWindowKeys(mainWindow, message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int programStart() {
    _fpreset();  // all exceptions masked, round to nearest, before anything of ours computes
    makeStorageFailureFatal();
    emptyTables();
    std::atexit(releaseTables);
    HWND mainWindow = createMainWindow(GetModuleHandleW(nullptr));
    if (!IsWindow(mainWindow)) return 0;
    return runEventLoop(mainWindow);
}
