#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "RtfToken.h"
#include "notesapi/editods.h"

namespace nirtf {

// Character formatting of the current group: the font itself is the reader's (TRtfReader::Font).
struct TCharFormat {
  BYTE Attrib = 0;  // ISBOLD ... ISSUB, and one of the effects (ISSHADOW, ISEMBOSS, ISEXTRUDE)
  int32_t HalfPoints = 24;
  int32_t Color = 0;  // index into the colour table; 0 is "auto"
  bool Hidden = false;

  // Applies a character formatting word; false when Token is none.
  bool Apply(const TRtfToken& Token);
};

// Paragraph formatting, in RTF's own measures (twips).
struct TParaFormat {
  WORD Justify = JUSTIFY_LEFT;
  int32_t Left = 0, Right = 0, FirstLine = 0;
  int32_t Before = 0, After = 0, LineSpacing = 0;
  std::vector<int32_t> Tabs;
  WORD ListFlags = 0;                       // PABFLAG_BULLET or PABFLAG_NUMBEREDLIST
  int32_t ListOverride = 0, ListLevel = 0;  // \ls and \ilvl
  bool InTable = false;

  // Applies a paragraph formatting word (\pard resets); false when Token is none.
  bool Apply(const TRtfToken& Token);
  // The paragraph definition (PABID left 0): left = 1440 + \li, first line = left + \fi,
  // right = 1440 + \ri when given, spacing in half lines.
  CDPABDEFINITION Definition() const;
};

// A FONTID of face, attributes, colour and size (half points rounded to whole, 1 to 255).
FONTID MakeFontId(BYTE Face, const TCharFormat& Format, BYTE Color);

}  // namespace nirtf
