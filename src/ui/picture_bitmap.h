#pragma once
// Decoded pictures in the form GDI draws: made once when a control is created, never on paint.

#include <windows.h>

#include <cstdint>
#include <span>

#include "ui/owned.h"

// A 24-bit bitmap of the JPEG picture, or null when the bytes do not decode.
OwnedBitmap bitmapFromJpeg(std::span<const std::uint8_t> jpeg);

SIZE bitmapSize(HBITMAP bitmap);

// Copies the whole bitmap unscaled with its top-left corner at `at`.
void drawBitmap(HDC dc, HBITMAP bitmap, POINT at);
