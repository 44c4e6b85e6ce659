// Arbitrary bytes through decodePicture: whatever the bytes, no crash, no leak, and a picture,
// when there is one, exactly as large as its sides say.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "assets/picture.h"

namespace {

[[noreturn]] void fail(const char* what, const Picture& picture) {
    std::fprintf(stderr, "picture fuzzer: %s (%d x %d, %zu bytes of pixels)\n", what, picture.width,
                 picture.height, picture.pixels.size());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto picture = decodePicture(std::span(data, size));
    if (!picture) return 0;
    const bool sidesFit = picture->width >= 1 && picture->width <= maxPictureSide &&
                          picture->height >= 1 && picture->height <= maxPictureSide;
    if (!sidesFit) fail("a side out of range", *picture);
    const std::size_t expected =
        static_cast<std::size_t>(picture->width) * static_cast<std::size_t>(picture->height) * 3;
    if (picture->pixels.size() != expected) fail("pixel bytes do not match the sides", *picture);
    return 0;
}
