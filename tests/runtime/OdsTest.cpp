// Canonical structures and the CD record walk: ODSLength and ODSWriteMemory, EnumCompositeBuffer
// and ConvertItemToText on well-formed and damaged rich text.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "FileText.h"
#include "StorageFixture.h"
#include "notesapi/editods.h"
#include "notesapi/miscerr.h"
#include "notesapi/notesrt.h"
#include "notesapi/odserr.h"
#include "notesapi/oserr.h"
#include "notesapi/osmem.h"

namespace {

// The offsets readers rely on, as published (the runtime asserts the sizes).
static_assert(offsetof(CDTEXT, FontID) == 4 && offsetof(CDPABREFERENCE, PABID) == 2);
static_assert(offsetof(CDPABDEFINITION, LeftMargin) == 14 && offsetof(CDPABDEFINITION, Tab) == 22 &&
              offsetof(CDPABDEFINITION, Flags) == 62 && offsetof(CDPABDEFINITION, Flags2) == 68);
static_assert(offsetof(CDHOTSPOTBEGIN, Flags) == 6 && offsetof(CDHOTSPOTBEGIN, DataLength) == 10);
static_assert(offsetof(CDBAR, FontID) == 8 && offsetof(CDTABLEBEGIN, Flags) == 12);
static_assert(offsetof(CDTABLECELL, Border) == 10 && offsetof(CDTABLECELL, v42Border) == 12 &&
              offsetof(CDTABLECELL, RowSpan) == 14 && offsetof(CDTABLECELL, BackgroundColor) == 16);
static_assert(offsetof(NOTELINK, View) == 8 && offsetof(NOTELINK, Note) == 24 &&
              offsetof(CDLINKEXPORT2, NoteLink) == 4 && offsetof(CDFACE, Name) == 2);

using runtimetest::Bytes;

TEST(Ods, WritesCanonicalBytesAndAdvancesTheDestination) {
  char buffer[64];
  std::memset(buffer, 0x55, sizeof buffer);
  char* at = buffer;
  CDPARAGRAPH paragraph{{SIG_CD_PARAGRAPH, 2}};
  ODSWriteMemory(&at, _CDPARAGRAPH, &paragraph, 1);
  CDPABREFERENCE references[2] = {{{SIG_CD_PABREFERENCE, 4}, 0x0102},
                                  {{SIG_CD_PABREFERENCE, 4}, 3}};
  ODSWriteMemory(&at, _CDPABREFERENCE, references, 2);
  CDTEXT text{{SIG_CD_TEXT, 9}, DEFAULT_FONT_ID};
  ODSWriteMemory(&at, _CDTEXT, &text, 1);
  ODSWriteMemory(&at, 999, &text, 1);  // unknown: nothing written, nothing advanced
  ASSERT_EQ(at - buffer, 2 + 8 + 8);
  EXPECT_EQ(std::string(buffer, at - buffer),
            Bytes({0x81, 0x02, 0x83, 0x04, 0x02, 0x01, 0x83, 0x04, 0x03, 0x00,  //
                   0x85, 0xFF, 0x09, 0x00, 0x01, 0x00, 0x00, 0x0A}));
  EXPECT_EQ(buffer[18], 0x55);
  const char* from = buffer + 2;
  CDPABREFERENCE read[2]{};
  ODSReadMemory(&from, _CDPABREFERENCE, read, 2);
  EXPECT_EQ(from, buffer + 10);
  EXPECT_EQ(read[0].PABID, 0x0102);
  EXPECT_EQ(read[1].Header.Length, 4);
}

// A value (type word first) in a memory block of exactly its size.
class CdWalk : public runtimetest::NewNoteTest {
 protected:
  struct Seen {
    WORD Signature;
    DWORD Length;
    bool operator==(const Seen&) const = default;
  };
  struct Walk {
    const char* Value = nullptr;
    size_t Size = 0;
    std::vector<Seen> Records;
    unsigned Checksum = 0;
    size_t StopAt = SIZE_MAX;  // the routine returns ERR_CANCEL for this record
    DHANDLE FreeDuring = NULLHANDLE;
    STATUS FreeStatus = NOERROR;
    NOTEHANDLE CloseDuring = NULLHANDLE;
  };

