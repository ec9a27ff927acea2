// Canonical structures and the CD record walk: ODSLength and ODSWriteMemory, EnumCompositeBuffer
// and ConvertItemToText on well-formed and damaged rich text.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "StorageFixture.h"
#include "notesapi/editods.h"
#include "notesapi/miscerr.h"
#include "notesapi/notesrt.h"
#include "notesapi/odserr.h"
#include "notesapi/osmem.h"

namespace {

// The offsets readers rely on, as published; sizes are checked through ODSLength below.
static_assert(offsetof(CDTEXT, FontID) == 4 && offsetof(CDPABREFERENCE, PABID) == 2);
static_assert(offsetof(CDPABDEFINITION, LeftMargin) == 14 && offsetof(CDPABDEFINITION, Tab) == 22 &&
              offsetof(CDPABDEFINITION, Flags) == 62 && offsetof(CDPABDEFINITION, Flags2) == 68);
static_assert(offsetof(CDHOTSPOTBEGIN, Flags) == 6 && offsetof(CDHOTSPOTBEGIN, DataLength) == 10);
static_assert(offsetof(CDBAR, FontID) == 8 && offsetof(CDTABLEBEGIN, Flags) == 12);
static_assert(offsetof(CDTABLECELL, Border) == 10 && offsetof(CDTABLECELL, v42Border) == 12 &&
              offsetof(CDTABLECELL, RowSpan) == 14 && offsetof(CDTABLECELL, BackgroundColor) == 16);
static_assert(offsetof(NOTELINK, View) == 8 && offsetof(NOTELINK, Note) == 24 &&
              offsetof(CDLINKEXPORT2, NoteLink) == 4 && offsetof(CDFACE, Name) == 2);
static_assert(DEFAULT_FONT_ID == 0x0A000001u && SIG_CD_PARAGRAPH == 0x0081 &&
              SIG_CD_TEXT == 0xFF85 && SIG_CD_GRAPHIC == 0x0099);

std::string Bytes(std::initializer_list<int> Values) {
  std::string bytes;
  for (int value : Values) bytes += static_cast<char>(value);
  return bytes;
}

TEST(Ods, LengthsAreThePublishedCanonicalSizes) {
  const struct {
    WORD Type;
    WORD Size;
  } cases[] = {{_WORD, 2},
               {_DWORD, 4},
               {_TIMEDATE, 8},
               {_UNIVERSALNOTEID, 16},
               {_NOTELINK, 40},
               {_FILEOBJECT, 36},
               {_CDLINK2, 6},
               {_CDLINKEXPORT2, 44},
               {_CDPARAGRAPH, 2},
               {_CDPABDEFINITION, 70},
               {_CDPABREFERENCE, 4},
               {_CDTEXT, 8},
               {_CDFONTTABLE, 6},
               {_CDFACE, 34},
               {_CDTABLEBEGIN, 14},
               {_CDTABLECELL, 18},
               {_CDTABLEEND, 6},
               {_CDHOTSPOTBEGIN, 12},
               {_CDHOTSPOTEND, 2},
               {_CDBAR, 12},
               {999, 0}};
  for (const auto& c : cases) EXPECT_EQ(ODSLength(c.Type), c.Size) << "ODS type " << c.Type;
}

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

}  // namespace
