#include "CdRecordBuilder.h"

#include <unicode/ucnv.h>

#include <stdexcept>

namespace filtertest {

namespace {

std::string Padded(std::string Record) {
  if (Record.size() % 2) Record += '\0';
  return Record;
}

}  // namespace

std::string Le16(unsigned Value) {
  return {static_cast<char>(Value & 0xFF), static_cast<char>((Value >> 8) & 0xFF)};
}

std::string Le32(uint32_t Value) {
  return Le16(Value & 0xFFFF) + Le16(Value >> 16);
}

std::string ByteRecord(BYTE Type, std::string_view Body) {
  return Padded(std::string{static_cast<char>(Type), static_cast<char>(Body.size() + 2)} +
                std::string(Body));
}

std::string WordRecord(BYTE Type, std::string_view Body) {
  return Padded(std::string{static_cast<char>(Type), '\xFF'} + Le16(Body.size() + 4) +
                std::string(Body));
}

std::string LongRecord(BYTE Type, std::string_view Body) {
  return Padded(std::string{static_cast<char>(Type), '\0'} + Le32(Body.size() + 6) +
                std::string(Body));
}

std::string Paragraph() {
  return ByteRecord(0x81, "");
}
std::string Reference(WORD Id) {
  return ByteRecord(0x83, Le16(Id));
}
std::string TextRun(std::string_view Lmbcs, const std::string& FontId) {
  return WordRecord(0x85, FontId + std::string(Lmbcs));
}

std::string Font(BYTE Face, BYTE Attrib, BYTE Color, BYTE Size) {
  return std::string{static_cast<char>(Face), static_cast<char>(Attrib), static_cast<char>(Color),
                     static_cast<char>(Size)};
}

std::string Lmbcs(std::string_view Utf8) {
  std::string out(4 * Utf8.size() + 4, '\0');
  UErrorCode error = U_ZERO_ERROR;
  int32_t length = ucnv_convert("LMBCS-1", "UTF-8", out.data(), static_cast<int32_t>(out.size()),
                                Utf8.data(), static_cast<int32_t>(Utf8.size()), &error);
  if (U_FAILURE(error)) throw std::runtime_error("not converted to LMBCS");
  out.resize(static_cast<size_t>(length));
  return out;
}

}  // namespace filtertest
