#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An 8-bit-per-pixel picture over one fixed palette (16 standard colours, a 6x6x6 colour cube,
// 24 greys), drawn in place of the Windows canvas and written as a Windows BMP file.
class TBitmap8 {
 public:
  static constexpr int GlyphWidth = 6;  // 5 columns and a blank one
  static constexpr int GlyphHeight = 8;
  // Palette indexes of colours the units draw with.
  static constexpr uint8_t Black = 0;
  static constexpr uint8_t White = 15;

  TBitmap8(int Width, int Height, uint8_t Fill = White);

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Pixels outside the picture read as the fill colour and are not written.
  uint8_t Pixel(int X, int Y) const;
  void SetPixel(int X, int Y, uint8_t Index);
  void FillRect(int Left, int Top, int Right, int Bottom, uint8_t Index);
  // Copies Source with its top-left corner at X, Y; what falls outside is cut.
  void Draw(int X, int Y, const TBitmap8& Source);

  // Width of Text in the built-in font: one glyph per character (UTF-8 read as characters).
  static int TextWidth(std::string_view Text);
  // Printable ASCII in the built-in font, every other character as "?".
  void TextOut(int X, int Y, std::string_view Text, uint8_t Index = Black);

  // The palette entry nearest to a colour.
  static uint8_t Nearest(uint8_t Red, uint8_t Green, uint8_t Blue);
  static void PaletteColor(uint8_t Index, uint8_t& Red, uint8_t& Green, uint8_t& Blue);

  // A BMP file: BITMAPFILEHEADER, BITMAPINFOHEADER, 256 palette entries, rows bottom-up.
  std::string SaveToBmp() const;
  // Uncompressed 8-, 24- and 32-bit BMP files; none for anything else or a damaged file.
  static std::optional<TBitmap8> LoadFromBmp(std::string_view Bytes);

 private:
  int FWidth;
  int FHeight;
  std::vector<uint8_t> FPixels;
};
