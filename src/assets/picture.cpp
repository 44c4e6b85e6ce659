#include "assets/picture.h"

#include <csetjmp>
#include <cstddef>
#include <cstdio>  // jpeglib.h uses FILE without declaring it
#include <limits>

#include <jpeglib.h>

namespace {

// libjpeg's standard error manager with a way back to decodeInto.
struct ErrorManager {
    jpeg_error_mgr manager;
    std::jmp_buf abandon;
};

[[noreturn]] void abandonDecode(j_common_ptr decoder) noexcept {
    std::longjmp(reinterpret_cast<ErrorManager*>(decoder->err)->abandon, 1);
}

// libjpeg warns about damaged data (a file cut short, a corrupt segment) and then goes on making
// up the missing pixels; such a picture is not ours, so a warning ends the decode as well.
// Messages of level 0 and up are traces.
void onMessage(j_common_ptr decoder, int level) noexcept {
    if (level < 0) abandonDecode(decoder);
}

void stayQuiet(j_common_ptr) noexcept {}

// Sets the output colour space for a header we can draw; false for anything else.
bool acceptHeader(jpeg_decompress_struct& decoder) noexcept {
    if (decoder.image_width > maxPictureSide || decoder.image_height > maxPictureSide) {
        return false;
    }
    switch (decoder.num_components) {
        case 3: decoder.out_color_space = JCS_RGB; return true;
        case 1: decoder.out_color_space = JCS_GRAYSCALE; return true;
        default: return false;
    }
}

// A grey line is read into the last third of its row and spread out from the left: each grey
// value is taken before its three bytes overwrite anything not yet spread.
void spreadGrey(std::uint8_t* row, std::size_t width) noexcept {
    const std::uint8_t* grey = row + 2 * width;
    for (std::size_t x = 0; x < width; ++x) {
        const std::uint8_t value = grey[x];
        row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = value;
    }
}

// Reads the lines straight into the target's rows. Holds no object with a destructor, since an
// error in libjpeg jumps out of it.
bool readRows(jpeg_decompress_struct& decoder, PictureRows& target) noexcept {
    const std::size_t width = decoder.output_width;
    const bool grey = decoder.output_components == 1;
    std::size_t stride = 0;
    std::uint8_t* rows = target.rowsFor(static_cast<int>(decoder.output_width),
                                        static_cast<int>(decoder.output_height), stride);
    if (!rows) return false;
    while (decoder.output_scanline < decoder.output_height) {
        std::uint8_t* row = rows + stride * decoder.output_scanline;
        JSAMPROW line = grey ? row + 2 * width : row;
        if (jpeg_read_scanlines(&decoder, &line, 1) != 1) return false;
        if (grey) spreadGrey(row, width);
    }
    return true;
}

// Rows kept in a Picture of their own.
class OwnRows final : public PictureRows {
  public:
    explicit OwnRows(Picture& picture) : picture(picture) {}

    std::uint8_t* rowsFor(int width, int height, std::size_t& stride) noexcept override {
        picture.width = width;
        picture.height = height;
        stride = 3 * static_cast<std::size_t>(width);
        picture.pixels.resize(stride * static_cast<std::size_t>(height));
        return picture.pixels.data();
    }

  private:
    Picture& picture;
};

// The one place where libjpeg may jump back to. Every object it uses exists before the setjmp
// and lives in the caller, so the jump skips no destructor and finds every value intact.
bool decodeInto(jpeg_decompress_struct& decoder, ErrorManager& errors,
                std::span<const std::uint8_t> jpeg, PictureRows& target) noexcept {
    if (setjmp(errors.abandon) != 0) return false;
    jpeg_create_decompress(&decoder);
    jpeg_mem_src(&decoder, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
    if (jpeg_read_header(&decoder, TRUE) != JPEG_HEADER_OK) return false;
    if (!acceptHeader(decoder)) return false;
    if (!jpeg_start_decompress(&decoder)) return false;
    if (!readRows(decoder, target)) return false;
    return jpeg_finish_decompress(&decoder);
}

}  // namespace

bool decodePictureInto(std::span<const std::uint8_t> jpeg, PictureRows& target) noexcept {
    if (jpeg.empty() || jpeg.size() > std::numeric_limits<unsigned long>::max()) return false;
    ErrorManager errors;
    jpeg_decompress_struct decoder{};
    decoder.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = abandonDecode;
    errors.manager.emit_message = onMessage;
    errors.manager.output_message = stayQuiet;
    const bool decoded = decodeInto(decoder, errors, jpeg, target);
    jpeg_destroy_decompress(&decoder);
    return decoded;
}

std::optional<Picture> decodePicture(std::span<const std::uint8_t> jpeg) noexcept {
    Picture picture{};
    OwnRows rows(picture);
    if (!decodePictureInto(jpeg, rows)) return std::nullopt;
    return picture;
}
