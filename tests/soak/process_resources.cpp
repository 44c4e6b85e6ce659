#include "process_resources.h"

#include <psapi.h>

namespace {

// A GDI handle has its table index in its low 16 bits; Wine accepts an upper half of 0 for any
// generation, so each live entry of the table answers exactly once.
constexpr unsigned handleIndexCount = 0x10000;

DWORD probeGdiObjects() {
    DWORD count = 0;
    for (unsigned index = 1; index < handleIndexCount; ++index) {
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(static_cast<ULONG_PTR>(index)))) ++count;
    }
    return count;
}

// The windows of this process: top-level ones, message-only ones and all their descendants.
// Windows are the USER objects a window makes and destroys; icons and cursors have no harmless
// probe, but their bitmaps show up among the GDI objects.
struct WindowCount {
    DWORD process;
    DWORD count;
};

BOOL CALLBACK countDescendant(HWND, LPARAM count) {
    ++*reinterpret_cast<DWORD*>(count);
    return TRUE;
}

BOOL CALLBACK countIfOwn(HWND window, LPARAM lParam) {
    auto* windows = reinterpret_cast<WindowCount*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == windows->process) {
        ++windows->count;
        EnumChildWindows(window, countDescendant, reinterpret_cast<LPARAM>(&windows->count));
    }
    return TRUE;
}

DWORD countOwnWindows() {
    WindowCount windows{GetCurrentProcessId(), 0};
    EnumWindows(countIfOwn, reinterpret_cast<LPARAM>(&windows));
    for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window;
         window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) {
        countIfOwn(window, reinterpret_cast<LPARAM>(&windows));
    }
    return windows.count;
}

// Committed private memory: heaps, stacks, DIB sections; not the mapped images.
std::size_t committedPrivateBytes(HANDLE process) {
    std::size_t total = 0;
    MEMORY_BASIC_INFORMATION region{};
    const char* address = nullptr;
    while (VirtualQueryEx(process, address, &region, sizeof(region)) == sizeof(region)) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= address) break;
        address = next;
    }
    return total;
}

std::size_t systemPrivateBytes(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof(counters))) {
        return 0;
    }
    return counters.PrivateUsage;
}

}  // namespace

ProcessResources resourcesOfThisProcess() {
    ProcessResources resources;
    HANDLE self = GetCurrentProcess();
    resources.gdiObjects = GetGuiResources(self, GR_GDIOBJECTS);
    resources.userObjects = GetGuiResources(self, GR_USEROBJECTS);
    if (resources.gdiObjects == 0) {  // a GUI process always holds some: the call is a stub
        resources.guiFromSystem = false;
        resources.gdiObjects = probeGdiObjects();
        resources.userObjects = countOwnWindows();
    }
    resources.privateBytes = systemPrivateBytes(self);
    if (resources.privateBytes == 0) {
        resources.memoryFromSystem = false;
        resources.privateBytes = committedPrivateBytes(self);
    }
    return resources;
}

OutsideResources resourcesOfProcess(HANDLE process) {
    OutsideResources resources;
    resources.privateBytes = systemPrivateBytes(process);
    if (resources.privateBytes == 0) {
        resources.memoryFromSystem = false;
        resources.privateBytes = committedPrivateBytes(process);
    }
    if (const DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS); gdi != 0) {
        resources.gdiObjects = gdi;
        resources.userObjects = GetGuiResources(process, GR_USEROBJECTS);
    }
    return resources;
}
