#pragma once

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "RtfReader.h"

// What the merge needs to know of one RTF document before it writes it.
struct TRtfFragmentInfo {
  TRtfDocument Document;
  // Every font number the body names (\f, \af, \pnf) and every \deff.
  std::set<int32_t> UsedFonts;
  // Where the body begins: the first token after \rtf, the settings and the header groups
  // (tables, style sheet, information, {\*...}); npos when there is no body.
  size_t BodyStart = std::string::npos;
  // The \ucN in force there.
  int32_t BodyUnicodeSkip = 1;
  // Whether the body changes the default font (\deff after the header).
  bool DefaultFontInBody = false;
  // Whether a paragraph mark ends the shown text, and where it stands.
  bool EndsWithPar = false;
  size_t ParOffset = 0;
};

TRtfFragmentInfo ScanRtfFragment(std::string_view Rtf);
