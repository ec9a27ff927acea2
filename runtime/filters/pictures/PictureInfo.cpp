#include "PictureInfo.h"

#include <cstring>

namespace pictures {

namespace {

constexpr uint64_t MaxConvertedPixels = uint64_t{1} << 26;

uint32_t Little(std::string_view File, size_t At, size_t Bytes) {
  uint32_t value = 0;
  for (size_t i = 0; i < Bytes; ++i)
    value |= uint32_t{static_cast<unsigned char>(File[At + i])} << (8 * i);
  return value;
}

uint32_t Big(std::string_view File, size_t At, size_t Bytes) {
  uint32_t value = 0;
  for (size_t i = 0; i < Bytes; ++i)
    value = (value << 8) | static_cast<unsigned char>(File[At + i]);
  return value;
}

bool IsStartOfFrame(unsigned char Marker) {
  // SOF0..SOF15 except DHT (C4), JPG (C8) and DAC (CC).
  return Marker >= 0xC0 && Marker <= 0xCF && Marker != 0xC4 && Marker != 0xC8 && Marker != 0xCC;
}

std::optional<TPictureInfo> JpegInfo(std::string_view File) {
  if (File.size() < 4 || Big(File, 0, 2) != 0xFFD8) return std::nullopt;
  size_t at = 2;
  while (at + 4 <= File.size()) {
    if (static_cast<unsigned char>(File[at]) != 0xFF) return std::nullopt;
    const auto marker = static_cast<unsigned char>(File[at + 1]);
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0xD9 || marker == 0xDA) return std::nullopt;  // image data before any frame
    const size_t length = Big(File, at + 2, 2);
    if (length < 2 || at + 2 + length > File.size()) return std::nullopt;
    if (IsStartOfFrame(marker)) {
      if (length < 7) return std::nullopt;
      TPictureInfo info{Big(File, at + 7, 2), Big(File, at + 5, 2)};
      if (info.Width == 0 || info.Height == 0) return std::nullopt;
      return info;
    }
    at += 2 + length;
  }
  return std::nullopt;
}

std::optional<TPictureInfo> PngInfo(std::string_view File) {
  static constexpr std::string_view Signature("\x89PNG\r\n\x1A\n", 8);
  if (File.size() < 33 || File.substr(0, 8) != Signature) return std::nullopt;
  if (Big(File, 8, 4) != 13 || File.substr(12, 4) != "IHDR") return std::nullopt;
  TPictureInfo info{Big(File, 16, 4), Big(File, 20, 4)};
  if (info.Width == 0 || info.Height == 0) return std::nullopt;
  return info;
}

struct TBmpLayout {
  TPictureInfo Info;
  bool TopDown = false;
  uint32_t Bits = 0;
  uint32_t Compression = 0;
  size_t Palette = 0;  // offset of the colour table
  size_t PaletteEntry = 4;
  size_t Pixels = 0;
  size_t Stride = 0;
};

// The file header, then a core (12-byte) or information (40 bytes or more) header.
std::optional<TBmpLayout> BmpLayout(std::string_view File) {
  if (File.size() < 26 || File.substr(0, 2) != "BM") return std::nullopt;
  const size_t header = Little(File, 14, 4);
  TBmpLayout layout;
  if (header == 12) {
    layout.Info = {Little(File, 18, 2), Little(File, 20, 2)};
    layout.Bits = Little(File, 24, 2);
    layout.PaletteEntry = 3;
  } else if (header >= 40 && 14 + header <= File.size()) {
    const auto height = static_cast<int32_t>(Little(File, 22, 4));
    const auto width = static_cast<int32_t>(Little(File, 18, 4));
    if (width <= 0 || height == 0 || height == INT32_MIN) return std::nullopt;
    layout.TopDown = height < 0;
    layout.Info = {static_cast<uint32_t>(width),
                   static_cast<uint32_t>(height < 0 ? -height : height)};
    layout.Bits = Little(File, 28, 2);
    layout.Compression = Little(File, 30, 4);
  } else {
    return std::nullopt;
  }
  layout.Palette = 14 + header;
  layout.Pixels = Little(File, 10, 4);
  layout.Stride = ((uint64_t{layout.Info.Width} * layout.Bits + 31) / 32) * 4;
  const bool knownDepth = layout.Bits == 1 || layout.Bits == 4 || layout.Bits == 8 ||
                          layout.Bits == 16 || layout.Bits == 24 || layout.Bits == 32;
  if (!knownDepth || layout.Info.Width == 0 || layout.Info.Height == 0) return std::nullopt;
  if (layout.Pixels < layout.Palette || layout.Pixels > File.size()) return std::nullopt;
  // Compressed rows may be shorter; uncompressed ones must all be in the file.
  const bool compressed = layout.Compression == 1 || layout.Compression == 2;
  if (!compressed && uint64_t{layout.Stride} * layout.Info.Height > File.size() - layout.Pixels)
    return std::nullopt;
  return layout;
}

}  // namespace

std::optional<TPictureInfo> ReadPictureInfo(TPictureKind Kind, std::string_view File) {
  switch (Kind) {
    case TPictureKind::Jpeg:
      return JpegInfo(File);
    case TPictureKind::Png:
      return PngInfo(File);
    case TPictureKind::Bmp:
      if (auto layout = BmpLayout(File)) return layout->Info;
      return std::nullopt;
  }
  return std::nullopt;
}

std::optional<std::string> BmpToRgb(std::string_view File, TPictureInfo& Info) {
  const std::optional<TBmpLayout> layout = BmpLayout(File);
  // Bit fields (3) are read as the usual 32-bit BGRX layout; RLE and 16 bits are not taken.
  if (!layout || layout->Bits == 16 || (layout->Compression != 0 && layout->Compression != 3))
    return std::nullopt;
  // A picture of few bits a pixel grows 24-fold: beyond this many pixels it is not converted.
  if (uint64_t{layout->Info.Width} * layout->Info.Height > MaxConvertedPixels) return std::nullopt;
  const size_t colors = (layout->Pixels - layout->Palette) / layout->PaletteEntry;
  Info = layout->Info;
  std::string rgb;
  rgb.reserve(size_t{Info.Width} * Info.Height * 3);
  for (uint32_t y = 0; y < Info.Height; ++y) {
    const uint32_t stored = layout->TopDown ? y : Info.Height - 1 - y;
    const size_t row = layout->Pixels + stored * layout->Stride;
    for (uint32_t x = 0; x < Info.Width; ++x) {
      size_t bgr;  // offset of the pixel's blue, green and red bytes
      if (layout->Bits >= 24) {
        bgr = row + x * (layout->Bits / 8);
      } else {
        const size_t bit = size_t{x} * layout->Bits;
        const unsigned byte = static_cast<unsigned char>(File[row + bit / 8]);
        const unsigned index = (byte >> (8 - layout->Bits - bit % 8)) & ((1u << layout->Bits) - 1);
        if (index >= colors) return std::nullopt;
        bgr = layout->Palette + index * layout->PaletteEntry;
      }
      rgb += File[bgr + 2];
      rgb += File[bgr + 1];
      rgb += File[bgr];
    }
  }
  return rgb;
}

}  // namespace pictures
