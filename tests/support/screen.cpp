#include "support/screen.h"

#include "ui/keyboard.h"
#include "ui/owned.h"

void pumpMessages(HWND mainWindow, int milliseconds) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    do {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) continue;
            if (IsWindow(mainWindow) && handleWindowKeys(mainWindow, message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    } while (GetTickCount64() < deadline);
}

void pressKey(HWND mainWindow, WORD key, bool withShift) {
    if (withShift) keybd_event(VK_SHIFT, 0, 0, 0);
    keybd_event(static_cast<BYTE>(key), 0, 0, 0);
    keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
    if (withShift) keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
    pumpMessages(mainWindow);
}

Capture captureScreen(RECT area) {
    Capture capture;
    capture.width = area.right - area.left;
    capture.height = area.bottom - area.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = capture.width;
    info.bmiHeader.biHeight = -capture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    WindowDc screen(nullptr);
    OwnedBitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    OwnedDc memory(CreateCompatibleDC(screen.get()));
    {
        Selected selected(memory.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, capture.width, capture.height, screen.get(), area.left, area.top,
               SRCCOPY);
    }
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    capture.pixels.reserve(static_cast<std::size_t>(capture.width) * capture.height);
    for (int i = 0; i < capture.width * capture.height; ++i)
        capture.pixels.push_back(pixels[i] & 0xFFFFFF);
    return capture;
}

RECT screenRectOf(HWND window) {
    RECT area{};
    GetWindowRect(window, &area);
    return area;
}
