// Cuts the input into one to eight fragments (the low three bits of the first byte; with bit 3
// set each fragment gets an RTF header), merges them, and checks that the merged document is
// balanced and shows the fragments' texts joined by paragraph breaks. The reader and the
// tokenizer run over every fragment and over the result.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "RichEditMerge.h"
#include "RtfEscaper.h"
#include "RtfReader.h"
#include "RtfText.h"
#include "RtfTokenizer.h"

namespace {

// Control characters and bytes beyond ASCII as \xNN, so that a difference can be seen.
std::string Shown(const std::string& Text) {
  std::string Out;
  for (unsigned char C : Text) {
    char Hex[8];
    std::snprintf(Hex, sizeof Hex, "\\x%02x", C);
    Out += C >= 0x20 && C < 0x7f ? std::string(1, static_cast<char>(C)) : std::string(Hex);
  }
  return Out;
}

void Fail(const char* What, const std::string& Detail) {
  std::fprintf(stderr, "%s\n%s\n", What, Shown(Detail).c_str());
  std::abort();
}

// Groups balance, and nothing follows the document's closing brace.
bool Balanced(const std::string& Rtf) {
  TRtfTokenizer Tokenizer(Rtf);
  TRtfToken Token;
  long Depth = 0;
  bool Closed = false;
  while (Tokenizer.Next(Token)) {
    if (Closed) return false;
    if (Token.Kind == TRtfTokenKind::GroupOpen) ++Depth;
    if (Token.Kind == TRtfTokenKind::GroupClose && --Depth < 0) return false;
    Closed = Depth == 0;
  }
  return Closed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0) return 0;
  size_t Count = 1 + Data[0] % 8;
  bool WithHeader = (Data[0] & 0x08) != 0;
  std::string Rest(reinterpret_cast<const char*>(Data) + 1, Size - 1);
  std::vector<std::string> Fragments;
  std::string Expected;
  bool LastShowsNothing = false;
  for (size_t I = 0; I < Count; ++I) {
    size_t Begin = Rest.size() * I / Count;
    size_t End = Rest.size() * (I + 1) / Count;
    std::string Piece = Rest.substr(Begin, End - Begin);
    Fragments.push_back(WithHeader ? "{\\rtf1 " + Piece : Piece);
    TRtfTextExtractor Extractor;
    TRtfReader Reader(Extractor);
    Reader.Read(IsRtf(Fragments.back()) ? Fragments.back() : PlainTextToRtf(Fragments.back()));
    Expected += (I > 0 ? "\n" : "") + Extractor.Result();
    LastShowsNothing = Extractor.Result().empty() && !Extractor.EndsWithPar();
  }
  // Then the merged document ends in the break before that fragment, and like any document
  // that ends in a paragraph mark it has no empty paragraph after it.
  if (Count > 1 && LastShowsNothing) Expected.pop_back();
  std::string Merged = RichEditMerge(Fragments);
  if (Count == 1) {
    if (Merged != Fragments.front()) Fail("a single fragment changed", Merged);
    return 0;
  }
  if (!Balanced(Merged)) Fail("unbalanced groups", Merged);
  std::string Text = RtfToText(Merged);
  if (Text != Expected) {
    size_t At = 0;
    while (At < Text.size() && At < Expected.size() && Text[At] == Expected[At]) ++At;
    size_t From = At > 60 ? At - 60 : 0;
    std::fprintf(stderr, "merged: %s\n", Shown(Merged).c_str());
    std::fprintf(stderr, "text:   %s\n", Shown(Text.substr(From, 120)).c_str());
    Fail("text differs", "wanted: " + Expected.substr(From, 120));
  }
  return 0;
}
