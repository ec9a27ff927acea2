#pragma once

#include <cstddef>
#include <string_view>

#include "notesapi/global.h"

namespace notesrt {

// The records the runtime writes and reads, by signature (low byte the record type; high byte
// 0xFF for a WORD length, otherwise the length of a short record).
inline constexpr WORD SigCdText = 0xFF85;
inline constexpr WORD SigCdPabDefinition = 0xFF82;
inline constexpr BYTE CdParagraphType = 0x81;
inline constexpr BYTE CdPabReferenceType = 0x83;
// CDTEXT: WSIG (4 bytes), FONTID (4 bytes), then the text.
inline constexpr size_t CdTextHeader = 8;

// Walking the CD records of a rich-text value (after its type word).

// The length of the record at Offset, header included and pad byte not; 0 when the header is
// malformed or the record runs past the end of Data.
size_t CdRecordLength(std::string_view Data, size_t Offset);
// Where the record after one of Length bytes starts: records begin on even offsets.
inline size_t CdNextRecord(size_t Offset, size_t Length) {
  return Offset + Length + Length % 2;
}

}  // namespace notesrt
