#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "notesapi/global.h"

// Rich-text records built and read by hand, so that tests do not rely on the runtime's own
// writer or walk.
namespace runtimetest {

std::string Bytes(std::initializer_list<int> Values);
// A CDPARAGRAPH record.
std::string ParagraphRecord();
// A CDTEXT record of Text in the default font, padded to an even length.
std::string TextRun(const std::string& Text);

struct CdRecord {
  WORD Signature;
  std::string Data;  // after the header
};
// The records of a composite value (without its type word), BYTE and WORD headers; a record
// that does not fit fails the test.
std::vector<CdRecord> CdRecords(std::string_view Value);

}  // namespace runtimetest
