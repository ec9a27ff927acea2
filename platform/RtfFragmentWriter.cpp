#include "RtfFragmentWriter.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

#include "RtfEscaper.h"

namespace {

constexpr std::array<std::string_view, 3> FontWords = {"f", "af", "pnf"};
constexpr std::array<std::string_view, 15> ColorWords = {
    "cf",      "cb",      "cbpat",   "cfpat",  "chcbpat", "chcfpat", "highlight", "clcbpat",
    "clcfpat", "trcbpat", "trcfpat", "brdrcf", "ulc",     "pncf",    "clcbpatraw"};
constexpr std::array<std::string_view, 4> StyleWords = {"s", "cs", "ds", "ts"};
// Settings of the whole document, which the first document's own decide.
constexpr std::array<std::string_view, 6> DocumentWords = {"ansicpg", "ansi", "mac",
                                                           "pc",      "pca",  "deff"};
// Groups of a later document that the merged document has only once.
constexpr std::array<std::string_view, 4> DroppedGroups = {"fonttbl", "colortbl", "stylesheet",
                                                           "info"};

bool IsIn(std::string_view Word, const auto& Words) {
  return std::find(Words.begin(), Words.end(), Word) != Words.end();
}

bool IsCutEscape(const TRtfToken& Token) {
  return Token.Kind == TRtfTokenKind::ControlSymbol && (Token.Value.empty() || Token.Value == "'");
}

// Text that would run into a control word written before it.
bool NeedsDelimiter(char C) {
  return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z') || (C >= '0' && C <= '9') || C == ' ' ||
         C == '-';
}

std::string Word(std::string_view Name, int32_t Param) {
  return "\\" + std::string(Name) + std::to_string(Param) + " ";
}

}  // namespace

TRtfFragmentWriter::TRtfFragmentWriter(std::string_view Input, const TPlan& Plan,
                                       const TRtfTableMerge& Tables, std::string& Out)
    : FInput(Input), FPlan(Plan), FTables(Tables), FOut(Out) {
  // A later document's header is not copied.
  if (!Plan.First) FCopied = Plan.BodyStart;
}

void TRtfFragmentWriter::Token(const TRtfReader& Reader, const TRtfToken& Token, TRtfRole Role) {
  NoteGroupStart(Token);
  if (FDropDepth > 0) {
    if (Token.Kind == TRtfTokenKind::GroupClose && Reader.Depth() == FDropDepth) FDropDepth = 0;
    FCopied = Token.Offset + Token.Length;
    return;
  }
  if (Token.Kind == TRtfTokenKind::GroupClose && Reader.Depth() == 1) {
    // The document's own end; the merge closes it. Fallbacks it cut short are still owed.
    if (FPlan.First) CopyUpTo(Token.Offset);
    FOwedSkip = Reader.PendingSkip();
    FCopied = std::max(FCopied, Token.Offset + Token.Length);
    return;
  }
  if (Token.Offset < FPlan.BodyStart) {
    if (FPlan.First) {
      TrackTable(Reader, Token, Role);
      Copy(Token);
    }
    return;
  }
  if (!FBodyStarted) StartBody(Reader);
  if (FAtGroupStart && !FAtDestinationWord && StartsDrop(Reader, Token)) return;
  Body(Reader, Token, Role);
}

// The first token of a group (after a leading \*) decides whether the group is a destination;
// what the merge leaves out or changes there must not change that.
void TRtfFragmentWriter::NoteGroupStart(const TRtfToken& Token) {
  bool Star = Token.Kind == TRtfTokenKind::ControlSymbol && Token.Value == "*";
  FAtGroupStart = FGroupFirst;
  FAtDestinationWord = FGroupFirst && FStarred;
  if (Token.Kind == TRtfTokenKind::GroupOpen) {
    FGroupFirst = true;
    FStarred = false;
  } else if (FGroupFirst && Star && !FStarred) {
    FStarred = true;
  } else {
    FGroupFirst = false;
    FStarred = false;
  }
}

void TRtfFragmentWriter::StartBody(const TRtfReader& Reader) {
  FBodyStarted = true;
  if (FPlan.First) {
    CopyUpTo(FPlan.BodyStart);
    WriteTables();
    return;
  }
  int32_t Font = FPlan.Maps.Fonts.at(Reader.Document().DefaultFont);
  Write("{\\pard\\plain" + Word("uc", Reader.UnicodeSkip()) + Word("f", Font));
}

