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

void ExpectRoundTrip(const std::string& Native) {
  std::string lmbcs = Native2Lmbcs(Native);
  EXPECT_EQ(Lmbcs2Native(lmbcs), Native) << "through LMBCS of " << lmbcs.size() << " bytes";
}

TEST_F(CharsetTest, AsciiIsUnchanged) {
  EXPECT_EQ(Native2Lmbcs("Subject: Hello"), "Subject: Hello");
  EXPECT_EQ(Lmbcs2Native("Subject: Hello"), "Subject: Hello");
  EXPECT_EQ(Lmbcs2Native(""), "");
}

TEST_F(CharsetTest, LatinUsesTheGroupOneCodePage) {
  // Group-one LMBCS keeps Western letters in single bytes of code page 850.
  EXPECT_EQ(Native2Lmbcs("\xC3\xBC"), "\x81");
  EXPECT_EQ(Native2Lmbcs("Gr\xC3\xBC\xC3\x9F"
                         "e"),
            "Gr\x81\xE1"
            "e");
  // Every non-ASCII letter grows in UTF-8; the result must not be cut to the input's size.
  EXPECT_EQ(Lmbcs2Native("Gr\x81\xE1"
                         "e"),
            "Gr\xC3\xBC\xC3\x9F"
            "e");
  EXPECT_EQ(Lmbcs2Native("\xB0\xB0"), "\xE2\x96\x91\xE2\x96\x91");
}

TEST_F(CharsetTest, OtherScriptsRoundTrip) {
  ExpectRoundTrip("\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82");                  // Cyrillic
  ExpectRoundTrip("\xCE\x9A\xCE\xB1\xCE\xBB\xCE\xB7\xCE\xBC\xCE\xAD\xCF\x81\xCE\xB1");  // Greek
  ExpectRoundTrip("\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E \xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4");
  ExpectRoundTrip("\xF0\x9F\x98\x80 outside the basic plane");
  EXPECT_NE(Native2Lmbcs("\xD0\x9F"), "\xD0\x9F");
}

TEST_F(CharsetTest, TextsOverSixtyFourKilobytesAreNotCut) {
  std::string latin = Repeat(
      "Gr\xC3\xBC\xC3\x9F"
      "e ",
      20000);  // 120,000 UTF-8 bytes
  ExpectRoundTrip(latin);
  std::string cjk = Repeat("\xE6\x97\xA5\xE6\x9C\xAC", 25000);  // 3-byte LMBCS characters
  ExpectRoundTrip(cjk);
  std::string mixed = Repeat("a\xD0\x9F\xE6\x97\xA5\xC3\xBC", 15000);
  ExpectRoundTrip(mixed);
  EXPECT_EQ(Lmbcs2Native(Repeat("\x81", 70000)), Repeat("\xC3\xBC", 70000));
}

TEST_F(CharsetTest, ResultEndsAtTheFirstNul) {
  EXPECT_EQ(Lmbcs2Native(std::string("one\0two", 7)), "one");
  EXPECT_EQ(Native2Lmbcs(std::string("one\0two", 7)), "one");
  EXPECT_EQ(Lmbcs2NativeRaw(std::string("one\0tw\x81", 7)), std::string("one\0tw\xC3\xBC", 8));
}

TEST_F(CharsetTest, MalformedInputDoesNotCrash) {
  EXPECT_NO_THROW(Lmbcs2Native("\x14"));
  EXPECT_NO_THROW(Lmbcs2Native("abc\x10\x99"));
  EXPECT_NO_THROW(Native2Lmbcs("\xFF\xFE broken \xC3"));
  EXPECT_EQ(Lmbcs2Native("abc\x14").substr(0, 3), "abc");
}

}  // namespace