  // Checks that the record lies inside the value and reads all of it.
  static STATUS Collect(char* Record, WORD Signature, DWORD Length, void* Context) {
    auto& walk = *static_cast<Walk*>(Context);
    EXPECT_GE(Record, walk.Value + sizeof(WORD));
    EXPECT_LE(Record + Length, walk.Value + walk.Size);
    for (DWORD at = 0; at < Length; ++at) walk.Checksum += static_cast<unsigned char>(Record[at]);
    walk.Records.push_back({Signature, Length});
    if (walk.FreeDuring) walk.FreeStatus = OSMemFree(walk.FreeDuring);
    if (walk.CloseDuring) {
      EXPECT_EQ(NSFNoteClose(std::exchange(walk.CloseDuring, 0)), NOERROR);
    }
    return walk.Records.size() == walk.StopAt ? ERR_CANCEL : NOERROR;
  }

  // Each record seen as "<signature in hex>:<length>".
  static std::string Shown(const std::vector<Seen>& Records) {
    std::string shown;
    for (const auto& [signature, length] : Records) {
      char text[24];
      std::snprintf(text, sizeof text, "%s%X:%u", shown.empty() ? "" : " ", signature, length);
      shown += text;
    }
    return shown;
  }

  static DHANDLE Block(const std::string& Value) {
    DHANDLE handle = NULLHANDLE;
    EXPECT_EQ(OSMemAlloc(0, static_cast<DWORD>(Value.size()), &handle), NOERROR);
    std::memcpy(OSLockObject(handle), Value.data(), Value.size());
    OSUnlockObject(handle);
    return handle;
  }

  // Walks a value in place (a note's item, say), checking every record against it.
  static STATUS EnumerateInPlace(BLOCKID Value, DWORD Length, Walk& Result) {
    Result.Value = OSLockBlock(char, Value);
    Result.Size = Length;
    OSUnlockBlock(Value);
    return EnumCompositeBuffer(Value, Length, Collect, &Result);
  }

