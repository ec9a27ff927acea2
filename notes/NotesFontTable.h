#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "NotesApi.h"

// One face of a note's font table ("$Fonts"): face number, family and LMBCS face name.
struct TFontFace {
  BYTE Face = 0;
  BYTE Family = 0;
  std::string Name;
};

// The rich-text font-table record's signature and the stored size of one face entry.
constexpr WORD FontTableSignature = 0xFF8B;
constexpr size_t FontFaceSize = 34;
constexpr size_t FontNameSize = 32;

// Reads the faces of a "$Fonts" value (the type word first; Length counts it). Only faces
// that lie wholly inside the value are read, however many the record claims.
std::vector<TFontFace> ReadFontTable(const void* Value, size_t Length);

// The font-table record for Faces, without a type word: signature, record length, count and
// the faces, each name cut to 31 bytes at a character boundary. Raises ELotusNotes ("Too many
// fonts defined") when the record would not fit its 16-bit length.
std::vector<char> BuildFontTable(const std::vector<TFontFace>& Faces);
