#pragma once

#include <string>
#include <string_view>

#include "notesapi/global.h"

// CD records built by hand, so that the filters' tests rely on no writer of the system.
namespace filtertest {

// A record with a BYTE, WORD or DWORD length header around Body, padded to an even length.
std::string ByteRecord(BYTE Type, std::string_view Body);
std::string WordRecord(BYTE Type, std::string_view Body);
std::string LongRecord(BYTE Type, std::string_view Body);
// Little-endian fields.
std::string Le16(unsigned Value);
std::string Le32(uint32_t Value);

std::string Paragraph();
std::string Reference(WORD Id);
// A font ID: face, attributes, colour and size.
std::string Font(BYTE Face, BYTE Attrib, BYTE Color, BYTE Size);
// A CDTEXT of LMBCS text.
std::string TextRun(std::string_view Lmbcs, const std::string& FontId = Font(1, 0, 0, 10));
// UTF-8 text as LMBCS.
std::string Lmbcs(std::string_view Utf8);

}  // namespace filtertest