  static STATUS Enumerate(const std::string& Value, Walk& Result) {
    DHANDLE handle = Block(Value);
    STATUS status = EnumerateInPlace(BLOCKID{handle, 0}, static_cast<DWORD>(Value.size()), Result);
    EXPECT_EQ(OSMemFree(handle), NOERROR);
    return status;
  }
};

const std::string Composite = Bytes({0x01, 0x00});

TEST_F(CdWalk, EveryRecordOnceWithItsPublishedSignatureAndNoReadPastTheValue) {
  const STATUS damaged = ERR_NOTESRT_RICH_TEXT_DAMAGED;
  const struct {
    const char* Case;
    std::string Records;
    const char* Seen;
    STATUS Status;
  } cases[] = {
      {"each header form", Bytes({0x81, 0x02, 0x85, 0xFF, 0x09, 0x00, 1, 0, 0, 10, 'a', 0,  //
                                  0x99, 0x00, 0x08, 0x00, 0x00, 0x00, 1, 2}),
       "81:2 FF85:9 99:8", NOERROR},
      {"no pad after an odd last record", Bytes({0x85, 0xFF, 0x09, 0, 0, 0, 0, 0, 'a'}), "FF85:9",
       NOERROR},
      {"no pad between two records", Bytes({0x85, 0xFF, 0x09, 0, 0, 0, 0, 0, 'a', 0x81, 0x02}),
       "FF85:9", damaged},
      {"WORD length below the header", Bytes({0x85, 0xFF, 0x03, 0x00}), "", damaged},
      {"BYTE length below the header", Bytes({0x81, 0x01}), "", damaged},
      {"DWORD length below the header", Bytes({0x99, 0, 5, 0, 0, 0}), "", damaged},
      {"zero length", Bytes({0x81, 0x02, 0x85, 0xFF, 0x00, 0x00}), "81:2", damaged},
      {"record past the value", Bytes({0x81, 0x02, 0x85, 0xFF, 0x20, 0, 0, 0, 0, 0}), "81:2",
       damaged},
      {"header cut off", Bytes({0x81, 0x02, 0x85, 0xFF, 0x04}), "81:2", damaged},
      {"DWORD length near 4 GiB", Bytes({0x81, 0x02, 0x99, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0}),
       "81:2", damaged},
      {"a stray last byte", Bytes({0x81, 0x02, 0x00}), "81:2", damaged},
  };
  for (const auto& c : cases) {
    Walk walk;
    EXPECT_EQ(Enumerate(Composite + c.Records, walk), c.Status) << c.Case;
    EXPECT_EQ(Shown(walk.Records), c.Seen) << c.Case;
  }
}

TEST_F(CdWalk, NothingToWalkSucceedsWithoutCallingAndOtherTypesAreRefused) {
  Walk walk;
  EXPECT_EQ(EnumCompositeBuffer(BLOCKID{}, 100, Collect, &walk), NOERROR);
  EXPECT_EQ(Enumerate(Composite, walk), NOERROR);
  EXPECT_EQ(Enumerate(Bytes({0x01}), walk), NOERROR);
  EXPECT_TRUE(walk.Records.empty());
  EXPECT_EQ(Enumerate(Bytes({0x00, 0x05, 'a', 'b'}), walk), ERR_DATATYPE);
  EXPECT_TRUE(walk.Records.empty());
}

TEST_F(CdWalk, TheRoutineEndsTheWalkWithItsStatusWhileTheBlockStaysLocked) {
  const std::string value = Composite + Bytes({0x81, 0x02, 0x81, 0x02, 0x81, 0x02});
  Walk stopped;
  stopped.StopAt = 2;
  EXPECT_EQ(Enumerate(value, stopped), ERR_CANCEL);
  EXPECT_EQ(stopped.Records.size(), 2u);

  DHANDLE handle = Block(value);
  Walk freeing;
  freeing.FreeDuring = handle;
  EXPECT_EQ(EnumerateInPlace(BLOCKID{handle, 0}, 8, freeing), NOERROR);
  EXPECT_EQ(freeing.FreeStatus, ERR_NOTESRT_LOCKED);
  EXPECT_EQ(OSMemFree(handle), NOERROR);
}

// A routine may close the note whose item it walks; the walk notices instead of reading freed
// memory.
TEST_F(CdWalk, ARoutineThatClosesTheNoteEndsTheWalk) {
  const std::string records = Bytes({0x81, 0x02, 0x81, 0x02});
  AppendItem(Note(), "Body", TYPE_COMPOSITE, records, 0);
  const runtimetest::ItemValue body = runtimetest::ItemValues(Note(), "Body").at(0);
  Walk walk;
  walk.CloseDuring = std::exchange(*FNote->Out(), NULLHANDLE);
  EXPECT_EQ(EnumerateInPlace(body.Block, body.Length, walk), ERR_NOTESRT_INVALID_HANDLE);
  EXPECT_EQ(walk.Records.size(), 1u);
}

class RichTextLines : public CdWalk {
 protected:
  // ConvertItemToText of a value (type word first), lines ended by Delimiter.
  static std::string Lines(const std::string& Value, STATUS* Status = nullptr,
                           const char* Delimiter = "|", WORD CharsPerLine = 0,
                           BOOL StripTabs = FALSE) {
    DHANDLE value = Block(Value), text = NULLHANDLE;
    DWORD length = 0;
    STATUS status = ConvertItemToText(BLOCKID{value, 0}, static_cast<DWORD>(Value.size()),
                                      Delimiter, CharsPerLine, &text, &length, StripTabs);
    EXPECT_EQ(OSMemFree(value), NOERROR);
    if (Status) *Status = status;
    if (status != NOERROR) {
      EXPECT_EQ(text, NULLHANDLE);
      return "";
    }
    std::string lines(OSLock(char, text), length + 1);
    EXPECT_EQ(lines.back(), '\0');
    lines.pop_back();
    OSUnlockObject(text);
    EXPECT_EQ(OSMemFree(text), NOERROR);
    return lines;
  }

