#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "NotesText.h"

namespace {

std::string Bytes(const std::vector<char>& Buffer) {
  return std::string(Buffer.begin(), Buffer.end());
}

TEST(NotesTextTest, LinesJoinWithCrLfAndSplitAtEveryLineBreak) {
  const std::pair<std::string, std::string> cases[] = {
      {std::string("a\0b\0", 4), "a\r\nb"},
      {"", ""},
      {std::string("one\0two\0six\0", 12), "one\r\ntwo\r\nsix"},
      {std::string("a\0\0b\0", 5), "a"},     // an empty line ends the text
      {std::string("a\0bc", 4), "a\r\nbc"},  // no terminator: only the given bytes count
      {"xy", "xy"},
  };
  for (const auto& [notes, text] : cases)
    EXPECT_EQ(NotesToString(notes.data(), notes.size()), text) << text;
  // Every line break becomes a NUL; several lines end in two NULs.
  const struct {
    std::string Text, Notes;
    bool SeveralLines;
  } splits[] = {
      {"a\r\nb", std::string("a\0b\0\0", 5), true},
      {"ab", std::string("ab\0", 3), false},
      {"a\nb\rc\r\nd", std::string("a\0b\0c\0d\0\0", 9), true},
  };
  for (const auto& c : splits) {
    std::vector<char> buffer;
    uint32_t length = 0;
    EXPECT_EQ(StringToNotes(c.Text, buffer, length), c.SeveralLines) << c.Text;
    EXPECT_EQ(Bytes(buffer), c.Notes) << c.Text;
    EXPECT_EQ(length, c.Notes.size()) << c.Text;
  }
  // What Notes stores reads back with the host's line breaks.
  std::vector<char> buffer;
  uint32_t length = 0;
  StringToNotes("a\nb\rc\r\nd", buffer, length);
  EXPECT_EQ(NotesToString(buffer.data(), length - 1), "a\r\nb\r\nc\r\nd");
}

TEST(TextTest, UnidWordsInNotesOrderAndColoursBothWays) {
  UNIVERSALNOTEID unid{};
  unid.File[0] = 0x11111111;
  unid.File[1] = 0x2222ABCD;
  unid.Note.Innards[0] = 0x3;
  unid.Note.Innards[1] = 0xFFFFFFFF;
  EXPECT_EQ(UNIDtoStr(unid, false), "2222ABCD11111111FFFFFFFF00000003");
  EXPECT_EQ(UNIDtoStr(unid, true), "2222ABCD:11111111-FFFFFFFF:00000003");
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
