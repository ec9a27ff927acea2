#pragma once

#include <string>
#include <string_view>

#include "core/HandleObject.h"
#include "notesapi/easycd.h"
#include "notesapi/notesrt.h"

namespace notesrt {

// A compound-text context: rich text composed from plain text for one field of a note, kept
// here until CompoundTextClose appends it. It holds the note's handle, not the note: a note
// closed meanwhile makes Close fail rather than write into freed memory.
class TCompoundText : public THandleObject {
 public:
  static constexpr WORD KindId = NOTESRT_HANDLE_COMPOUNDTEXT;
  // The COMP_xxx flags that AddText understands.
  static constexpr DWORD KnownFlags =
      COMP_PRESERVE_LINES | COMP_PARA_LINE | COMP_PARA_BLANK_LINE | COMP_SERVER_HINT_FOLLOWS;

  TCompoundText(NOTEHANDLE Note, std::string ItemName);
  WORD Kind() const override { return KindId; }

  NOTEHANDLE Note() const { return FNote; }
  const std::string& ItemName() const { return FItemName; }
  // The field so far: the style definition, then the paragraphs added.
  const std::string& Records() const { return FRecords; }

  // Adds Text (LMBCS) in Font as new paragraphs. Lines end at Delimiter ("\r\n" also takes
  // "\n", "\r" and "\n\r"; "" cuts nothing); a delimiter that ends Text starts no line. Flags
  // (KnownFlags only) say where a paragraph ends; inside a paragraph, lines end at a NUL.
  void AddText(std::string_view Text, FONTID Font, std::string_view Delimiter, DWORD Flags);

 private:
  NOTEHANDLE FNote;
  std::string FItemName;
  std::string FRecords;
};

}  // namespace notesrt
