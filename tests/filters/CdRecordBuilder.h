#pragma once

#include <unicode/ucnv.h>

#include <stdexcept>
#include <string>
#include <string_view>

#include "notesapi/global.h"

// CD records built by hand, so that the filters' tests rely on no writer of the system.
namespace filtertest {

// Little-endian fields.
inline std::string Le16(unsigned Value) {
  return {static_cast<char>(Value & 0xFF), static_cast<char>((Value >> 8) & 0xFF)};
}
inline std::string Le32(uint32_t Value) {
  return Le16(Value & 0xFFFF) + Le16(Value >> 16);
}

inline std::string Padded(std::string Record) {
  if (Record.size() % 2) Record += '\0';
  return Record;
}
// A record with a BYTE, WORD or DWORD length header around Body, padded to an even length.
inline std::string ByteRecord(BYTE Type, std::string_view Body) {
  return Padded(std::string{static_cast<char>(Type), static_cast<char>(Body.size() + 2)} +
                std::string(Body));
}
inline std::string WordRecord(BYTE Type, std::string_view Body) {
  return Padded(std::string{static_cast<char>(Type), '\xFF'} + Le16(Body.size() + 4) +
                std::string(Body));
}
inline std::string LongRecord(BYTE Type, std::string_view Body) {
  return Padded(std::string{static_cast<char>(Type), '\0'} + Le32(Body.size() + 6) +
                std::string(Body));
}

inline std::string Paragraph() {
  return ByteRecord(0x81, "");
}
inline std::string Reference(WORD Id) {
  return ByteRecord(0x83, Le16(Id));
}
// A font ID: face, attributes, colour and size.
inline std::string Font(BYTE Face, BYTE Attrib, BYTE Color, BYTE Size) {
  return std::string{static_cast<char>(Face), static_cast<char>(Attrib), static_cast<char>(Color),
                     static_cast<char>(Size)};
}
// A CDTEXT of LMBCS text.
inline std::string TextRun(std::string_view Lmbcs, const std::string& FontId = Font(1, 0, 0, 10)) {
  return WordRecord(0x85, FontId + std::string(Lmbcs));
}
// UTF-8 text as LMBCS.
inline std::string Lmbcs(std::string_view Utf8) {
  std::string out(4 * Utf8.size() + 4, '\0');
  UErrorCode error = U_ZERO_ERROR;
  int32_t length = ucnv_convert("LMBCS-1", "UTF-8", out.data(), static_cast<int32_t>(out.size()),
                                Utf8.data(), static_cast<int32_t>(Utf8.size()), &error);
  if (U_FAILURE(error)) throw std::runtime_error("not converted to LMBCS");
  out.resize(static_cast<size_t>(length));
  return out;
}

}  // namespace filtertest
