#pragma once
// What a process holds of the system: GDI objects, USER objects and private bytes.
//
// GetGuiResources and PrivateUsage answer 0 under Wine 8 (stubs), so where they do, the figures
// come from elsewhere: GDI objects by probing this process's GDI handle table, USER objects by
// counting its windows, private bytes by adding up the committed private regions of its address
// space. The `...FromSystem` flags say which way the figures were taken.

#include <windows.h>

#include <cstddef>
#include <optional>

struct ProcessResources {
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
    std::size_t privateBytes = 0;
    bool guiFromSystem = true;     // GetGuiResources, not the probe
    bool memoryFromSystem = true;  // PrivateUsage, not the address-space walk
};

// This process: every figure, one way or the other.
ProcessResources resourcesOfThisProcess();

// Another process (opened with PROCESS_QUERY_INFORMATION | PROCESS_VM_READ): private bytes
// always; GDI and USER objects only where GetGuiResources works, since another process's handle
// tables cannot be probed from here.
struct OutsideResources {
    std::size_t privateBytes = 0;
    bool memoryFromSystem = true;
    std::optional<DWORD> gdiObjects;
    std::optional<DWORD> userObjects;
};
OutsideResources resourcesOfProcess(HANDLE process);
