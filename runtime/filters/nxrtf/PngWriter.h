#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace xrtf {

// A PNG file of 8-bit RGB pixels (Width x Height, rows top down, 3 bytes a pixel), compressed
// with stored deflate blocks only: readers need nothing more, and no compression library is
// needed to write it.
std::string PngOfRgb(uint32_t Width, uint32_t Height, std::string_view Rgb);

}  // namespace xrtf
