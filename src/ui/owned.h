#pragma once
// Owners for the GDI and USER handles the window makes, and guards for calls that come in pairs.

#include <windows.h>

#include <memory>
#include <type_traits>

template <auto release>
struct Releaser {
    void operator()(auto handle) const noexcept { release(handle); }
};
template <class Handle, auto release>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, Releaser<release>>;

inline void deleteGdiObject(HGDIOBJ object) noexcept {
    DeleteObject(object);
}

using OwnedFont = Owned<HFONT, deleteGdiObject>;
using OwnedBrush = Owned<HBRUSH, deleteGdiObject>;
using OwnedBitmap = Owned<HBITMAP, deleteGdiObject>;
using OwnedIcon = Owned<HICON, DestroyIcon>;
using OwnedDc = Owned<HDC, DeleteDC>;  // memory DCs only

// BeginPaint and EndPaint.
class PaintScope {
  public:
    explicit PaintScope(HWND window) : window(window) { dc = BeginPaint(window, &paint); }
    ~PaintScope() { EndPaint(window, &paint); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC get() const { return dc; }
    const RECT& area() const { return paint.rcPaint; }

  private:
    HWND window;
    PAINTSTRUCT paint{};
    HDC dc;
};

// GetDC and ReleaseDC against the same window (null: the screen).
class WindowDc {
  public:
    explicit WindowDc(HWND window) : window(window), dc(GetDC(window)) {}
    ~WindowDc() {
        if (dc) ReleaseDC(window, dc);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const { return dc; }

  private:
    HWND window;
    HDC dc;
};

// SelectObject, then the previous object restored.
class Selected {
  public:
    Selected(HDC dc, HGDIOBJ object) : dc(dc), previous(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(dc, previous); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

  private:
    HDC dc;
    HGDIOBJ previous;
};
