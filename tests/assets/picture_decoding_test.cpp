#include "assets/picture.h"

#include <gtest/gtest.h>

#include <cstdio>  // jpeglib.h uses FILE without declaring it
#include <cstdlib>
#include <cstring>
#include <vector>

#include <jpeglib.h>

#include "support/allocation_log.h"
#include "support/jpeg_encoding.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Four coloured quarters, so that a swapped channel or a mirrored row shows.
constexpr std::uint8_t quarterColours[4][3] = {
    {200, 30, 40}, {30, 180, 60}, {40, 50, 210}, {240, 220, 90}};

Bytes quartersImage(int width, int height) {
    Bytes samples;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const auto& colour = quarterColours[(y >= height / 2) * 2 + (x >= width / 2)];
            samples.insert(samples.end(), colour, colour + 3);
        }
    }
    return samples;
}

Bytes colourJpeg(int width = 16, int height = 16) {
    return encode(width, height, 3, JCS_RGB, quartersImage(width, height));
}

// Offset of the first marker FF `code` in a JPEG file.
std::size_t markerAt(const Bytes& jpeg, std::uint8_t code) {
    for (std::size_t i = 0; i + 1 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == code) return i;
    }
    ADD_FAILURE() << "no marker FF " << int{code};
    return 0;
}

constexpr std::uint8_t startOfFrame = 0xC0, startOfScan = 0xDA, endOfImage = 0xD9;

// Start-of-frame layout after the marker: length (2), precision (1), height (2), width (2),
// component count (1), then per component: id, sampling factors, table.
void setSides(Bytes& jpeg, int width, int height) {
    const std::size_t frame = markerAt(jpeg, startOfFrame);
    jpeg[frame + 5] = static_cast<std::uint8_t>(height >> 8);
    jpeg[frame + 6] = static_cast<std::uint8_t>(height);
    jpeg[frame + 7] = static_cast<std::uint8_t>(width >> 8);
    jpeg[frame + 8] = static_cast<std::uint8_t>(width);
}

TEST(DecodePicture, GivesRgbPixelsRowsFromTheTop) {
    const Bytes jpeg = colourJpeg(20, 12);
    const auto picture = decodePicture(jpeg);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 20);
    EXPECT_EQ(picture->height, 12);
    ASSERT_EQ(picture->pixels.size(), 20u * 12u * 3u);
    struct Sample {
        int x, y, quarter;
    };
    for (const Sample s : {Sample{0, 0, 0}, {19, 0, 1}, {0, 11, 2}, {19, 11, 3}, {4, 3, 0}}) {
        const std::uint8_t* pixel = &picture->pixels[(std::size_t(s.y) * 20 + s.x) * 3];
        for (int c = 0; c < 3; ++c) {
            EXPECT_NEAR(pixel[c], quarterColours[s.quarter][c], 4)
                << "x " << s.x << " y " << s.y << " channel " << c;
        }
    }
}

TEST(DecodePicture, FillsAllThreeChannelsFromAGreyFile) {
    // 13 wide: the grey rows are spread in place, and an odd width catches an off-by-one there.
    constexpr int width = 13, height = 5;
    Bytes samples;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) samples.push_back(static_cast<std::uint8_t>(x * 19 + y));
    }
    const auto picture = decodePicture(encode(width, height, 1, JCS_GRAYSCALE, samples));
    ASSERT_TRUE(picture);
    ASSERT_EQ(picture->width, width);
    ASSERT_EQ(picture->height, height);
    ASSERT_EQ(picture->pixels.size(), std::size_t{width * height * 3});
    for (int i = 0; i < width * height; ++i) {
        const std::uint8_t* pixel = &picture->pixels[std::size_t(i) * 3];
        EXPECT_NEAR(pixel[0], samples[i], 2) << "pixel " << i;
        EXPECT_EQ(pixel[1], pixel[0]) << "pixel " << i;
        EXPECT_EQ(pixel[2], pixel[0]) << "pixel " << i;
    }
}

TEST(DecodePicture, GivesNoPictureForNoBytes) {
    const Bytes jpeg = colourJpeg();
    EXPECT_FALSE(decodePicture({}));
    EXPECT_FALSE(decodePicture(std::span(jpeg.data(), 0)));
}

TEST(DecodePicture, GivesNoPictureForAnyTruncatedFile) {
    const Bytes jpeg = colourJpeg();
    ASSERT_TRUE(decodePicture(jpeg));
    for (std::size_t length = 1; length < jpeg.size(); ++length) {
        EXPECT_FALSE(decodePicture(std::span(jpeg.data(), length))) << "length " << length;
    }
}

