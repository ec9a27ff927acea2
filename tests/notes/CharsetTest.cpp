#include <string>

#include "NotesCharset.h"
#include "NotesFixture.h"

namespace {

using CharsetTest = NotesFixture;

std::string Repeat(const std::string& Text, size_t Times) {
  std::string result;
  for (size_t i = 0; i < Times; ++i) result += Text;
  return result;
}

// Compares without printing texts of many kilobytes: their sizes and where they part.
void ExpectRoundTrip(const std::string& Native) {
  std::string lmbcs = Native2Lmbcs(Native);
  std::string back = Lmbcs2Native(lmbcs);
  size_t same = 0;
  while (same < back.size() && same < Native.size() && back[same] == Native[same]) ++same;
  EXPECT_TRUE(back == Native) << Native.size() << " bytes through LMBCS of " << lmbcs.size()
                              << " came back as " << back.size() << ", the same up to " << same;
}

TEST_F(CharsetTest, LongTextsAndAsciiRunsComeBackAndMalformedInputDoesNotCrash) {
  std::string latin = Repeat(
      "Gr\xC3\xBC\xC3\x9F"
      "e ",
      20000);  // 120,000 UTF-8 bytes
  ExpectRoundTrip(latin);
  std::string cjk = Repeat("\xE6\x97\xA5\xE6\x9C\xAC", 25000);  // 3-byte LMBCS characters
  ExpectRoundTrip(cjk);
  std::string mixed = Repeat("a\xD0\x9F\xE6\x97\xA5\xC3\xBC", 15000);
  ExpectRoundTrip(mixed);
  // Each character outside the basic plane is a pair of Unicode-group characters in LMBCS,
  // which a piece of the text must not split; "a" puts the pairs on both byte parities.
  ExpectRoundTrip(Repeat("\xF0\x9F\x98\x80", 20000));
  mixed = "a" + Repeat("\xF0\x9F\x98\x80", 20000);
  ExpectRoundTrip(mixed);
  EXPECT_EQ(Lmbcs2Native(Repeat("\x81", 70000)), Repeat("\xC3\xBC", 70000));
  // Long runs of ASCII between other characters are copied rather than translated; the text must
  // come back whole whatever the length of the run, also after characters whose data bytes look
  // like ASCII (the Unicode and double-byte groups).
  const struct {
    const char* Name;
    const char* Other;
  } cases[] = {{"Latin", "\xC3\xBC"},
               {"CJK", "\xE6\xB8\xAC\xE6\x97\xA5"},
               {"Cyrillic", "\xD0\x9F"},
               {"emoji", "\xF0\x9F\x98\x80"}};
  for (const auto& test : cases)
    for (size_t run : {1, 31, 32, 33, 100, 30000}) {
      SCOPED_TRACE(std::string(test.Name) + " between runs of " + std::to_string(run));
      const std::string ascii = Repeat("a\tb\r\n", run).substr(0, run);
      ExpectRoundTrip(Repeat(test.Other + ascii, 5) + test.Other);
    }
  EXPECT_EQ(Lmbcs2Native("\x81" + Repeat("a", 40) + "\x81" + Repeat("b", 3) + "\x81"),
            "\xC3\xBC" + Repeat("a", 40) + "\xC3\xBC" + Repeat("b", 3) + "\xC3\xBC");
  // The result ends at the first NUL; malformed input does not crash.
  EXPECT_EQ(Lmbcs2Native(std::string("one\0two", 7)), "one");
  EXPECT_EQ(Native2Lmbcs(std::string("one\0two", 7)), "one");
  EXPECT_EQ(Lmbcs2NativeRaw(std::string("one\0tw\x81", 7)), std::string("one\0tw\xC3\xBC", 8));
  EXPECT_NO_THROW(Lmbcs2Native("\x14"));
  EXPECT_NO_THROW(Lmbcs2Native("abc\x10\x99"));
  EXPECT_NO_THROW(Native2Lmbcs("\xFF\xFE broken \xC3"));
  EXPECT_EQ(Lmbcs2Native("abc\x14").substr(0, 3), "abc");
}

// Handed over in pieces of one line or as a view, the text is what the whole conversion gives, also
// where a NUL or a cut character ends it; plain text is a view of the input itself.
TEST_F(CharsetTest, PiecesAndViewsGiveTheWholeConversion) {
  const struct {
    const char* Name;
    std::string Lmbcs;
  } cases[] = {
      {"empty", ""},
      {"plain", Repeat("line\r\n", 100)},
      {"other characters around lines", Repeat("\x81" + Repeat("a", 40) + "\r\n\x81", 50)},
      {"every kind of line break", Repeat("a\rb\nc\r\n\r\r\n\n\t\x81\r\x81\n\x81\r\nd", 3)},
      {"longer than one conversion", Repeat("\x81\x14\xD8\x3D\x14\xDE\x00", 20000)},
      {"NUL in plain text", std::string("one\0two", 7)},
      {"NUL after another character", std::string("\x81one\0two", 8)},
      {"NUL first", std::string("\0two", 4)},
      {"cut character at the end", "abc\x14"},
  };
  for (const auto& test : cases) {
    std::string joined;
    bool emptyPiece = false, breakInside = false;
    Lmbcs2NativeLines(test.Lmbcs, [&](std::string_view Piece) {
      emptyPiece = emptyPiece || Piece.empty();
      const size_t lineBreak = std::min(Piece.find_first_of("\r\n"), Piece.size());
      const bool crLf = Piece.substr(lineBreak, 2) == "\r\n";
      breakInside = breakInside || lineBreak + (crLf ? 2 : 1) < Piece.size();
      joined += Piece;
    });
    EXPECT_TRUE(joined == Lmbcs2Native(test.Lmbcs)) << test.Name;
    EXPECT_FALSE(emptyPiece) << test.Name;
    EXPECT_FALSE(breakInside) << test.Name;
    std::string scratch;
    const std::string_view view = Lmbcs2NativeView(test.Lmbcs, scratch);
    EXPECT_TRUE(view == Lmbcs2Native(test.Lmbcs)) << test.Name;
    if (test.Name == std::string("plain")) {
      EXPECT_EQ(view.data(), test.Lmbcs.data());
    }
  }
}

}  // namespace
