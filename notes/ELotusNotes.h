#pragma once

#include <cstdint>
#include <string>

#include "Exception.h"
#include "NotesApi.h"

// A failing Notes call, or a condition the library detects itself. Status is the masked Notes
// status, -1 for the library's own conditions and 0 for a plain message.
class VESK_API ELotusNotes : public Exception {
 public:
  explicit ELotusNotes(std::string Message) : ELotusNotes(0, std::move(Message)) {}
  ELotusNotes(int32_t Status, std::string Message)
      : Exception(std::move(Message)), Status(Status) {}
  ~ELotusNotes() override;

  int32_t Status;
};

// A formula that does not compile; the compile error's own status, text and position.
class VESK_API ELnFormulaCompile : public ELotusNotes {
 public:
  ELnFormulaCompile(int32_t Status, const std::string& LeadingText, int32_t CompileError,
                    uint16_t ErrorOffset, uint16_t ErrorLength);
  ~ELnFormulaCompile() override;

  int32_t CompileError;
  std::string ErrorText;
  uint16_t ErrorOffset;
  uint16_t ErrorLength;
};

// A view opened as a folder that is not one.
class VESK_API ELnInvalidFolder : public ELotusNotes {
 public:
  using ELotusNotes::ELotusNotes;
  ~ELnInvalidFolder() override;
};

// The text OSLoadString has for a status (flag bits masked), in the native character set; ""
// when Notes has none.
std::string NotesStatusText(STATUS Status);

// Raises ELotusNotes for a non-zero status: "Error $XXXX:" and the status text.
void CheckNotesStatus(STATUS Status);