TEST(DecodePicture, GivesNoPictureForDamagedFiles) {
    const Bytes good = colourJpeg();
    const std::size_t frame = markerAt(good, startOfFrame);
    const std::size_t scan = markerAt(good, startOfScan);
    struct Case {
        const char* what;
        void (*damage)(Bytes& jpeg, std::size_t frame, std::size_t scan);
    };
    const Case cases[] = {
        {"no start-of-image marker", [](Bytes& j, std::size_t, std::size_t) { j[1] = 0x00; }},
        {"12-bit samples", [](Bytes& j, std::size_t f, std::size_t) { j[f + 4] = 12; }},
        {"zero width", [](Bytes& j, std::size_t f, std::size_t) { j[f + 7] = j[f + 8] = 0; }},
        {"sampling factor 5", [](Bytes& j, std::size_t f, std::size_t) { j[f + 11] = 0x55; }},
        // The scan header names Huffman tables 0 and 1 only; table 3 was never defined.
        {"undefined Huffman table", [](Bytes& j, std::size_t, std::size_t s) { j[s + 6] = 0x33; }},
        {"end of image inside the scan",
         [](Bytes& j, std::size_t, std::size_t s) {
             const std::size_t middle = s + (j.size() - s) / 2;
             j[middle] = 0xFF;
             j[middle + 1] = endOfImage;
         }},
        {"tables only, no image",
         [](Bytes& j, std::size_t f, std::size_t) {
             j.resize(f);
             j.push_back(0xFF);
             j.push_back(endOfImage);
         }},
        {"text, not a picture",
         [](Bytes& j, std::size_t, std::size_t) {
             const char text[] = "<html>not a picture</html>";
             j.assign(text, text + sizeof text - 1);
         }},
    };
    for (const Case& c : cases) {
        Bytes jpeg = good;
        c.damage(jpeg, frame, scan);
        EXPECT_FALSE(decodePicture(jpeg)) << c.what;
    }
}

// Every byte of the headers, in turn, set to a few other values: the decoder either refuses the
// file or gives a whole picture. Under AddressSanitizer this also proves no read or write strays.
TEST(DecodePicture, DamageAnywhereInTheHeadersGivesNoPictureOrAWholeOne) {
    const Bytes good = colourJpeg(9, 7);
    const std::size_t headersEnd = markerAt(good, startOfScan) + 14;
    for (std::size_t offset = 0; offset < headersEnd; ++offset) {
        for (const std::uint8_t value : {std::uint8_t{0x00}, std::uint8_t{0xFF},
                                         static_cast<std::uint8_t>(good[offset] ^ 0x81)}) {
            Bytes jpeg = good;
            jpeg[offset] = value;
            const auto picture = decodePicture(jpeg);
            if (!picture) continue;
            EXPECT_TRUE(picture->width >= 1 && picture->width <= maxPictureSide &&
                        picture->height >= 1 && picture->height <= maxPictureSide &&
                        picture->pixels.size() ==
                            std::size_t(picture->width) * std::size_t(picture->height) * 3)
                << "offset " << offset << " value " << int{value};
        }
    }
}

TEST(DecodePicture, GivesNoPictureForOtherThanOneOrThreeComponents) {
    struct Case {
        int components;
        J_COLOR_SPACE space;
    };
    for (const Case c : {Case{4, JCS_CMYK}, Case{2, JCS_UNKNOWN}}) {
        const Bytes samples(std::size_t{8 * 8} * c.components, 128);
        EXPECT_FALSE(decodePicture(encode(8, 8, c.components, c.space, samples)))
            << c.components << " components";
    }
}

TEST(DecodePicture, TakesSidesUpToTheLimitOnly) {
    struct Case {
        int width, height;
        bool decodes;
    };
    const Case cases[] = {{maxPictureSide, 2, true},
                          {maxPictureSide + 1, 2, false},
                          {2, maxPictureSide, true},
                          {2, maxPictureSide + 1, false}};
    for (const Case& c : cases) {
        const Bytes samples(std::size_t(c.width) * c.height * 3, 90);
        const auto picture = decodePicture(encode(c.width, c.height, 3, JCS_RGB, samples));
        EXPECT_EQ(picture.has_value(), c.decodes) << c.width << " x " << c.height;
    }
}

// A header claiming 60000 × 60000 pixels would ask for 10 GB of pixels; the decoder must turn
// it down before taking any storage for them.
TEST(DecodePicture, TurnsDownAHugeClaimedSizeWithoutTakingStorage) {
    Bytes jpeg = colourJpeg();
    setSides(jpeg, 60000, 60000);
    allocationLog::failAfter(0);
    const bool decoded = decodePicture(jpeg).has_value();
    allocationLog::failAfter(static_cast<std::size_t>(-1));
    EXPECT_FALSE(decoded);
}

}  // namespace
