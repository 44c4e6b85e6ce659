#include "support/jpeg_encoding.h"

#include <cstdlib>

std::vector<std::uint8_t> encode(int width, int height, int components, J_COLOR_SPACE space,
                                 const std::vector<std::uint8_t>& samples) {
    jpeg_compress_struct encoder{};
    jpeg_error_mgr errors{};
    encoder.err = jpeg_std_error(&errors);
    jpeg_create_compress(&encoder);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&encoder, &buffer, &size);
    encoder.image_width = static_cast<JDIMENSION>(width);
    encoder.image_height = static_cast<JDIMENSION>(height);
    encoder.input_components = components;
    encoder.in_color_space = space;
    jpeg_set_defaults(&encoder);
    if (space == JCS_UNKNOWN) jpeg_set_colorspace(&encoder, JCS_UNKNOWN);
    jpeg_set_quality(&encoder, 100, TRUE);
    for (int i = 0; i < encoder.num_components; ++i) {
        encoder.comp_info[i].h_samp_factor = encoder.comp_info[i].v_samp_factor = 1;
    }
    jpeg_start_compress(&encoder, TRUE);
    while (encoder.next_scanline < encoder.image_height) {
        JSAMPROW row = const_cast<std::uint8_t*>(samples.data()) +
                       std::size_t{encoder.next_scanline} * width * components;
        jpeg_write_scanlines(&encoder, &row, 1);
    }
    jpeg_finish_compress(&encoder);
    jpeg_destroy_compress(&encoder);
    std::vector<std::uint8_t> jpeg(buffer, buffer + size);
    std::free(buffer);
    return jpeg;
}
