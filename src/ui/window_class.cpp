#include "ui/window_class.h"

bool registerWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, int extraBytes,
                         HBRUSH background) {
    WNDCLASSEXW windowClass{};
    if (GetClassInfoExW(instance, name, &windowClass)) return true;
    windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.cbWndExtra = extraBytes;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    return RegisterClassExW(&windowClass) != 0;
}
