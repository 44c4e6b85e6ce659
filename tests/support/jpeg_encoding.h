#pragma once
// JPEG files made in memory with libjpeg's compressor, for tests and benchmarks of the decoder.

#include <cstdint>
#include <cstdio>  // jpeglib.h uses FILE without declaring it
#include <vector>

#include <jpeglib.h>

// Compresses `samples` (rows from the top, `components` bytes per pixel) into a baseline JPEG in
// memory, at the highest quality and without chroma subsampling.
std::vector<std::uint8_t> encode(int width, int height, int components, J_COLOR_SPACE space,
                                 const std::vector<std::uint8_t>& samples);
