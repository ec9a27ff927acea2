#include "RichTextRecords.h"

#include <gtest/gtest.h>

#include <cstring>

namespace runtimetest {

std::string Bytes(std::initializer_list<int> Values) {
  std::string bytes;
  for (int value : Values) bytes += static_cast<char>(value);
  return bytes;
}

std::string ParagraphRecord() {
  return Bytes({0x81, 0x02});
}

std::string TextRun(const std::string& Text) {
  const auto length = static_cast<int>(8 + Text.size());
  std::string run = Bytes({0x85, 0xFF, length & 0xFF, length >> 8, 1, 0, 0, 10}) + Text;
  return Text.size() % 2 ? run + '\0' : run;
}

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

}  // namespace runtimetest
