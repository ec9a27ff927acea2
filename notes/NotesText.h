#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "NotesApi.h"

// The text form of a universal note ID: 32 hexadecimal digits, or "F1:F0-N1:N0" (35
// characters) with Separated.
std::string UNIDtoStr(const UNIVERSALNOTEID& Unid, bool Separated);

// Notes keeps multi-line text with a NUL after each line; the host uses CR LF.
// NotesToString reads at most Length bytes of Buffer and joins its lines with CR LF; an empty
// line ends the text.
std::string NotesToString(const char* Buffer, size_t Length);
// Makes the NUL-separated form of Text, treating CR LF, a lone CR and a lone LF each as one line
// break. With a break the buffer ends in two NULs. Returns whether Text held a line break.
bool StringToNotes(const std::string& Text, std::vector<char>& Buffer, uint32_t& Length);

// The pieces of a comma-separated text (recipients, settings), trimmed, empty ones left out.
std::vector<std::string> CommaPieces(const std::string& Text);

// Notes colour indexes 0..15 to and from colour values 0x00BBGGRR; NoNotesColor otherwise.
constexpr int32_t NoNotesColor = 0x1FFFFFFF;
int32_t NotesToColor(int32_t Index);
int32_t ColorToNotes(int32_t Color);
