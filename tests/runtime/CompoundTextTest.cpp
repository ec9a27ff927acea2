// Compound text: plain text composed into a rich-text field, read back through the walk.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "StorageFixture.h"
#include "notesapi/easycd.h"
#include "notesapi/editods.h"
#include "notesapi/miscerr.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsferr.h"
#include "notesapi/oserr.h"
#include "notesapi/osmem.h"

namespace {

// A record of a composite value: its signature and what follows its header.
struct CdRecord {
  WORD Signature;
  std::string Data;
};

// The records of a composite value (without its type word), BYTE and WORD headers; a record
// that does not fit fails the test.
std::vector<CdRecord> CdRecords(std::string_view Value) {
  std::vector<CdRecord> records;
  size_t offset = 0;
  while (offset + 2 <= Value.size()) {
    WORD signature = 0, length = 0;
    std::memcpy(&signature, Value.data() + offset, 2);
    const size_t header = signature >> 8 == 0xFF ? 4 : 2;
    if (header == 4 && offset + 4 <= Value.size())
      std::memcpy(&length, Value.data() + offset + 2, 2);
    if (header == 2) length = signature >> 8;
    if (length < header || offset + length > Value.size()) {
      ADD_FAILURE() << "record at " << offset << " does not fit";
      return records;
    }
    records.push_back({signature, std::string(Value.substr(offset + header, length - header))});
    offset += length;
    if (offset < Value.size()) offset += length % 2;  // the last record needs no pad
  }
  EXPECT_EQ(offset, Value.size());
  return records;
}

class CompoundText : public runtimetest::NewNoteTest {
 protected:
  STATUS Compose(const std::string& Text, DWORD Flags, const char* Delimiter = "\r\n",
                 DWORD Style = STYLE_ID_SAMEASPREV) {
    DHANDLE context = NULLHANDLE;
    EXPECT_EQ(CompoundTextCreate(Note(), "Body", &context), NOERROR);
    STATUS status =
        CompoundTextAddTextExt(context, Style, DEFAULT_FONT_ID, Text.data(),
                               static_cast<DWORD>(Text.size()), Delimiter, Flags, nullptr);
    if (status == NOERROR) status = CompoundTextClose(context, nullptr, nullptr, nullptr, 0);
    if (status != NOERROR) CompoundTextDiscard(context);
    return status;
  }

  // The values of every "Body" item, without their type words. WalkStatuses gets what
  // EnumCompositeBuffer says of each item on its own.
  std::vector<std::string> Items(std::vector<STATUS>* WalkStatuses = nullptr) {
    std::vector<std::string> items;
    for (const runtimetest::ItemValue& item : runtimetest::ItemValues(Note(), "Body")) {
      items.push_back(item.Value);
      if (WalkStatuses) {
        WalkStatuses->push_back(EnumCompositeBuffer(
            item.Block, item.Length, [](char*, WORD, DWORD, void*) -> STATUS { return NOERROR; },
            nullptr));
      }
    }
    return items;
  }

  // Records of the whole field.
  std::vector<CdRecord> Records() {
    std::string field;
    for (const std::string& item : Items()) field += item;
    return CdRecords(field);
  }

  // The field's text: lines ended by "|", paragraphs counted.
  std::string Lines(size_t* Paragraphs = nullptr) {
    std::string lines;
    size_t paragraphs = 0;
    bool started = false;
    for (const CdRecord& record : Records()) {
      if (record.Signature == 0x0281) {
        if (started) lines += '|';
        started = true;
        ++paragraphs;
      } else if (record.Signature == 0xFF85) {
        for (char c : record.Data.substr(4)) lines += c == '\0' ? '|' : c;
        started = true;
      }
    }
    if (Paragraphs) *Paragraphs = paragraphs;
    return started ? lines + "|" : lines;
  }