  static std::string Run(const std::string& Text) { return runtimetest::TextRun(Text); }
};

const std::string Paragraph = runtimetest::ParagraphRecord();
const std::string Style = Bytes({0x82, 0xFF, 0x06, 0x00, 0x01, 0x00});

TEST_F(RichTextLines, ALineStartsAtEachParagraphAfterARunOrAnEarlierParagraph) {
  const struct {
    const char* Case;
    std::string Records;
    std::string Lines;
    STATUS Status = NOERROR;
  } cases[] = {
      {"runs around a paragraph", Run("a") + Paragraph + Run("b"), "a|b|"},
      {"a paragraph before any run", Style + Paragraph + Run("a"), "a|"},
      {"two paragraphs before a run", Paragraph + Paragraph + Run("a"), "|a|"},
      {"a paragraph after the last run", Run("a") + Paragraph, "a||"},
      {"one empty paragraph", Paragraph + Run(""), "|"},
      {"no paragraph and no run", Style, ""},
      {"a line break inside a run", Run(std::string("a\0b", 3)), "a|b|"},
      {"a text record shorter than its header", Bytes({0x85, 0xFF, 0x06, 0, 0, 0}) + Run("x"),
       "x|"},
      {"damage is an error, not a short text",
       Run("kept") + Paragraph + Bytes({0x85, 0xFF, 0x40, 0}), "", ERR_NOTESRT_RICH_TEXT_DAMAGED},
  };
  for (const auto& c : cases) {
    STATUS status = NOERROR;
    EXPECT_EQ(Lines(Composite + c.Records, &status), c.Lines) << c.Case;
    EXPECT_EQ(status, c.Status) << c.Case;
  }
}

// Other records are skipped and "" ends lines with NUL; plain text converts too, other types do
// not. Long lines break after their last blank between whole characters, tabs counting eight.
TEST_F(RichTextLines, DelimitersWidthsAndValueTypes) {
  const std::string graphic = Bytes({0x99, 0, 0x0C, 0, 0, 0, 1, 2, 3, 4, 5, 6});
  const std::string body = Composite + Paragraph + Run("first") + graphic + Paragraph + Run("") +
                           Paragraph + Run(std::string("a\0b", 3));
  EXPECT_EQ(Lines(body, nullptr, "\r\n"), "first\r\n\r\na\r\nb\r\n");
  EXPECT_EQ(Lines(body, nullptr, ""), std::string("first\0\0a\0b\0", 11));
  EXPECT_EQ(Lines(Bytes({0x00, 0x05, 'x', 0, 'y'})), "x|y|");
  STATUS status = NOERROR;
  EXPECT_EQ(Lines(Bytes({0x00, 0x03}) + std::string(8, '\0'), &status), "");
  EXPECT_EQ(status, ERR_DATATYPE);
  DHANDLE buffer = NULLHANDLE;
  EXPECT_NE(ConvertItemToText(BLOCKID{}, 10, "\r\n", 0, &buffer, nullptr, FALSE), NOERROR);
  EXPECT_EQ(buffer, NULLHANDLE);
  const std::string words = Composite + Paragraph + Run("one two three") + Paragraph +
                            Run("abcdefghij"),
                    tabbed = Composite + Paragraph + Run("a\tb c");
  EXPECT_EQ(Lines(words, nullptr, "\n", 9), "one two \nthree\nabcdefghi\nj\n");
  EXPECT_EQ(Lines(words, nullptr, "\n"), "one two three\nabcdefghij\n");
  EXPECT_EQ(Lines(tabbed, nullptr, "\n", 9), "a\t\nb c\n");
  EXPECT_EQ(Lines(tabbed, nullptr, "\n", 9, TRUE), "ab c\n");
  EXPECT_EQ(Lines(Composite + Paragraph + Run("\x10\x82\xA0\x10\x82\xA1xyz"), nullptr, "|", 2),
            "\x10\x82\xA0\x10\x82\xA1|xy|z|");
}

}  // namespace

// Damage met on disk: a run's length overwritten in the database file itself. The walk and the
// text both report it, and nothing past the value is read.
TEST_F(RichTextLines, DamageInTheDatabaseFileIsReportedByEveryReader) {
  const std::string marked = Run("marked run");
  const std::string records = Paragraph + Run("kept") + marked;
  AppendItem(Note(), "Body", TYPE_COMPOSITE, records, 0);
  ASSERT_EQ(NSFNoteUpdate(Note(), 0), NOERROR);
  const NOTEID id = IdOf(Note());
  FNote.reset();
  FDb.reset();

  std::string file = vesktest::ReadFileText(FileOf("test.nsf"));
  const size_t at = file.find(marked);
  ASSERT_NE(at, std::string::npos);
  ASSERT_EQ(file.find(marked, at + 1), std::string::npos);
  file[at + 2] = '\x40';  // the run now claims 64 bytes, past the end of the value
  vesktest::WriteFileText(FileOf("test.nsf"), file);

  runtimetest::DbRef db("test.nsf");
  runtimetest::NoteRef note;
  ASSERT_EQ(NSFNoteOpen(db.Get(), id, 0, note.Out()), NOERROR);
  const runtimetest::ItemValue body = runtimetest::ItemValues(note.Get(), "Body").at(0);
  Walk walk;
  EXPECT_EQ(EnumerateInPlace(body.Block, body.Length, walk), ERR_NOTESRT_RICH_TEXT_DAMAGED);
  EXPECT_EQ(Shown(walk.Records), "81:2 FF85:12");
  DHANDLE text = NULLHANDLE;
  DWORD textLength = 0;
  EXPECT_EQ(ConvertItemToText(body.Block, body.Length, "\r\n", 0, &text, &textLength, FALSE),
            ERR_NOTESRT_RICH_TEXT_DAMAGED);
  EXPECT_EQ(text, NULLHANDLE);
}
