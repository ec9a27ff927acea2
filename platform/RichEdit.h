#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Controls.h"
#include "Exception.h"

class TStream;

// Stream formats of a rich-edit control.
constexpr uint32_t SF_TEXT = 0x0001;
constexpr uint32_t SF_RTF = 0x0002;
// Stream in place of the selection only.
constexpr uint32_t SFF_SELECTION = 0x8000;

class VESK_API ERichEditError : public Exception {
 public:
  using Exception::Exception;
  ~ERichEditError() override;
};

// A rich-edit control: RTF content and a selection counted in characters of its text (UTF-16
// units, a paragraph break one). The content is the RTF documents streamed or added one after
// the other, each in a paragraph of its own, and it is saved as their merge (RichEditMerge).
// A selection can be replaced when it runs to the end of the text and starts where one of them
// starts (or at the very end, which adds a paragraph): that is how a control is filled piece by
// piece. Replacing text inside a piece is not modelled and raises ERichEditError.
class TRichEdit : public TControl {
 public:
  // The text: the paragraphs of every piece, separated by "\n".
  std::string Text() const;
  int32_t GetTextLen() const;
  int32_t SelStart() const { return FSelStart; }
  int32_t SelLength() const { return FSelLength; }
  // Clamped to the text; a negative length selects to the end.
  void SetSel(int32_t Start, int32_t Length);
  void SelectAll() { SetSel(0, -1); }
  void Clear();
  // A paragraph of plain text at the end, as adding a line does.
  void AddLine(const std::string& Line);
  // Reads the stream to its end (a NUL ends the text) and puts what it read in place of the
  // selection (SFF_SELECTION) or of everything; SF_TEXT reads plain text, SF_RTF an RTF
  // document (anything else in it is read as plain text). The caret goes after it.
  void StreamIn(TStream& Stream, uint32_t Format);
  // The content as one RTF document (SF_RTF) or as text (SF_TEXT).
  void StreamOut(TStream& Stream, uint32_t Format) const;

 private:
  void Add(std::string Rtf);
  size_t PieceAt(int32_t Start) const;

  // Each an RTF document, and its text.
  std::vector<std::string> FPieces;
  std::vector<std::string> FTexts;
  int32_t FSelStart = 0;
  int32_t FSelLength = 0;
};
