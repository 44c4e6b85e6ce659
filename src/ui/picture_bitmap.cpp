#include "ui/picture_bitmap.h"

#include <utility>

#include "assets/picture.h"

namespace {

constexpr int bytesPerPixel = 3;

// Rows decoded straight into a 24-bit DIB section, so that no second copy of the picture is ever
// held. GDI rows are padded to four bytes.
class BitmapRows final : public PictureRows {
  public:
    std::uint8_t* rowsFor(int width, int height, std::size_t& stride) noexcept override {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // rows from the top, as decoded
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        void* storage = nullptr;
        bitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &storage, nullptr, 0));
        if (!bitmap || !storage) return nullptr;
        bits = static_cast<std::uint8_t*>(storage);
        size = {width, height};
        stride = rowStride();
        return bits;
    }

    // GDI keeps each pixel as blue, green, red: swaps the decoded red and blue in place.
    OwnedBitmap finish() {
        for (int y = 0; y < size.cy; ++y) {
            std::uint8_t* row = bits + static_cast<std::size_t>(y) * rowStride();
            for (int x = 0; x < size.cx; ++x)
                std::swap(row[x * bytesPerPixel], row[x * bytesPerPixel + 2]);
        }
        GdiFlush();
        return std::move(bitmap);
    }

  private:
    std::size_t rowStride() const {
        return static_cast<std::size_t>((size.cx * bytesPerPixel + 3) & ~3);
    }

    OwnedBitmap bitmap;
    std::uint8_t* bits = nullptr;
    SIZE size{};
};

}  // namespace

OwnedBitmap bitmapFromJpeg(std::span<const std::uint8_t> jpeg) {
    BitmapRows rows;
    if (!decodePictureInto(jpeg, rows)) return nullptr;
    return rows.finish();
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