  void Clear() { NSFItemDelete(Note(), "Body", 4); }
};

TEST_F(CompoundText, FlagsAndDelimitersMakeParagraphsAndLineBreaks) {
  const std::string blockOf6000(6000, 'x');
  const struct {
    const char* Case;
    std::string Text;
    const char* Delimiter;
    DWORD Flags;
    std::string Lines;
    size_t Paragraphs;
  } cases[] = {
      {"a paragraph per line", "a\r\nb", "\r\n", COMP_PARA_LINE, "a|b|", 2},
      {"every line end", "a\nb\rc\n\rd", "\r\n", COMP_PARA_LINE, "a|b|c|d|", 4},
      {"a delimiter at the end", "a\r\n", "\r\n", COMP_PARA_LINE, "a|", 1},
      {"an empty last line", "a\r\n\r\n", "\r\n", COMP_PARA_LINE, "a||", 2},
      {"no text", "", "\r\n", COMP_PARA_LINE, "", 0},
      {"line breaks in one paragraph", "a\r\nb", "\r\n", COMP_PRESERVE_LINES, "a|b|", 1},
      {"a paragraph per line wins", "a\r\nb", "\r\n", COMP_PARA_LINE | COMP_PRESERVE_LINES, "a|b|",
       2},
      {"a paragraph after each blank line", "a\r\n\r\nb\r\nc", "\r\n", COMP_PARA_BLANK_LINE,
       "a||b|c|", 2},
      {"a delimiter of the caller's", "a;b;", ";", COMP_PARA_LINE, "a|b|", 2},
      {"no delimiter", "a\r\nb", "", COMP_PARA_LINE, "a\r\nb|", 1},
      {"about 10 KB per paragraph without flags",
       blockOf6000 + "\r\n" + blockOf6000 + "\r\n" + blockOf6000, "\r\n", 0,
       blockOf6000 + "|" + blockOf6000 + "|" + blockOf6000 + "|", 2},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(Compose(c.Text, c.Flags, c.Delimiter), NOERROR) << c.Case;
    size_t paragraphs = 0;
    EXPECT_EQ(Lines(&paragraphs), c.Lines) << c.Case;
    EXPECT_EQ(paragraphs, c.Paragraphs) << c.Case;
    Clear();
  }
}

TEST_F(CompoundText, WritesTheDefaultStyleThenParagraphsInTheGivenFont) {
  ASSERT_EQ(Compose("a\r\nbc", COMP_PARA_LINE, "\r\n", 0x0FFFFFFF), NOERROR);
  std::string style(70, '\0');
  std::memcpy(style.data(), "\x82\xFF\x46\x00\x01\x00", 6);
  style[14] = style[18] = '\xA0';  // left and first-line margins: one inch
  style[15] = style[19] = '\x05';
  const std::string paragraph("\x81\x02\x83\x04\x01\x00", 6);
  const std::string expected =
      style + paragraph + runtimetest::TextRun("a") + paragraph + runtimetest::TextRun("bc");
  EXPECT_EQ(Items(), std::vector<std::string>{expected});
}

TEST_F(CompoundText, LongLinesBecomeRunsCutBetweenCharacters) {
  // A three-byte LMBCS character crosses the 16 KB mark.
  const std::string line = std::string(16383, 'x') + "\x10\x82\xA0" + std::string(23614, 'y');
  ASSERT_EQ(Compose(line, COMP_PARA_LINE), NOERROR);
  std::vector<size_t> runs;
  std::string text;
  for (const CdRecord& record : Records())
    if (record.Signature == 0xFF85) {
      runs.push_back(record.Data.size() - 4);
      text += record.Data.substr(4);
    }
  EXPECT_EQ(runs, (std::vector<size_t>{16383, 16384, 7233}));
  EXPECT_EQ(text, line);
}

TEST_F(CompoundText, ALongFieldIsCutIntoItemsBetweenRecords) {
  std::string text, expected;
  for (int line = 0; line < 3000; ++line) {
    const std::string content = std::to_string(line) + std::string(100, '.');
    text += content + "\r\n";
    expected += content + "|";
  }
  ASSERT_EQ(Compose(text, COMP_PARA_LINE), NOERROR);
  std::vector<STATUS> walks;
  const std::vector<std::string> items = Items(&walks);
  ASSERT_GE(items.size(), 5u);
  for (size_t index = 0; index < items.size(); ++index) {
    EXPECT_LE(items[index].size(), 64000u) << index;
    if (index + 1 < items.size()) {
      EXPECT_GT(items[index].size(), 63800u) << index;  // filled up
    }
    EXPECT_EQ(walks[index], NOERROR) << "item " << index << " holds whole records";
  }
  EXPECT_EQ(Lines(), expected);

  // Saved and read again from the file, the items are the same.
  Reopen();
  EXPECT_EQ(Items(), items);
}

TEST_F(CompoundText, BadArgumentsAreRefusedAndLeaveNoContext) {
  DHANDLE context = 1;
  EXPECT_EQ(CompoundTextCreate(NULLHANDLE, "Body", &context), ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(context, NULLHANDLE);
  EXPECT_EQ(CompoundTextCreate(Note(), nullptr, &context), ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(CompoundTextCreate(Note(), "", &context), ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(CompoundTextCreate(Note(), "Body", nullptr), ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(NotesRTOpenHandleCount(NOTESRT_HANDLE_COMPOUNDTEXT), 0u);

  const struct {
    const char* Case;
    DWORD Flags;
    NLS_PINFO Info;
  } refused[] = {{"text from a file", COMP_FROM_FILE, nullptr},
                 {"an unknown flag", COMP_PARA_LINE | 0x100, nullptr},
                 {"a character set", COMP_PARA_LINE, reinterpret_cast<NLS_PINFO>(&context)}};
  for (const auto& c : refused) {
    ASSERT_EQ(CompoundTextCreate(Note(), "Body", &context), NOERROR);
    EXPECT_EQ(CompoundTextAddTextExt(context, 0, 0, "x", 1, "\r\n", c.Flags, c.Info),
              ERR_MISC_INVALID_ARGS)
        << c.Case;
    CompoundTextDiscard(context);
  }
  EXPECT_EQ(CompoundTextAddTextExt(context, 0, 0, "x", 1, "\r\n", 0, nullptr),
            ERR_NOTESRT_INVALID_HANDLE);
  EXPECT_EQ(CompoundTextClose(context, nullptr, nullptr, nullptr, 0), ERR_NOTESRT_INVALID_HANDLE);
  EXPECT_EQ(NotesRTOpenHandleCount(NOTESRT_HANDLE_COMPOUNDTEXT), 0u);
}

// Nothing reaches the note before close; a failed close appends nothing and keeps the context
// for CompoundTextDiscard (or another try).
TEST_F(CompoundText, AFailedCloseLeavesTheNoteAsItWas) {
  std::string text;
  for (int line = 0; line < 2000; ++line) text += std::string(100, 'z') + "\r\n";
  DHANDLE context = NULLHANDLE;
  ASSERT_EQ(CompoundTextCreate(Note(), "Body", &context), NOERROR);
  ASSERT_EQ(CompoundTextAddText(context, 0, 0, text.data(), static_cast<DWORD>(text.size()), "\r\n",
                                COMP_PARA_LINE, nullptr),
            NOERROR);
  EXPECT_EQ(NotesRTOpenHandleCount(NOTESRT_HANDLE_COMPOUNDTEXT), 1u);
  EXPECT_TRUE(Items().empty());
  DHANDLE discarded = NULLHANDLE;  // a discarded context adds nothing
  ASSERT_EQ(CompoundTextCreate(Note(), "Body", &discarded), NOERROR);
  ASSERT_EQ(CompoundTextAddText(discarded, 0, 0, "x", 1, "\r\n", COMP_PARA_LINE, nullptr), NOERROR);
  CompoundTextDiscard(discarded);
  EXPECT_TRUE(Items().empty());
  NotesRTFailItemAppend(2, ERR_MEMORY);
  EXPECT_EQ(CompoundTextClose(context, nullptr, nullptr, nullptr, 0), ERR_MEMORY);
  EXPECT_TRUE(Items().empty());
  EXPECT_EQ(NotesRTOpenHandleCount(NOTESRT_HANDLE_COMPOUNDTEXT), 1u);
  EXPECT_EQ(CompoundTextClose(context, nullptr, nullptr, nullptr, 0), NOERROR);
  EXPECT_EQ(Items().size(), 4u);
  EXPECT_EQ(NotesRTOpenHandleCount(NOTESRT_HANDLE_COMPOUNDTEXT), 0u);

  ASSERT_EQ(CompoundTextCreate(Note(), "Other", &context), NOERROR);
  NSFNoteClose(*FNote->Out());
  *FNote->Out() = NULLHANDLE;
  EXPECT_EQ(CompoundTextClose(context, nullptr, nullptr, nullptr, 0), ERR_NOTESRT_INVALID_HANDLE);
  EXPECT_EQ(NotesRTOpenHandleCount(NOTESRT_HANDLE_COMPOUNDTEXT), 1u);
  CompoundTextDiscard(context);
  EXPECT_EQ(NotesRTOpenHandleCount(NOTESRT_HANDLE_COMPOUNDTEXT), 0u);
}

}  // namespace
