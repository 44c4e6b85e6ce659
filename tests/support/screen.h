#pragma once
// Helpers for tests that drive a real window: pumping its messages, real key presses, and reading
// back the pixels on the screen.

#include <windows.h>

#include <cstdint>
#include <vector>

// Dispatches this thread's messages for `milliseconds`, with the window's keys handled as the
// program's event loop handles them.
void pumpMessages(HWND mainWindow, int milliseconds = 60);

// A real key press and release through the system's input queue.
void pressKey(HWND mainWindow, WORD key, bool withShift = false);

struct Capture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, rows from the top

    std::uint32_t at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
    bool operator==(const Capture&) const = default;
};

// What the screen shows in `area` (screen coordinates).
Capture captureScreen(RECT area);

// The screen rectangle of a window.
RECT screenRectOf(HWND window);

constexpr std::uint32_t rgb(int red, int green, int blue) {
    return static_cast<std::uint32_t>(red << 16 | green << 8 | blue);
}
