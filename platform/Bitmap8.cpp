#include "Bitmap8.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "ByteOrder.h"

namespace {

constexpr int PaletteSize = 256;
constexpr int FileHeaderSize = 14;
constexpr int InfoHeaderSize = 40;
constexpr int GreyBase = 16 + 216;
// The most a BMP may claim on a side: icons are small, and a larger claim is taken for damage.
constexpr int32_t MaxSide = 1024;

// The standard 16 colours first, as Windows orders them.
constexpr uint8_t Standard[16][3] = {
    {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},  {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},    {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};

// Columns of each glyph from " " to "~", the lowest bit the top row.
constexpr uint8_t Font[95][5] = {
    {0x00, 0x00, 0x00, 0x00, 0x00}, {0x00, 0x00, 0x5F, 0x00, 0x00}, {0x00, 0x07, 0x00, 0x07, 0x00},
    {0x14, 0x7F, 0x14, 0x7F, 0x14}, {0x24, 0x2A, 0x7F, 0x2A, 0x12}, {0x23, 0x13, 0x08, 0x64, 0x62},
    {0x36, 0x49, 0x55, 0x22, 0x50}, {0x00, 0x05, 0x03, 0x00, 0x00}, {0x00, 0x1C, 0x22, 0x41, 0x00},
    {0x00, 0x41, 0x22, 0x1C, 0x00}, {0x08, 0x2A, 0x1C, 0x2A, 0x08}, {0x08, 0x08, 0x3E, 0x08, 0x08},
    {0x00, 0x50, 0x30, 0x00, 0x00}, {0x08, 0x08, 0x08, 0x08, 0x08}, {0x00, 0x60, 0x60, 0x00, 0x00},
    {0x20, 0x10, 0x08, 0x04, 0x02}, {0x3E, 0x51, 0x49, 0x45, 0x3E}, {0x00, 0x42, 0x7F, 0x40, 0x00},
    {0x42, 0x61, 0x51, 0x49, 0x46}, {0x21, 0x41, 0x45, 0x4B, 0x31}, {0x18, 0x14, 0x12, 0x7F, 0x10},
    {0x27, 0x45, 0x45, 0x45, 0x39}, {0x3C, 0x4A, 0x49, 0x49, 0x30}, {0x01, 0x71, 0x09, 0x05, 0x03},
    {0x36, 0x49, 0x49, 0x49, 0x36}, {0x06, 0x49, 0x49, 0x29, 0x1E}, {0x00, 0x36, 0x36, 0x00, 0x00},
    {0x00, 0x56, 0x36, 0x00, 0x00}, {0x08, 0x14, 0x22, 0x41, 0x00}, {0x14, 0x14, 0x14, 0x14, 0x14},
    {0x00, 0x41, 0x22, 0x14, 0x08}, {0x02, 0x01, 0x51, 0x09, 0x06}, {0x32, 0x49, 0x79, 0x41, 0x3E},
    {0x7E, 0x11, 0x11, 0x11, 0x7E}, {0x7F, 0x49, 0x49, 0x49, 0x36}, {0x3E, 0x41, 0x41, 0x41, 0x22},
    {0x7F, 0x41, 0x41, 0x22, 0x1C}, {0x7F, 0x49, 0x49, 0x49, 0x41}, {0x7F, 0x09, 0x09, 0x01, 0x01},
    {0x3E, 0x41, 0x41, 0x51, 0x32}, {0x7F, 0x08, 0x08, 0x08, 0x7F}, {0x00, 0x41, 0x7F, 0x41, 0x00},
    {0x20, 0x40, 0x41, 0x3F, 0x01}, {0x7F, 0x08, 0x14, 0x22, 0x41}, {0x7F, 0x40, 0x40, 0x40, 0x40},
    {0x7F, 0x02, 0x04, 0x02, 0x7F}, {0x7F, 0x04, 0x08, 0x10, 0x7F}, {0x3E, 0x41, 0x41, 0x41, 0x3E},
    {0x7F, 0x09, 0x09, 0x09, 0x06}, {0x3E, 0x41, 0x51, 0x21, 0x5E}, {0x7F, 0x09, 0x19, 0x29, 0x46},
    {0x46, 0x49, 0x49, 0x49, 0x31}, {0x01, 0x01, 0x7F, 0x01, 0x01}, {0x3F, 0x40, 0x40, 0x40, 0x3F},
    {0x1F, 0x20, 0x40, 0x20, 0x1F}, {0x7F, 0x20, 0x18, 0x20, 0x7F}, {0x63, 0x14, 0x08, 0x14, 0x63},
    {0x03, 0x04, 0x78, 0x04, 0x03}, {0x61, 0x51, 0x49, 0x45, 0x43}, {0x00, 0x7F, 0x41, 0x41, 0x00},
    {0x02, 0x04, 0x08, 0x10, 0x20}, {0x00, 0x41, 0x41, 0x7F, 0x00}, {0x04, 0x02, 0x01, 0x02, 0x04},
    {0x40, 0x40, 0x40, 0x40, 0x40}, {0x00, 0x01, 0x02, 0x04, 0x00}, {0x20, 0x54, 0x54, 0x54, 0x78},
    {0x7F, 0x48, 0x44, 0x44, 0x38}, {0x38, 0x44, 0x44, 0x44, 0x20}, {0x38, 0x44, 0x44, 0x48, 0x7F},
    {0x38, 0x54, 0x54, 0x54, 0x18}, {0x08, 0x7E, 0x09, 0x01, 0x02}, {0x08, 0x14, 0x54, 0x54, 0x3C},
    {0x7F, 0x08, 0x04, 0x04, 0x78}, {0x00, 0x44, 0x7D, 0x40, 0x00}, {0x20, 0x40, 0x44, 0x3D, 0x00},
    {0x00, 0x7F, 0x10, 0x28, 0x44}, {0x00, 0x41, 0x7F, 0x40, 0x00}, {0x7C, 0x04, 0x18, 0x04, 0x78},
    {0x7C, 0x08, 0x04, 0x04, 0x78}, {0x38, 0x44, 0x44, 0x44, 0x38}, {0x7C, 0x14, 0x14, 0x14, 0x08},
    {0x08, 0x14, 0x14, 0x18, 0x7C}, {0x7C, 0x08, 0x04, 0x04, 0x08}, {0x48, 0x54, 0x54, 0x54, 0x20},
    {0x04, 0x3F, 0x44, 0x40, 0x20}, {0x3C, 0x40, 0x40, 0x20, 0x7C}, {0x1C, 0x20, 0x40, 0x20, 0x1C},
    {0x3C, 0x40, 0x30, 0x40, 0x3C}, {0x44, 0x28, 0x10, 0x28, 0x44}, {0x0C, 0x50, 0x50, 0x50, 0x3C},
    {0x44, 0x64, 0x54, 0x4C, 0x44}, {0x00, 0x08, 0x36, 0x41, 0x00}, {0x00, 0x00, 0x7F, 0x00, 0x00},
    {0x00, 0x41, 0x36, 0x08, 0x00}, {0x08, 0x04, 0x08, 0x10, 0x08}};

// The characters of UTF-8 text, each as its first byte when ASCII and as "?" otherwise; a stray
// continuation byte counts as a character of its own.
template <class TVisit>
void ForEachCharacter(std::string_view Text, TVisit Visit) {
  for (size_t at = 0; at < Text.size();) {
    const auto lead = static_cast<uint8_t>(Text[at++]);
    if (lead >= 0xC0)
      while (at < Text.size() && (static_cast<uint8_t>(Text[at]) & 0xC0) == 0x80) ++at;
    Visit(lead >= 0x20 && lead < 0x7F ? static_cast<char>(lead) : '?');
  }
}

int RowBytes(int Width, int Bits) {
  return (Width * Bits / 8 + 3) & ~3;
}

void PutLE16(std::vector<uint8_t>& Out, uint16_t Value) {
  Out.push_back(static_cast<uint8_t>(Value));
  Out.push_back(static_cast<uint8_t>(Value >> 8));
}

}  // namespace

TBitmap8::TBitmap8(int Width, int Height, uint8_t Fill)
    : FWidth(std::max(Width, 0)),
      FHeight(std::max(Height, 0)),
      FPixels(static_cast<size_t>(FWidth) * static_cast<size_t>(FHeight), Fill) {}

uint8_t TBitmap8::Pixel(int X, int Y) const {
  if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return White;
  return FPixels[static_cast<size_t>(Y) * FWidth + X];
}

void TBitmap8::SetPixel(int X, int Y, uint8_t Index) {
  if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return;
  FPixels[static_cast<size_t>(Y) * FWidth + X] = Index;
}

void TBitmap8::FillRect(int Left, int Top, int Right, int Bottom, uint8_t Index) {
  for (int y = Top; y < Bottom; ++y)
    for (int x = Left; x < Right; ++x) SetPixel(x, y, Index);
}

void TBitmap8::Draw(int X, int Y, const TBitmap8& Source) {
  for (int y = 0; y < Source.FHeight; ++y)
    for (int x = 0; x < Source.FWidth; ++x) SetPixel(X + x, Y + y, Source.Pixel(x, y));
}

int TBitmap8::TextWidth(std::string_view Text) {
  int count = 0;
  ForEachCharacter(Text, [&count](char) { ++count; });
  return count * GlyphWidth;
}

void TBitmap8::TextOut(int X, int Y, std::string_view Text, uint8_t Index) {
  ForEachCharacter(Text, [&](char Character) {
    const uint8_t* columns = Font[Character - ' '];
    for (int column = 0; column < 5; ++column)
      for (int row = 0; row < 7; ++row)
        if (columns[column] >> row & 1) SetPixel(X + column, Y + row, Index);
    X += GlyphWidth;
  });
}

void TBitmap8::PaletteColor(uint8_t Index, uint8_t& Red, uint8_t& Green, uint8_t& Blue) {
  if (Index < 16) {
    Red = Standard[Index][0], Green = Standard[Index][1], Blue = Standard[Index][2];
  } else if (Index < GreyBase) {
    const int cube = Index - 16;
    Red = static_cast<uint8_t>(cube / 36 * 51);
    Green = static_cast<uint8_t>(cube / 6 % 6 * 51);
    Blue = static_cast<uint8_t>(cube % 6 * 51);
  } else {
    Red = Green = Blue = static_cast<uint8_t>(8 + (Index - GreyBase) * 10);
  }
}

uint8_t TBitmap8::Nearest(uint8_t Red, uint8_t Green, uint8_t Blue) {
  int best = 0;
  long bestDistance = -1;
  for (int index = 0; index < PaletteSize; ++index) {
    uint8_t r, g, b;
    PaletteColor(static_cast<uint8_t>(index), r, g, b);
    const long distance =
        (r - Red) * (r - Red) + (g - Green) * (g - Green) + (b - Blue) * (b - Blue);
    if (bestDistance < 0 || distance < bestDistance) best = index, bestDistance = distance;
  }
  return static_cast<uint8_t>(best);
}

std::string TBitmap8::SaveToBmp() const {
  const int rowBytes = RowBytes(FWidth, 8);
  const uint32_t offset = FileHeaderSize + InfoHeaderSize + PaletteSize * 4;
  const uint32_t imageSize = static_cast<uint32_t>(rowBytes) * static_cast<uint32_t>(FHeight);
  std::vector<uint8_t> out{'B', 'M'};
  PutLE32(out, offset + imageSize);
  PutLE32(out, 0);
  PutLE32(out, offset);
  PutLE32(out, InfoHeaderSize);
  PutLE32(out, static_cast<uint32_t>(FWidth));
  PutLE32(out, static_cast<uint32_t>(FHeight));
  PutLE16(out, 1);  // planes
  PutLE16(out, 8);  // bits per pixel
  PutLE32(out, 0);  // BI_RGB
  PutLE32(out, imageSize);
  PutLE32(out, 2835);  // 72 dots per inch
  PutLE32(out, 2835);
  PutLE32(out, PaletteSize);
  PutLE32(out, 0);
  for (int index = 0; index < PaletteSize; ++index) {
    uint8_t r, g, b;
    PaletteColor(static_cast<uint8_t>(index), r, g, b);
    out.insert(out.end(), {b, g, r, 0});
  }
  for (int y = FHeight - 1; y >= 0; --y) {
    const auto row = FPixels.begin() + static_cast<ptrdiff_t>(y) * FWidth;
    out.insert(out.end(), row, row + FWidth);
    out.resize(out.size() + static_cast<size_t>(rowBytes - FWidth), 0);
  }
  return std::string(out.begin(), out.end());
}

std::optional<TBitmap8> TBitmap8::LoadFromBmp(std::string_view Bytes) {
  uint32_t offset = 0, headerSize = 0, compression = 0, colours = 0, width = 0, height = 0;
  uint16_t bits = 0;
  if (Bytes.substr(0, 2) != "BM" || !ReadLE32(Bytes, 10, offset) ||
      !ReadLE32(Bytes, 14, headerSize) || headerSize < InfoHeaderSize ||
      !ReadLE32(Bytes, 18, width) || !ReadLE32(Bytes, 22, height) || !ReadLE16(Bytes, 28, bits) ||
      !ReadLE32(Bytes, 30, compression) || !ReadLE32(Bytes, 46, colours))
    return std::nullopt;
  // A negative height stores the rows top-down.
  const bool topDown = static_cast<int32_t>(height) < 0;
  const int32_t w = static_cast<int32_t>(width);
  const int32_t h = topDown ? -static_cast<int32_t>(height) : static_cast<int32_t>(height);
  if (compression != 0 || (bits != 8 && bits != 24 && bits != 32) || w <= 0 || h <= 0 ||
      w > MaxSide || h > MaxSide)
    return std::nullopt;
  if (colours == 0 || colours > PaletteSize) colours = PaletteSize;
  const size_t rowBytes = static_cast<size_t>(RowBytes(w, bits));
  if (offset > Bytes.size() || (Bytes.size() - offset) / rowBytes < static_cast<size_t>(h))
    return std::nullopt;
  std::array<uint8_t, PaletteSize> map{};
  if (bits == 8) {
    const size_t table = FileHeaderSize + headerSize;
    if (table > Bytes.size() || (Bytes.size() - table) / 4 < colours) return std::nullopt;
    for (uint32_t index = 0; index < colours; ++index) {
      const char* entry = Bytes.data() + table + index * 4;
      map[index] = Nearest(static_cast<uint8_t>(entry[2]), static_cast<uint8_t>(entry[1]),
                           static_cast<uint8_t>(entry[0]));
    }
  }
  // Pictures repeat their colours: each is matched once.
  std::unordered_map<uint32_t, uint8_t> nearest;
  auto match = [&nearest](const uint8_t* Pixel) {
    const uint32_t key = uint32_t{Pixel[2]} << 16 | uint32_t{Pixel[1]} << 8 | Pixel[0];
    const auto found = nearest.find(key);
    if (found != nearest.end()) return found->second;
    return nearest[key] = Nearest(Pixel[2], Pixel[1], Pixel[0]);
  };
  TBitmap8 bitmap(w, h);
  for (int32_t y = 0; y < h; ++y) {
    const char* row =
        Bytes.data() + offset + rowBytes * static_cast<size_t>(topDown ? y : h - 1 - y);
    for (int32_t x = 0; x < w; ++x) {
      const auto* pixel = reinterpret_cast<const uint8_t*>(row + x * (bits / 8));
      bitmap.SetPixel(x, y, bits == 8 ? map[pixel[0]] : match(pixel));
    }
  }
  return bitmap;
}
