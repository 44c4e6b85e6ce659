#include "ui/picture_box.h"

#include <memory>

#include "ui/owned.h"
#include "ui/picture_bitmap.h"
#include "ui/window_class.h"

namespace {

constexpr wchar_t pictureBoxClass[] = L"FormationPictureBox";

struct PictureBox {
    OwnedBitmap picture;
};

// The box takes its state over at its first message and frees it at its last.
PictureBox* stateOf(HWND box, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* owner = static_cast<std::unique_ptr<PictureBox>*>(
            reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        PictureBox* state = owner->release();
        SetWindowLongPtrW(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
        return state;
    }
    return reinterpret_cast<PictureBox*>(GetWindowLongPtrW(box, GWLP_USERDATA));
}

void paintPictureBox(const PictureBox& box, HWND window, HDC dc) {
    RECT area{};
    GetClientRect(window, &area);
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    if (box.picture) drawBitmap(dc, box.picture.get(), {0, 0});
}

LRESULT onPaint(const PictureBox& box, HWND window) {
    PaintScope paint(window);
    paintPictureBox(box, window, paint.get());
    return 0;
}

LRESULT CALLBACK pictureBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    PictureBox* self = stateOf(window, message, lParam);
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
        case WM_ERASEBKGND: return 1;  // the paint covers the whole box
        case WM_PAINT: return onPaint(*self, window);
        case WM_PRINTCLIENT:
            paintPictureBox(*self, window, reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_COMMAND:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC: return SendMessageW(GetParent(window), message, wParam, lParam);
        case WM_NCDESTROY:
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            delete self;
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool registerPictureBoxClass(HINSTANCE instance) {
    return registerWindowClass(instance, pictureBoxClass, pictureBoxProc);
}

HWND createPictureBox(HWND parent, int id, RECT place, std::span<const std::uint8_t> jpeg) {
    auto state = std::make_unique<PictureBox>(bitmapFromJpeg(jpeg));
    // No WS_CLIPCHILDREN: the transparent labels show this box's painting beneath their text.
    HWND box = CreateWindowExW(
        0, pictureBoxClass, L"", WS_CHILD | WS_CLIPSIBLINGS, place.left, place.top,
        place.right - place.left, place.bottom - place.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), &state);
    return box;
}