// A document without a font or colour table gets one for the fonts and colours added to it.
void TRtfFragmentWriter::WriteTables() {
  if (!FPlan.First || FTablesWritten) return;
  FTablesWritten = true;
  if (!FPlan.HasFontTable && !FPlan.AddedFonts.empty()) {
    Write("{\\fonttbl" + FPlan.AddedFonts + "}");
  }
  if (!FPlan.HasColorTable && !FPlan.AddedColors.empty()) {
    Write("{\\colortbl" + FPlan.AddedColors + "}");
  }
}

// Notes where the first document's tables end, so that the added entries go there.
void TRtfFragmentWriter::TrackTable(const TRtfReader& Reader, const TRtfToken& Token,
                                    TRtfRole Role) {
  if (Role == TRtfRole::Table && Token.Is("fonttbl") && FFontTableDepth == 0) {
    FFontTableDepth = Reader.Depth();
  } else if (Role == TRtfRole::Table && Token.Is("colortbl") && FColorTableDepth == 0) {
    FColorTableDepth = Reader.Depth();
  } else if (Token.Kind == TRtfTokenKind::GroupClose) {
    CopyUpTo(Token.Offset);
    EndTable(Reader.Depth());
  }
}

// Writes the added entries when the group at Depth is the first document's table.
void TRtfFragmentWriter::EndTable(size_t Depth) {
  if (Depth == FFontTableDepth && !FFontsAdded) {
    FFontsAdded = true;
    Write(FPlan.AddedFonts);
  }
  if (Depth == FColorTableDepth && !FColorsAdded) {
    FColorsAdded = true;
    Write(FPlan.AddedColors);
  }
}

bool TRtfFragmentWriter::StartsDrop(const TRtfReader& Reader, const TRtfToken& Token) {
  if (FPlan.First || Token.Kind != TRtfTokenKind::ControlWord ||
      !IsIn(Token.Value, DroppedGroups)) {
    return false;
  }
  // An empty group stays in its place: its braces end fallback skipping and runs of text as the
  // dropped group's did.
  FOut.resize(FOpenAt);
  FBareWord = FOpenBareWord;
  Write("{}");
  FDropDepth = Reader.Depth();
  FCopied = Token.Offset + Token.Length;
  return true;
}

void TRtfFragmentWriter::Body(const TRtfReader& Reader, const TRtfToken& Token, TRtfRole Role) {
  if (FPlan.First) TrackTable(Reader, Token, Role);
  if (IsCutEscape(Token) && !FRun.empty()) {
    // Inside a run it goes when the run is written.
    FRun.push_back(Token);
    return;
  }
  if (IsCutEscape(Token) || Token.Is("bin")) return Copy(Token);
  if (Role == TRtfRole::Text) {
    if (FRun.empty()) FRunAtGroupStart = FAtGroupStart;
    FRun.push_back(Token);
    return;
  }
  if (Role == TRtfRole::Control && Token.Is("par") && Token.Offset == FPlan.DropPar) {
    return Drop(Token);
  }
  if (!FPlan.First) return LaterBody(Reader, Token, Role);
  Keep(Token);
}

void TRtfFragmentWriter::LaterBody(const TRtfReader& Reader, const TRtfToken& Token,
                                   TRtfRole Role) {
  bool IsWord = Token.Kind == TRtfTokenKind::ControlWord;
  // The name of a {\*...} destination is no formatting word.
  if (FAtDestinationWord) return Keep(Token);
  if (Role == TRtfRole::Setting && IsWord && IsIn(Token.Value, DocumentWords)) return Drop(Token);
  if (Role != TRtfRole::Control || !IsWord) return Keep(Token);
  if (IsIn(Token.Value, StyleWords)) return Drop(Token);
  if (IsIn(Token.Value, FontWords) || IsIn(Token.Value, ColorWords)) {
    std::string Mapped = MappedWord(Token);
    if (Mapped.empty()) return Drop(Token);
    Skip(Token);
    return Write(Mapped);
  }
  Keep(Token);
  if (Token.Is("plain")) {
    Write(Word("f", FPlan.Maps.Fonts.at(Reader.Document().DefaultFont)));
  }
}

// The word with the merged number; nothing for a colour the document does not define.
std::string TRtfFragmentWriter::MappedWord(const TRtfToken& Token) const {
  const auto& Map = IsIn(Token.Value, FontWords) ? FPlan.Maps.Fonts : FPlan.Maps.Colors;
  auto Found = Map.find(Token.Param);
  return Found == Map.end() ? std::string() : Word(Token.Value, Found->second);
}

