#include "RichEdit.h"

#include <algorithm>

#include "RichEditMerge.h"
#include "RtfEscaper.h"
#include "RtfReader.h"
#include "RtfText.h"
#include "Stream.h"
#include "Unicode.h"

ERichEditError::~ERichEditError() = default;

namespace {

int32_t Length(const std::string& Utf8) {
  return static_cast<int32_t>(Utf8ToUtf16(Utf8).size());
}

}  // namespace

std::string TRichEdit::Text() const {
  std::string Text;
  for (size_t I = 0; I < FTexts.size(); ++I) Text += (I > 0 ? "\n" : "") + FTexts[I];
  return Text;
}

int32_t TRichEdit::GetTextLen() const {
  return Length(Text());
}

void TRichEdit::SetSel(int32_t Start, int32_t Length) {
  int32_t TextLength = GetTextLen();
  FSelStart = std::clamp(Start, 0, TextLength);
  FSelLength = Length < 0 ? TextLength - FSelStart : std::min(Length, TextLength - FSelStart);
}

void TRichEdit::Clear() {
  FPieces.clear();
  FTexts.clear();
  FSelStart = 0;
  FSelLength = 0;
}

void TRichEdit::AddLine(const std::string& Line) {
  Add(PlainTextToRtf(Line));
}

void TRichEdit::Add(std::string Rtf) {
  FTexts.push_back(RtfToText(Rtf));
  FPieces.push_back(std::move(Rtf));
}

// The piece that starts at Start: its index, or the count of pieces for the very end.
size_t TRichEdit::PieceAt(int32_t Start) const {
  int32_t Offset = 0;
  for (size_t I = 0; I < FTexts.size(); ++I) {
    if (Offset == Start) return I;
    Offset += Length(FTexts[I]) + 1;
  }
  if (Start == GetTextLen()) return FTexts.size();
  throw ERichEditError("The selection does not start where a streamed text starts");
}

void TRichEdit::StreamIn(TStream& Stream, uint32_t Format) {
  std::string Data(static_cast<size_t>(std::max<int64_t>(Stream.Size() - Stream.Position(), 0)),
                   '\0');
  Data.resize(static_cast<size_t>(Stream.Read(Data.data(), static_cast<int64_t>(Data.size()))));
  Data.resize(std::min(Data.size(), Data.find('\0')));
  if ((Format & SF_RTF) == 0 || !IsRtf(Data)) Data = PlainTextToRtf(Data);
  size_t Piece = 0;
  if (Format & SFF_SELECTION) {
    if (FSelStart + FSelLength < GetTextLen()) {
      throw ERichEditError("The selection does not reach the end of the text");
    }
    Piece = PieceAt(FSelStart);
  }
  FPieces.resize(Piece);
  FTexts.resize(Piece);
  Add(std::move(Data));
  FSelStart = GetTextLen();
  FSelLength = 0;
}

void TRichEdit::StreamOut(TStream& Stream, uint32_t Format) const {
  std::string Data = (Format & SF_RTF) != 0 ? RichEditMerge(FPieces) : Text();
  if (Data.empty() && (Format & SF_RTF) != 0) Data = PlainTextToRtf("");
  Stream.WriteBuffer(Data.data(), static_cast<int64_t>(Data.size()));
}
