#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// A decoded picture: `width` × `height` pixels, rows from the top, each pixel three bytes (red,
// green, blue), rows without padding.
struct Picture {
    int width;
    int height;
    std::vector<std::uint8_t> pixels;
};

// The longest side a picture may have. Pictures are drawn unscaled in a 540 × 562 window, so
// nothing longer could ever be seen; the cap also keeps a forged header from claiming a huge
// image, at most 4096 × 4096 × 3 bytes (48 MiB), before a single pixel has been read.
inline constexpr int maxPictureSide = 4096;

// Decodes a JPEG file held in memory, with libjpeg's default settings (full size, accurate
// integer transform). A one-component (grey) file fills all three channels. Gives no picture for
// an empty byte string, for anything libjpeg rejects or warns about (a truncated or damaged file),
// for other than one or three components and for a side beyond maxPictureSide. Writes no message.
std::optional<Picture> decodePicture(std::span<const std::uint8_t> jpeg) noexcept;

// Storage that the caller provides for the decoded rows, so that they can land where they are
// drawn from without a copy.
class PictureRows {
  public:
    // Storage for `height` rows of at least `width` × 3 bytes, asked for once when the size is
    // known; row y starts `stride` × y bytes after the first. Null gives up the decode.
    virtual std::uint8_t* rowsFor(int width, int height, std::size_t& stride) noexcept = 0;

  protected:
    ~PictureRows() = default;
};

// decodePicture into the caller's storage. False when decodePicture gives no picture; the rows
// then hold nothing to rely on.
bool decodePictureInto(std::span<const std::uint8_t> jpeg, PictureRows& target) noexcept;
