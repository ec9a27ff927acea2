// Values converted to text.
#include <gtest/gtest.h>

#include <cstring>

#include "RichTextRecords.h"
#include "ScopedEnv.h"
#include "StorageFixture.h"
#include "notesapi/misc.h"
#include "notesapi/ods.h"
#include "notesapi/odserr.h"
#include "notesapi/osmem.h"
#include "notesapi/ostime.h"

namespace {

class ItemText : public runtimetest::NewNoteTest {
 protected:
  std::string Convert(const char* Name, char Separator = ';', WORD Size = 256) {
    char text[256];
    WORD length = NSFItemConvertToText(Note(), Name, text, Size, Separator);
    return std::string(text, length);
  }

  // ConvertItemToText of the first item of Name; the status when it fails.
  std::string Lines(const char* Name, const char* Delimiter, WORD CharsPerLine = 0,
                    BOOL StripTabs = FALSE, STATUS* Status = nullptr) {
    BLOCKID value{};
    DWORD length = 0;
    EXPECT_EQ(NSFItemInfo(Note(), Name, static_cast<WORD>(std::strlen(Name)), nullptr, nullptr,
                          &value, &length),
              NOERROR);
    DHANDLE buffer = NULLHANDLE;
    DWORD textLength = 0;
    STATUS status =
        ConvertItemToText(value, length, Delimiter, CharsPerLine, &buffer, &textLength, StripTabs);
    if (Status) *Status = status;
    if (status != NOERROR) {
      EXPECT_EQ(buffer, NULLHANDLE);
      return "";
    }
    const char* text = OSLock(char, buffer);
    std::string result(text, textLength);
    EXPECT_EQ(text[textLength], '\0');
    OSUnlock(buffer);
    OSMemFree(buffer);
    return result;
  }

  // A paragraph with one text run (a NUL inside a run is a line break of its own).
  static std::string Paragraph(const std::string& Text) {
    return runtimetest::ParagraphRecord() + runtimetest::TextRun(Text);
  }

  void Append(const char* Name, WORD Type, const std::string& Value) {
    ASSERT_EQ(NSFItemAppend(Note(), 0, Name, static_cast<WORD>(std::strlen(Name)), Type,
                            Value.data(), Value.size()),
              NOERROR);
  }
};

TEST_F(ItemText, EachTypeHasItsTextForm) {
  NUMBER number = 0.1;
  Append("N", TYPE_NUMBER, std::string(reinterpret_cast<char*>(&number), sizeof number));
  EXPECT_EQ(Convert("N"), "0.1");
  Append("L", TYPE_TEXT_LIST,
         std::string("\x02\x00\x01\x00\x02\x00"
                     "abc",
                     9));
  EXPECT_EQ(Convert("L", ','), "a,bc");
  std::string range("\x02\x00\x00\x00", 4);
  for (NUMBER value : {1.5, -2.0}) range.append(reinterpret_cast<char*>(&value), sizeof value);
  Append("R", TYPE_NUMBER_RANGE, range);
  EXPECT_EQ(Convert("R"), "1.5;-2");
  TIME local{2024, 3, 9, 0, 14, 5, 6, 0, 0, 0, {}};
  OSCurrentTimeZone(&local.zone, &local.dst);
  ASSERT_FALSE(TimeLocalToGM(&local));
  ASSERT_EQ(NSFItemSetTime(Note(), "T", &local.GM), NOERROR);
  {
    vesktest::ScopedLocale locale("C");  // its documented date and time formats
    EXPECT_EQ(Convert("T"), "03/09/2024 14:05:06");
  }
  EXPECT_EQ(Convert("Missing"), "");
  EXPECT_EQ(Convert("L", ',', 3), "a,");
}

TEST_F(ItemText, RichTextGivesItsTextRuns) {
  // "Hi" and "there" have odd lengths: their runs are padded.
  const std::string body = Paragraph("Hi") + Paragraph("there");
  Append("Body", TYPE_COMPOSITE, body);
  EXPECT_EQ(Convert("Body"), std::string("Hi\0there", 8));
  // A record claiming more than the value holds ends the walk.
  Append("Bad", TYPE_COMPOSITE,
         std::string("\x85\xFF\xF0\x00\x00\x00\x00\x00"
                     "x",
                     9));
  EXPECT_EQ(Convert("Bad"), "");
}

TEST_F(ItemText, ValueBlockIdsConvertWithinTheirLength) {
  Append("L", TYPE_TEXT_LIST,
         std::string("\x02\x00\x01\x00\x01\x00"
                     "ab",
                     8));
  BLOCKID value{};
  DWORD length = 0;
  WORD type = 0;
  ASSERT_EQ(NSFItemInfo(Note(), "L", 1, nullptr, &type, &value, &length), NOERROR);
  char text[16];
  EXPECT_EQ(NSFItemConvertValueToText(type, value, length, text, sizeof text, '|'), 3);
  EXPECT_STREQ(text, "a|b");
  EXPECT_EQ(NSFItemConvertValueToText(type, value, 1000, text, sizeof text, '|'), 3);
  EXPECT_EQ(NSFItemConvertValueToText(type, BLOCKID{}, length, text, sizeof text, '|'), 0);
}

// Only text and rich text convert to lines.
TEST_F(ItemText, RichTextBecomesDelimitedLines) {
  std::string graphic("\x99\x00\x0C\x00\x00\x00\x01\x02\x03\x04\x05\x06", 12);
  Append("Body", TYPE_COMPOSITE,
         Paragraph("first") + graphic + Paragraph("") + Paragraph(std::string("a\0b", 3)));
  EXPECT_EQ(Lines("Body", "\r\n"), "first\r\n\r\na\r\nb\r\n");
  EXPECT_EQ(Lines("Body", ""), std::string("first\0\0a\0b\0", 11));
  Append("Text", TYPE_TEXT, std::string("x\0y", 3));
  EXPECT_EQ(Lines("Text", "|"), "x|y|");
  NUMBER number = 1;
  Append("N", TYPE_NUMBER, std::string(reinterpret_cast<char*>(&number), sizeof number));
  STATUS status = NOERROR;
  EXPECT_EQ(Lines("N", "\r\n", 0, FALSE, &status), "");
  EXPECT_EQ(status, ERR_DATATYPE);
  DHANDLE buffer = NULLHANDLE;
  EXPECT_NE(ConvertItemToText(BLOCKID{}, 10, "\r\n", 0, &buffer, nullptr, FALSE), NOERROR);
  EXPECT_EQ(buffer, NULLHANDLE);
}

// Tabs count eight; characters of several bytes are never cut, and count as one each.
TEST_F(ItemText, LongLinesBreakAfterTheirLastBlankBetweenWholeCharacters) {
  Append("Body", TYPE_COMPOSITE, Paragraph("one two three") + Paragraph("abcdefghij"));
  EXPECT_EQ(Lines("Body", "\n", 9), "one two \nthree\nabcdefghi\nj\n");
  EXPECT_EQ(Lines("Body", "\n"), "one two three\nabcdefghij\n");
  Append("Tabbed", TYPE_COMPOSITE, Paragraph("a\tb c"));
  EXPECT_EQ(Lines("Tabbed", "\n", 9), "a\t\nb c\n");
  EXPECT_EQ(Lines("Tabbed", "\n", 9, TRUE), "ab c\n");
  Append("Wide", TYPE_COMPOSITE, Paragraph("\x10\x82\xA0\x10\x82\xA1xyz"));
  EXPECT_EQ(Lines("Wide", "|", 2), "\x10\x82\xA0\x10\x82\xA1|xy|z|");
}

}  // namespace
