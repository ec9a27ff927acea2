#include "ELotusNotes.h"

#include <cstdio>

#include "NotesCharset.h"

ELotusNotes::~ELotusNotes() = default;
ELnInvalidFolder::~ELnInvalidFolder() = default;

std::string NotesStatusText(STATUS Status) {
  char text[256] = {};
  WORD length = OSLoadString(nullptr, ERR(Status), text, sizeof(text) - 1);
  if (length >= sizeof(text)) length = sizeof(text) - 1;
  return Lmbcs2Native(std::string(text, length));
}

void CheckNotesStatus(STATUS Status) {
  if (Status == NOERROR) return;
  const int32_t code = ERR(Status);
  std::string text = NotesStatusText(Status);
  if (text.empty()) text = "General Notes Error";
  char prefix[16];
  std::snprintf(prefix, sizeof(prefix), "Error $%04X:", static_cast<unsigned>(code));
  throw ELotusNotes(code, prefix + text);
}

ELnFormulaCompile::ELnFormulaCompile(int32_t Status, const std::string& LeadingText,
                                     int32_t CompileError, uint16_t ErrorOffset,
                                     uint16_t ErrorLength)
    : ELotusNotes(Status, ""),
      CompileError(CompileError),
      ErrorText(NotesStatusText(static_cast<STATUS>(CompileError))),
      ErrorOffset(ErrorOffset),
      ErrorLength(ErrorLength) {
  char position[32];
  std::snprintf(position, sizeof(position), " (at %d:%d)", ErrorOffset, ErrorLength);
  SetMessage(LeadingText + ": " + ErrorText + position);
}

ELnFormulaCompile::~ELnFormulaCompile() = default;
