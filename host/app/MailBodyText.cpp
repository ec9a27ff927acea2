#include "MailBodyText.h"

#include "RtfText.h"

namespace {

// The text extractor, with the targets of HYPERLINK fields and the places of pictures.
class TMailBodyText : public TRtfTextExtractor {
 public:
  void Token(const TRtfReader& Reader, const TRtfToken& Token, TRtfRole Role) override {
    ShowPicture(Reader);
    if (Token.Kind == TRtfTokenKind::GroupOpen) {
      FOpensVisible = !Reader.Hidden();
    } else if (Token.Is("field") && !Reader.Hidden()) {
      FFieldDepth = Reader.Depth();
      FInstruction.clear();
    } else if (Token.Is("pict") && FOpensVisible) {
      // The picture's own group is hidden already: it is shown once the group is left.
      FPicture = true;
    } else if (Token.Kind == TRtfTokenKind::GroupClose && FFieldDepth != 0 &&
               Reader.Depth() == FFieldDepth) {
      FFieldDepth = 0;
      const std::string url = Url();
      if (!url.empty()) TRtfTextExtractor::Text(Reader, " <" + url + ">");
    }
    TRtfTextExtractor::Token(Reader, Token, Role);
  }
  void Text(const TRtfReader& Reader, std::string_view Utf8) override {
    ShowPicture(Reader);
    if (Reader.Destination() == "fldinst") FInstruction += Utf8;
    TRtfTextExtractor::Text(Reader, Utf8);
  }
  bool KnowsDestination(std::string_view Word) override { return Word == "fldinst"; }

 private:
  void ShowPicture(const TRtfReader& Reader) {
    if (!FPicture || Reader.Hidden()) return;
    FPicture = false;
    TRtfTextExtractor::Text(Reader, "[picture]");
  }

  // HYPERLINK "url": the quoted part.
  std::string Url() const {
    const size_t word = FInstruction.find("HYPERLINK");
    if (word == std::string::npos) return "";
    const size_t open = FInstruction.find('"', word);
    const size_t close = open == std::string::npos ? open : FInstruction.find('"', open + 1);
    return close == std::string::npos ? "" : FInstruction.substr(open + 1, close - open - 1);
  }

  bool FOpensVisible = false;
  bool FPicture = false;
  size_t FFieldDepth = 0;
  std::string FInstruction;
};

}  // namespace

std::string MailBodyText(std::string_view Rtf) {
  if (!IsRtf(Rtf)) return RtfToText(Rtf);
  TMailBodyText extractor;
  TRtfReader reader(extractor);
  reader.Read(Rtf);
  return extractor.Result();
}
