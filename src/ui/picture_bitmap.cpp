#include "ui/picture_bitmap.h"

#include <cstring>

#include "assets/picture.h"

namespace {

constexpr int bytesPerPixel = 3;

int dibStride(int width) {
    return (width * bytesPerPixel + 3) & ~3;
}

}  // namespace

OwnedBitmap bitmapFromJpeg(std::span<const std::uint8_t> jpeg) {
    const std::optional<Picture> picture = decodePicture(jpeg);
    if (!picture) return nullptr;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = picture->width;
    info.bmiHeader.biHeight = -picture->height;  // rows from the top, as decoded
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    OwnedBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return nullptr;

    // GDI keeps each pixel as blue, green, red and each row padded to four bytes.
    const int stride = dibStride(picture->width);
    const std::size_t rowBytes = static_cast<std::size_t>(picture->width) * bytesPerPixel;
    for (int y = 0; y < picture->height; ++y) {
        const std::uint8_t* from = picture->pixels.data() + static_cast<std::size_t>(y) * rowBytes;
        auto* to = static_cast<std::uint8_t*>(bits) + static_cast<std::size_t>(y) * stride;
        for (std::size_t x = 0; x < rowBytes; x += bytesPerPixel) {
            to[x] = from[x + 2];
            to[x + 1] = from[x + 1];
            to[x + 2] = from[x];
        }
    }
    GdiFlush();
    return bitmap;
}

SIZE bitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info)) return {0, 0};
    return {info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

void drawBitmap(HDC dc, HBITMAP bitmap, POINT at) {
    const SIZE size = bitmapSize(bitmap);
    OwnedDc memory(CreateCompatibleDC(dc));
    if (!memory) return;
    Selected picture(memory.get(), bitmap);
    BitBlt(dc, at.x, at.y, size.cx, size.cy, memory.get(), 0, 0, SRCCOPY);
}