void TRtfFragmentWriter::Text(const TRtfReader& Reader, std::string_view Utf8) {
  if (FRun.empty()) return;
  std::vector<TRtfToken> Run = std::move(FRun);
  FRun.clear();
  // Bytes that stand for nothing stay as they are: the run may be what makes its group no
  // destination.
  if (Utf8.empty() || KeepsBytes(Reader)) {
    for (const TRtfToken& Token : Run) {
      if (IsCutEscape(Token)) {
        Drop(Token);
      } else {
        Keep(Token);
      }
    }
    return;
  }
  CopyUpTo(Run.front().Offset);
  TRtfEscaper Escaper;
  Escaper.UseCodePage1252 = false;
  Escaper.FallbackCount = Reader.UnicodeSkip();
  std::string Escaped = Escaper.Escape(Utf8);
  // Text that opened a group must not turn into a word that names a destination.
  if (FRunAtGroupStart && Escaped.size() > 1 && Escaped[0] == '\\' &&
      std::isalpha(static_cast<unsigned char>(Escaped[1]))) {
    Write("{}");
  }
  if (FBareWord && !Escaped.empty() && NeedsDelimiter(Escaped[0])) FOut += ' ';
  FOut += Escaped;
  FBareWord = false;
  FCopied = Run.back().Offset + Run.back().Length;
}

// Whether the merged document reads the bytes as this one does: the same \ansicpg, and the
// same code page for the font they are in.
bool TRtfFragmentWriter::KeepsBytes(const TRtfReader& Reader) const {
  if (FPlan.First) return true;
  if (FPlan.BytesAsUnicode) return false;
  if (Reader.Document().AnsiCodePage != FTables.AnsiCodePage()) return false;
  return Reader.CodePage() == FTables.CodePageOf(FPlan.Maps.Fonts.at(Reader.Font()));
}

void TRtfFragmentWriter::Finish(const TRtfReader& Reader) {
  // A later document's header groups were never written, so they are not closed either.
  bool HeaderOnly = !FBodyStarted && !FPlan.First;
  if (!FBodyStarted && !FPlan.First) StartBody(Reader);
  size_t Depth = FDropDepth > 0 ? FDropDepth - 1 : Reader.Depth();
  if (HeaderOnly) Depth = std::min<size_t>(Depth, 1);
  // A closing brace ends the skipping of fallbacks; a document cut at its top level still owes
  // them (one that was closed owed what it had at its end).
  if (Depth >= 1) FOwedSkip = Depth == 1 ? Reader.PendingSkip() : 0;
  for (; Depth > 1; --Depth) {
    if (FPlan.First) EndTable(Depth);
    Write("}");
  }
  if (FPlan.First) {
    // Fallbacks the input still owes would swallow what the merge writes next.
    for (int32_t I = 0; I < FOwedSkip; ++I) Write("\\'3f");
  }
  WriteTables();
  if (!FPlan.First) Write("}");
}

void TRtfFragmentWriter::CopyUpTo(size_t Offset) {
  if (Offset <= FCopied) return;
  FOut.append(FInput.substr(FCopied, Offset - FCopied));
  FCopied = Offset;
  FBareWord = false;
}

void TRtfFragmentWriter::Keep(const TRtfToken& Token) {
  CopyUpTo(Token.Offset);
  if (Token.Kind == TRtfTokenKind::GroupOpen) {
    FOpenAt = FOut.size();
    FOpenBareWord = FBareWord;
  }
  if (FBareWord && Token.Kind == TRtfTokenKind::Text && NeedsDelimiter(Token.Value[0])) {
    FOut += ' ';
  }
  CopyUpTo(Token.Offset + Token.Length);
  char Last = FInput[FCopied - 1];
  bool WordEnd =
      (Last >= 'a' && Last <= 'z') || (Last >= 'A' && Last <= 'Z') || (Last >= '0' && Last <= '9');
  FBareWord = Token.Kind == TRtfTokenKind::ControlWord && WordEnd;
}

// Copies a token as it reads: an escape cut short stands for nothing and is left out, and \binN
// says how many bytes the tokenizer found after it.
void TRtfFragmentWriter::Copy(const TRtfToken& Token) {
  if (IsCutEscape(Token)) return Drop(Token);
  if (!Token.Is("bin")) return Keep(Token);
  Skip(Token);
  Write(Word("bin", Token.Param));
}

void TRtfFragmentWriter::Skip(const TRtfToken& Token) {
  CopyUpTo(Token.Offset);
  FCopied = std::max(FCopied, Token.Offset + Token.Length);
}

// Leaves a token out. The first token of a group decides whether the group is a destination;
// an empty group in its place keeps the group what it was.
void TRtfFragmentWriter::Drop(const TRtfToken& Token) {
  Skip(Token);
  if (FAtGroupStart) Write("{}");
}

void TRtfFragmentWriter::Write(std::string_view Rtf) {
  FOut += Rtf;
  if (!Rtf.empty()) FBareWord = false;
}
