#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "NotesText.h"

namespace {

std::string Bytes(const std::vector<char>& Buffer) {
  return std::string(Buffer.begin(), Buffer.end());
}

TEST(NotesToStringTest, JoinsNulSeparatedLinesWithCrLf) {
  const char text[] = {'a', 0, 'b', 0, 0};
  EXPECT_EQ(NotesToString(text, 4), "a\r\nb");
  EXPECT_EQ(NotesToString(text, 0), "");
  const char three[] = {'o', 'n', 'e', 0, 't', 'w', 'o', 0, 's', 'i', 'x', 0};
  EXPECT_EQ(NotesToString(three, sizeof(three)), "one\r\ntwo\r\nsix");
}

TEST(NotesToStringTest, EmptyLineEndsTheText) {
  const char text[] = {'a', 0, 0, 'b', 0};
  EXPECT_EQ(NotesToString(text, sizeof(text)), "a");
}

TEST(NotesToStringTest, NeverReadsPastTheLength) {
  // No terminator inside the length: only the given bytes count.
  std::vector<char> exact = {'a', 0, 'b', 'c'};
  EXPECT_EQ(NotesToString(exact.data(), exact.size()), "a\r\nbc");
  std::vector<char> unterminated = {'x', 'y'};
  EXPECT_EQ(NotesToString(unterminated.data(), unterminated.size()), "xy");
}

TEST(StringToNotesTest, CrLfBecomesNulAndTheBufferEndsInTwoNuls) {
  std::vector<char> buffer;
  uint32_t length = 0;
  EXPECT_TRUE(StringToNotes("a\r\nb", buffer, length));
  EXPECT_EQ(length, 5u);
  EXPECT_EQ(Bytes(buffer), std::string("a\0b\0\0", 5));
}

TEST(StringToNotesTest, SingleLineGetsOneTerminator) {
  std::vector<char> buffer;
  uint32_t length = 0;
  EXPECT_FALSE(StringToNotes("ab", buffer, length));
  EXPECT_EQ(length, 3u);
  EXPECT_EQ(Bytes(buffer), std::string("ab\0", 3));
}

TEST(StringToNotesTest, LoneLfAndLoneCrAreLineBreaksToo) {
  std::vector<char> buffer;
  uint32_t length = 0;
  EXPECT_TRUE(StringToNotes("a\nb\rc\r\nd", buffer, length));
  EXPECT_EQ(Bytes(buffer), std::string("a\0b\0c\0d\0\0", 9));
  EXPECT_EQ(length, 9u);
  // What Notes stores reads back with the host's line breaks.
  EXPECT_EQ(NotesToString(buffer.data(), length - 1), "a\r\nb\r\nc\r\nd");
}

TEST(UNIDtoStrTest, WordsInNotesOrder) {
  UNIVERSALNOTEID unid{};
  unid.File[0] = 0x11111111;
  unid.File[1] = 0x2222ABCD;
  unid.Note.Innards[0] = 0x3;
  unid.Note.Innards[1] = 0xFFFFFFFF;
  EXPECT_EQ(UNIDtoStr(unid, false), "2222ABCD11111111FFFFFFFF00000003");
  EXPECT_EQ(UNIDtoStr(unid, true), "2222ABCD:11111111-FFFFFFFF:00000003");
  EXPECT_EQ(UNIDtoStr(unid, true).size(), 35u);
  EXPECT_EQ(UNIDtoStr(unid, false).size(), 32u);
}

TEST(ColorTest, TableBothWays) {
  EXPECT_EQ(NotesToColor(0), 0x000000);
  EXPECT_EQ(NotesToColor(2), 0x0000FF);
  EXPECT_EQ(NotesToColor(15), 0xC0C0C0);
  EXPECT_EQ(NotesToColor(16), NoNotesColor);
  EXPECT_EQ(NotesToColor(-1), NoNotesColor);
  EXPECT_EQ(ColorToNotes(0x0000FF), 2);
  EXPECT_EQ(ColorToNotes(0x808080), 14);
  EXPECT_EQ(ColorToNotes(0x123456), NoNotesColor);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(ColorToNotes(NotesToColor(i)), i);
}

}  // namespace
