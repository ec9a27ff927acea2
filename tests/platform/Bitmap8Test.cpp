// The 8-bit picture behind attachment icons: BMP files written and read back, damaged files
// refused, and text drawn with the built-in font.
#include <gtest/gtest.h>

#include "Bitmap8.h"

namespace {

void Put(std::string& Out, std::initializer_list<uint32_t> Values, int Bytes = 4) {
  for (uint32_t Value : Values)
    for (int at = 0; at < Bytes; ++at) Out += static_cast<char>(Value >> (8 * at));
}

// A BMP of 24 or 32 bits per pixel, every pixel of one colour.
std::string DirectColorBmp(int Width, int Height, int Bits, uint8_t R, uint8_t G, uint8_t B) {
  const int rowBytes = (Width * Bits / 8 + 3) & ~3;
  std::string bmp = "BM";
  Put(bmp, {54u + rowBytes * std::abs(Height), 0, 54, 40, static_cast<uint32_t>(Width),
            static_cast<uint32_t>(Height)});
  Put(bmp, {1, static_cast<uint32_t>(Bits)}, 2);
  bmp.append(24, '\0');
  for (int y = 0; y < std::abs(Height); ++y) {
    std::string row;
    for (int x = 0; x < Width; ++x) {
      row += {static_cast<char>(B), static_cast<char>(G), static_cast<char>(R)};
      if (Bits == 32) row += '\0';
    }
    row.resize(static_cast<size_t>(rowBytes), '\0');
    bmp += row;
  }
  return bmp;
}

TEST(Bitmap8, BmpFilesAreWrittenAndReadAndDamagedOrUnsupportedOnesRefused) {
  TBitmap8 picture(7, 3);
  picture.SetPixel(0, 0, 9);
  picture.SetPixel(6, 2, 200);
  const std::string saved = picture.SaveToBmp();
  const struct {
    const char* Name;
    std::string Bytes;
    int Width, Height;
    uint8_t Corner;  // the pixel at 0, 0
  } Cases[] = {
      {"8-bit written here", saved, 7, 3, 9},
      {"24-bit red", DirectColorBmp(5, 2, 24, 255, 0, 0), 5, 2, 9},
      {"32-bit top-down white", DirectColorBmp(3, -4, 32, 255, 255, 255), 3, 4, TBitmap8::White},
  };
  for (const auto& Case : Cases) {
    const std::optional<TBitmap8> read = TBitmap8::LoadFromBmp(Case.Bytes);
    ASSERT_TRUE(read) << Case.Name;
    EXPECT_EQ(read->Width(), Case.Width) << Case.Name;
    EXPECT_EQ(read->Height(), Case.Height) << Case.Name;
    EXPECT_EQ(read->Pixel(0, 0), Case.Corner) << Case.Name;
  }
  EXPECT_EQ(TBitmap8::LoadFromBmp(saved)->Pixel(6, 2), 200);
  // Damaged or unsupported files are refused.
  const std::string good = TBitmap8(4, 4).SaveToBmp();
  std::string compressed = good, wide = good, cut = good, bits = good;
  compressed[30] = 1;          // RLE8
  wide[21] = 0x7F;             // width far beyond any icon
  cut.resize(cut.size() - 1);  // the last row short by a byte
  bits[28] = 4;                // 4 bits per pixel
  for (const auto& [name, bytes] : {std::pair<const char*, std::string>{"empty", ""},
                                    {"not BM", "XX" + good.substr(2)},
                                    {"compressed", compressed},
                                    {"wide", wide},
                                    {"cut", cut},
                                    {"4-bit", bits}})
    EXPECT_FALSE(TBitmap8::LoadFromBmp(bytes)) << name;
}

TEST(Bitmap8, TextIsDrawnOneGlyphPerCharacter) {
  EXPECT_EQ(TBitmap8::TextWidth("ab"), 2 * TBitmap8::GlyphWidth);
  // A character outside printable ASCII, however many bytes it takes, is drawn as "?".
  const struct {
    const char *Text, *SameAs;
  } Cases[] = {{"\xC3\xA4.txt", "?.txt"}, {"\xE2\x82\xAC", "?"}, {"a\tb", "a?b"}, {"\x80", "?"}};
  for (const auto& Case : Cases) {
    TBitmap8 drawn(40, 10), expected(40, 10);
    drawn.TextOut(1, 1, Case.Text);
    expected.TextOut(1, 1, Case.SameAs);
    EXPECT_EQ(drawn.SaveToBmp(), expected.SaveToBmp()) << Case.SameAs;
  }
  // "|" is one full column: rows 0 to 6 of its third column.
  TBitmap8 bar(6, 8);
  bar.TextOut(0, 0, "|");
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 6; ++x)
      EXPECT_EQ(bar.Pixel(x, y), x == 2 && y < 7 ? TBitmap8::Black : TBitmap8::White)
          << x << "," << y;
}

}  // namespace
