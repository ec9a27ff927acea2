#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pictures {

enum class TPictureKind { Jpeg, Bmp, Png };

struct TPictureInfo {
  uint32_t Width = 0;
  uint32_t Height = 0;
};

// The size in pixels a picture file of the kind states, or null when the file is not such a
// picture: JPEG by its SOI marker and first SOFn frame, BMP by its header sizes (file and
// information headers, pixel offset, the rows' bytes inside the file), PNG by its signature and
// IHDR chunk. Only headers are read; every read is bounded by the file.
std::optional<TPictureInfo> ReadPictureInfo(TPictureKind Kind, std::string_view File);

// An uncompressed BMP (1, 4, 8, 24 or 32 bits a pixel) of at most 64 million pixels as 8-bit
// RGB rows top down; null for any other BMP or a damaged one.
std::optional<std::string> BmpToRgb(std::string_view File, TPictureInfo& Info);

}  // namespace pictures
