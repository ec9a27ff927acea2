#pragma once

#include <string>
#include <string_view>

#include "note/CdRecords.h"
#include "notesapi/editods.h"

namespace filtertest {

// Records an import wrote, as the export gets them back from a note: a leading CDFONTTABLE
// (kept in "$Fonts", handed to the export in front), then the CDPARAGRAPH the importer opens
// the item with, then the other records.
inline std::string AsStored(std::string_view Records) {
  notesrt::TCdReader reader(Records);
  notesrt::TCdRecord first;
  size_t split = 0;
  if (reader.Next(first) && first.Signature == SIG_CD_FONTTABLE)
    split = notesrt::CdNextRecord(first.Offset, first.Length);
  split = std::min(split, Records.size());
  return std::string(Records.substr(0, split)) + std::string("\x81\x02", 2) +
         std::string(Records.substr(split));
}

}  // namespace filtertest

namespace filtertest {

// Records without the empty paragraphs at their end: the RTF export writes no paragraph mark
// after the last paragraph, so empty ones there do not come back.
inline std::string_view WithoutTrailingEmptyParagraphs(std::string_view Records) {
  notesrt::TCdReader reader(Records);
  size_t end = 0;
  for (notesrt::TCdRecord record; reader.Next(record);)
    if (record.Signature != SIG_CD_PARAGRAPH && record.Signature != SIG_CD_PABREFERENCE &&
        record.Signature != SIG_CD_PABDEFINITION)
      end = notesrt::CdNextRecord(record.Offset, record.Length);
  return Records.substr(0, std::min(end, Records.size()));
}

}  // namespace filtertest
