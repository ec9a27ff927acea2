#include "RtfFragment.h"

#include <algorithm>
#include <array>
#include <utility>

#include "RtfText.h"

namespace {

// Document settings that stand before the body.
constexpr std::array<std::string_view, 17> HeaderWords = {
    "rtf",       "ansi",      "mac",       "pc",        "pca",      "ansicpg",
    "deff",      "adeff",     "deflang",   "deflangfe", "adeflang", "uc",
    "stshfdbch", "stshfloch", "stshfhich", "stshfbi",   "fbidis"};

// Groups that belong to the header.
constexpr std::array<std::string_view, 9> HeaderGroups = {
    "fonttbl",           "colortbl", "stylesheet", "info",   "listtable",
    "listoverridetable", "revtbl",   "rsidtbl",    "filetbl"};

bool IsIn(std::string_view Word, const auto& Words) {
  return std::find(Words.begin(), Words.end(), Word) != Words.end();
}

class TFragmentScanner : public TRtfTextExtractor {
 public:
  explicit TFragmentScanner(TRtfFragmentInfo& Info) : FInfo(Info) {}

  bool KnowsDestination(std::string_view) override { return true; }

  void Token(const TRtfReader& Reader, const TRtfToken& Token, TRtfRole Role) override {
    TRtfTextExtractor::Token(Reader, Token, Role);
    bool FontWord = Token.Is("f") || Token.Is("af") || Token.Is("pnf");
    if (Role == TRtfRole::Control && FontWord) FInfo.UsedFonts.insert(Token.Param);
    if (Role == TRtfRole::Setting && Token.Is("deff")) {
      FInfo.UsedFonts.insert(Token.Param);
      bool InBody = FInfo.BodyStart != std::string::npos && !Reader.Hidden();
      FInfo.DefaultFontInBody = FInfo.DefaultFontInBody || InBody;
    }
    if (FInfo.BodyStart == std::string::npos) FindBody(Reader, Token, Role);
  }

 private:
  void FindBody(const TRtfReader& Reader, const TRtfToken& Token, TRtfRole Role) {
    if (FGroupPending) {
      // The first word of a group opened among the settings says whether it is a header group:
      // one of the tables, or any {\*\word ...}.
      bool Star = Token.Kind == TRtfTokenKind::ControlSymbol && Token.Value == "*";
      if (Star && !FStarSeen) {
        FStarSeen = true;
        return;
      }
      bool Word = Token.Kind == TRtfTokenKind::ControlWord;
      bool Header = Word && (FStarSeen || IsIn(Token.Value, HeaderGroups));
      FGroupPending = false;
      FStarSeen = false;
      if (!Header) StartBody(Reader, FGroupOffset);
      return;
    }
    if (Reader.Depth() != 1 || Role == TRtfRole::Skipped) return;
    // The document's first word (\rtf1, or whatever follows "{\rtf") always stays in front.
    if (!std::exchange(FPastFirstWord, true)) return;
    if (Token.Kind == TRtfTokenKind::GroupOpen) {
      FGroupPending = true;
      FGroupOffset = Token.Offset;
      return;
    }
    if (Token.Kind == TRtfTokenKind::GroupClose) return;
    if (Token.Kind == TRtfTokenKind::ControlWord && IsIn(Token.Value, HeaderWords)) return;
    StartBody(Reader, Token.Offset);
  }

  void StartBody(const TRtfReader& Reader, size_t Offset) {
    FInfo.BodyStart = Offset;
    FInfo.BodyUnicodeSkip = Reader.UnicodeSkip();
  }

  TRtfFragmentInfo& FInfo;
  bool FPastFirstWord = false;
  bool FGroupPending = false;
  bool FStarSeen = false;
  size_t FGroupOffset = 0;
};

}  // namespace

TRtfFragmentInfo ScanRtfFragment(std::string_view Rtf) {
  TRtfFragmentInfo Info;
  TFragmentScanner Scanner(Info);
  TRtfReader Reader(Scanner);
  Reader.Read(Rtf);
  Info.Document = Reader.Document();
  // The default font before and after any \deff.
  Info.UsedFonts.insert(0);
  Info.UsedFonts.insert(Info.Document.DefaultFont);
  Info.EndsWithPar = Scanner.EndsWithPar();
  Info.ParOffset = Scanner.LastParOffset();
  return Info;
}
