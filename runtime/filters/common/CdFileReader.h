#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "note/CdRecords.h"

namespace notesfilter {

// A CD file as export filters get it: the records of a rich-text value, after a leading
// TYPE_COMPOSITE word when there is one. Walked with the runtime's own bounded record reader.
class TCdFileReader {
 public:
  explicit TCdFileReader(std::string Bytes);
  // EStatus ERR_NOTESRT_FILTER_READ or ERR_NOTESRT_FILTER_TOO_BIG (ReadInputFile).
  static TCdFileReader Load(const std::string& Path);

  // The records after the type word.
  std::string_view Records() const { return std::string_view(FBytes).substr(FStart); }
  // Every record, in order; EStatus ERR_NOTESRT_RICH_TEXT_DAMAGED when one breaks the header
  // rules, before anything is handed out, so a damaged file never converts halfway.
  std::vector<notesrt::TCdRecord> Walk() const;
  // A record's bytes, header included.
  std::string_view Bytes(const notesrt::TCdRecord& Record) const {
    return Records().substr(Record.Offset, Record.Length);
  }

 private:
  std::string FBytes;
  size_t FStart = 0;  // after the type word
};

}  // namespace notesfilter
