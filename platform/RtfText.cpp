#include "RtfText.h"

#include "RtfEscaper.h"

namespace {

const char* BreakOf(std::string_view Word) {
  if (Word == "line" || Word == "sect" || Word == "row") return "\n";
  if (Word == "cell" || Word == "nestcell") return "\t";
  return nullptr;
}

}  // namespace

void TRtfTextExtractor::Token(const TRtfReader& Reader, const TRtfToken& Token, TRtfRole Role) {
  if (Role != TRtfRole::Control || Token.Kind != TRtfTokenKind::ControlWord || Reader.Hidden()) {
    return;
  }
  if (Token.Value == "par") {
    FText += '\n';
    FEndsWithPar = true;
    FLastParOffset = Token.Offset;
  } else if (const char* Break = BreakOf(Token.Value)) {
    FText += Break;
    FEndsWithPar = false;
  }
}

void TRtfTextExtractor::Text(const TRtfReader& Reader, std::string_view Utf8) {
  if (Utf8.empty() || Reader.Hidden()) return;
  FText += Utf8;
  FEndsWithPar = false;
}

std::string TRtfTextExtractor::Result() const {
  return FEndsWithPar ? FText.substr(0, FText.size() - 1) : FText;
}

std::string RtfToText(std::string_view Input) {
  if (!IsRtf(Input)) return RtfToText(PlainTextToRtf(Input));
  TRtfTextExtractor Extractor;
  TRtfReader Reader(Extractor);
  Reader.Read(Input);
  return Extractor.Result();
}
