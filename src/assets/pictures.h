#pragma once

#include <cstdint>
#include <span>

// The five window pictures, each one complete baseline JPEG file built into the program.
extern const std::span<const std::uint8_t> headerPicture;          // 540 x 88
extern const std::span<const std::uint8_t> selectionPanelPicture;  // 540 x 178
extern const std::span<const std::uint8_t> resultPanelPicture;     // 540 x 120
extern const std::span<const std::uint8_t> linksPanelPicture;      // 540 x 214
extern const std::span<const std::uint8_t> queryButtonPicture;     // 127 x 65
