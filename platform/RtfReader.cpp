#include "RtfReader.h"

#include <algorithm>
#include <array>
#include <utility>

#include "RtfCodePage.h"
#include "RtfTokenizer.h"
#include "Unicode.h"

namespace {

// Words that begin a destination of their own when they open a group.
constexpr std::array<std::string_view, 40> DestinationWords = {
    "annotation", "atnauthor", "atndate",    "atnid",    "atnref",   "author",     "bkmkend",
    "bkmkstart",  "comment",   "company",    "doccomm",  "field",    "fldinst",    "fldrslt",
    "footer",     "footerf",   "footerl",    "footerr",  "footnote", "header",     "headerf",
    "headerl",    "headerr",   "info",       "keywords", "listtext", "nonshppict", "object",
    "objdata",    "operator",  "pict",       "pn",       "pntext",   "pntxta",     "pntxtb",
    "result",     "shppict",   "stylesheet", "subject",  "title"};

// Destinations whose text a reader does not show (nested groups inherit this).
constexpr std::array<std::string_view, 25> HiddenDestinations = {
    "annotation", "atnauthor", "atndate", "atnid",     "atnref",   "bkmkend",    "bkmkstart",
    "fldinst",    "footer",    "footerf", "footerl",   "footerr",  "footnote",   "header",
    "headerf",    "headerl",   "headerr", "info",      "listtext", "nonshppict", "objdata",
    "pict",       "pn",        "pntext",  "stylesheet"};

struct TSymbolText {
  std::string_view Word;
  char32_t Char;
};

// Control words and symbols that stand for a character, sorted by word: every control word is
// looked up here.
constexpr std::array<TSymbolText, 21> SymbolTexts = {{
    {"\\", U'\\'},       {"_", 0x2011},       {"bullet", 0x2022},  {"emdash", 0x2014},
    {"emspace", 0x2003}, {"endash", 0x2013},  {"enspace", 0x2002}, {"ldblquote", 0x201C},
    {"lquote", 0x2018},  {"ltrmark", 0x200E}, {"qmspace", 0x2005}, {"rdblquote", 0x201D},
    {"rquote", 0x2019},  {"rtlmark", 0x200F}, {"tab", U'\t'},      {"zwbo", 0x200B},
    {"zwj", 0x200D},     {"zwnj", 0x200C},    {"{", U'{'},         {"}", U'}'},
    {"~", 0x00A0},
}};
static_assert(std::is_sorted(SymbolTexts.begin(), SymbolTexts.end(),
                             [](const TSymbolText& A, const TSymbolText& B) {
                               return A.Word < B.Word;
                             }));

template <size_t N>
bool Contains(const std::array<std::string_view, N>& Words, std::string_view Word) {
  return std::find(Words.begin(), Words.end(), Word) != Words.end();
}

bool IsByteToken(const TRtfToken& Token) {
  return Token.Kind == TRtfTokenKind::Text || Token.Kind == TRtfTokenKind::HexByte;
}

// \' without two hex digits, or a backslash at the very end: it stands for nothing.
bool IsCutEscape(const TRtfToken& Token) {
  return Token.Kind == TRtfTokenKind::ControlSymbol && (Token.Value.empty() || Token.Value == "'");
}

bool IsFamilyWord(std::string_view Word) {
  return Word == "fnil" || Word == "froman" || Word == "fswiss" || Word == "fmodern" ||
         Word == "fscript" || Word == "fdecor" || Word == "ftech" || Word == "fbidi";
}

uint8_t ColorPart(int32_t Value) {
  return static_cast<uint8_t>(std::clamp(Value, 0, 255));
}

// More fallback characters than this is no real writer's; a larger \ucN is taken as this.
constexpr int32_t MaxUnicodeSkip = 255;

}  // namespace

bool IsRtf(std::string_view Input) {
  return Input.substr(0, 5) == "{\\rtf";
}

std::string_view TRtfReader::Destination() const {
  return FGroups.empty() ? std::string_view() : FGroups.back().Destination;
}

bool TRtfReader::Hidden() const {
  return FGroups.empty() || FGroups.back().Hidden;
}

int32_t TRtfReader::Font() const {
  if (FGroups.empty() || !FGroups.back().Font) return FDocument.DefaultFont;
  return *FGroups.back().Font;
}

int32_t TRtfReader::CodePage() const {
  if (!FGroups.empty() && FGroups.back().Table == TTable::Fonts) {
    // A font's name is written in the font's own code page.
    if (!FFont) return FDocument.AnsiCodePage;
    int32_t Own = FFont->second.CodePage > 0 ? FFont->second.CodePage
                                             : CodePageOfCharset(FFont->second.Charset);
    return Own > 0 ? Own : FDocument.AnsiCodePage;
  }
  return CodePageOf(Font());
}

int32_t TRtfReader::CodePageOf(int32_t FontNumber) const {
  auto Found = FDocument.Fonts.find(FontNumber);
  if (Found == FDocument.Fonts.end()) return FDocument.AnsiCodePage;
  if (Found->second.CodePage > 0) return Found->second.CodePage;
  int32_t Own = CodePageOfCharset(Found->second.Charset);
  return Own > 0 ? Own : FDocument.AnsiCodePage;
}

int32_t TRtfReader::UnicodeSkip() const {
  return FGroups.empty() ? 1 : FGroups.back().Uc;
}

void TRtfReader::Read(std::string_view Rtf) {
  TRtfTokenizer Tokenizer(Rtf);
  TRtfToken Token;
  while (Tokenizer.Next(Token)) {
    Step(Token);
    if (FStarted && FGroups.empty()) return;
  }
  // The input ended inside the document.
  FlushSurrogate();
  FlushBytes();
  if (FFont) CommitFont();
}

void TRtfReader::Step(const TRtfToken& Token) {
  if (!FStarted) {
    // Only the first group is the document.
    bool Opens = Token.Kind == TRtfTokenKind::GroupOpen;
    FHandler.Token(*this, Token, Opens ? TRtfRole::Group : TRtfRole::Skipped);
    if (Opens) {
      FStarted = true;
      FGroups.emplace_back();
    }
    return;
  }
  if (FSkip > 0 && Token.Kind == TRtfTokenKind::Text && !FGroups.back().Skip &&
      Token.Value.size() > static_cast<size_t>(FSkip)) {
    // Only the head of the run is fallback; the rest is text.
    TRtfToken Head = Token;
    Head.Value = Token.Value.substr(0, static_cast<size_t>(FSkip));
    Head.Length = Head.Value.size();
    TRtfToken Tail = Token;
    Tail.Value = Token.Value.substr(Head.Length);
    Tail.Offset += Head.Length;
    Tail.Length -= Head.Length;
    Step(Head);
    Step(Tail);
    return;
  }
  if (!FGroups.back().Skip && FSkip == 0) DetectDestination(Token);
  TRtfRole Role = RoleOf(Token);
  if (Role != TRtfRole::Skipped) {
    // A skip count between the halves of a pair (LibreOffice writes one) keeps the pair.
    if (Role != TRtfRole::Unicode && !Token.Is("uc")) FlushSurrogate();
    if (!(IsByteToken(Token) && (Role == TRtfRole::Text || Role == TRtfRole::Table))) FlushBytes();
  }
  FHandler.Token(*this, Token, Role);
  Apply(Token, Role);
}

void TRtfReader::DetectDestination(const TRtfToken& Token) {
  TGroup& Group = FGroups.back();
  if (!Group.First || Token.Kind == TRtfTokenKind::GroupOpen ||
      Token.Kind == TRtfTokenKind::GroupClose) {
    Group.First = false;
    return;
  }
  if (Token.Kind == TRtfTokenKind::ControlSymbol && Token.Value == "*") {
    Group.Star = true;
    return;
  }
  Group.First = false;
  if (Token.Kind != TRtfTokenKind::ControlWord) return;
  if (Group.Star) {
    Group.Destination = Token.Value;
    Group.Hidden = true;
    // Extras of a table entry (\panose, \falt ...) are never part of it.
    Group.Skip = Group.Table != TTable::None || !FHandler.KnowsDestination(Token.Value);
  } else if (Group.Hidden) {
    // Tables and settings inside other destinations are not the document's.
    if (Contains(DestinationWords, Token.Value)) Group.Destination = Token.Value;
  } else if (Token.Value == "fonttbl" || Token.Value == "colortbl") {
    Group.Destination = Token.Value;
    Group.Hidden = true;
    bool Fonts = Token.Value == "fonttbl";
    bool& Seen = Fonts ? FDocument.HasFontTable : FDocument.HasColorTable;
    // Only the first colour table counts; font tables add the numbers they define first.
    if (Fonts || !Seen) Group.Table = Fonts ? TTable::Fonts : TTable::Colors;
    Seen = true;
  } else if (Contains(DestinationWords, Token.Value)) {
    Group.Destination = Token.Value;
    Group.Hidden = Group.Hidden || Contains(HiddenDestinations, Token.Value);
  }
}

TRtfRole TRtfReader::RoleOf(const TRtfToken& Token) const {
  const TGroup& Group = FGroups.back();
  if (Token.Kind == TRtfTokenKind::GroupOpen || Token.Kind == TRtfTokenKind::GroupClose) {
    // A brace belongs to the group around the group it opens or closes.
    const TGroup* Outer = Token.Kind == TRtfTokenKind::GroupOpen ? &Group
                          : FGroups.size() >= 2                  ? &FGroups[FGroups.size() - 2]
                                                                 : nullptr;
    if (Outer && Outer->Skip) return TRtfRole::Skipped;
    if (Outer && Outer->Table != TTable::None) return TRtfRole::Table;
    return TRtfRole::Group;
  }
  if (Group.Skip || FSkip > 0 || IsCutEscape(Token)) return TRtfRole::Skipped;
  if (Token.Kind == TRtfTokenKind::Binary)
    return FSkipBinary ? TRtfRole::Skipped : TRtfRole::Binary;
  if (Group.Table != TTable::None) return TRtfRole::Table;
  if (IsByteToken(Token)) return TRtfRole::Text;
  if (Token.Kind == TRtfTokenKind::ControlSymbol) {
    return Token.Value == "*" ? TRtfRole::Setting : TRtfRole::Control;
  }
  std::string_view Word = Token.Value;
  if (Word == "u") return TRtfRole::Unicode;
  if (Word == "bin") return TRtfRole::Binary;
  if (Word == "uc" || Word == "ansicpg" || Word == "ansi" || Word == "mac" || Word == "pc" ||
      Word == "pca" || Word == "deff" || Word == "rtf") {
    return TRtfRole::Setting;
  }
  return TRtfRole::Control;
}

void TRtfReader::Apply(const TRtfToken& Token, TRtfRole Role) {
  if (Token.Kind == TRtfTokenKind::GroupOpen) return OpenGroup();
  if (Token.Kind == TRtfTokenKind::GroupClose) return CloseGroup();
  switch (Role) {
    case TRtfRole::Skipped:
      if (Token.Kind == TRtfTokenKind::Binary) {
        FSkipBinary = false;
      } else if (FSkip > 0 && !FGroups.back().Skip && !IsCutEscape(Token)) {
        int32_t Count =
            Token.Kind == TRtfTokenKind::Text ? static_cast<int32_t>(Token.Value.size()) : 1;
        FSkip -= std::min(FSkip, Count);
        FSkipBinary = Token.Is("bin");
      }
      return;
    case TRtfRole::Text:
    case TRtfRole::Table:
      if (Token.Kind == TRtfTokenKind::HexByte) return AddByte(Token.Byte);
      if (Token.Kind == TRtfTokenKind::Text) return AddBytes(Token.Value);
      if (Role == TRtfRole::Table) ApplyTableWord(Token);
      return;
    case TRtfRole::Unicode:
      return Unicode(Token.Param);
    case TRtfRole::Setting:
      return ApplySetting(Token);
    case TRtfRole::Control:
      return ApplyControl(Token);
    default:
      return;
  }
}

void TRtfReader::ApplySetting(const TRtfToken& Token) {
  std::string_view Word = Token.Value;
  if (Word == "uc") {
    FGroups.back().Uc = std::clamp(Token.Param, 0, MaxUnicodeSkip);
  } else if (Hidden()) {
    return;
  } else if (Word == "ansicpg") {
    if (Token.Param > 0) FDocument.AnsiCodePage = Token.Param;
  } else if (Word == "ansi") {
    FDocument.AnsiCodePage = 1252;
  } else if (Word == "mac") {
    FDocument.AnsiCodePage = 10000;
  } else if (Word == "pc") {
    FDocument.AnsiCodePage = 437;
  } else if (Word == "pca") {
    FDocument.AnsiCodePage = 850;
  } else if (Word == "deff") {
    FDocument.DefaultFont = Token.Param;
  }
}

void TRtfReader::ApplyControl(const TRtfToken& Token) {
  if (Token.Is("f")) {
    FGroups.back().Font = Token.Param;
    return;
  }
  if (Token.Is("plain")) {
    FGroups.back().Font.reset();
    return;
  }
  const auto Symbol = std::lower_bound(
      SymbolTexts.begin(), SymbolTexts.end(), Token.Value,
      [](const TSymbolText& Entry, std::string_view Word) { return Entry.Word < Word; });
  if (Symbol != SymbolTexts.end() && Symbol->Word == Token.Value) EmitChar(Symbol->Char);
}

void TRtfReader::ApplyTableWord(const TRtfToken& Token) {
  if (Token.Is("uc")) {
    FGroups.back().Uc = std::clamp(Token.Param, 0, MaxUnicodeSkip);
    return;
  }
  // A brace or backslash escaped in a name is part of it.
  if (Token.Kind == TRtfTokenKind::ControlSymbol &&
      (Token.Value == "\\" || Token.Value == "{" || Token.Value == "}")) {
    TableText(Token.Value);
    return;
  }
  if (FGroups.back().Table == TTable::Colors) {
    if (Token.Is("red")) FColor.Red = ColorPart(Token.Param);
    if (Token.Is("green")) FColor.Green = ColorPart(Token.Param);
    if (Token.Is("blue")) FColor.Blue = ColorPart(Token.Param);
    if (Token.Is("red") || Token.Is("green") || Token.Is("blue")) FColor.Auto = false;
    return;
  }
  if (Token.Is("f")) {
    CommitFont();
    FFont.emplace(Token.Param, TRtfFont());
    FFontNameDone = false;
    return;
  }
  if (!FFont) return;
  TRtfFont& Font = FFont->second;
  if (IsFamilyWord(Token.Value)) Font.Family = Token.Value;
  if (Token.Is("fcharset")) Font.Charset = Token.Param;
  if (Token.Is("cpg")) Font.CodePage = Token.Param;
  if (Token.Is("fprq")) Font.Pitch = Token.Param;
  if (Token.Is("u")) {
    // Names are short and plain: a surrogate is not paired up here.
    char32_t Char = static_cast<uint16_t>(Token.Param);
    std::string Name;
    AppendUtf8(Name, Char >= 0xD800 && Char <= 0xDFFF ? 0xFFFD : Char);
    TableText(Name);
    FSkip = FGroups.back().Uc;
  }
}

void TRtfReader::OpenGroup() {
  FSkip = 0;
  FGroups.push_back(FGroups.back());
  TGroup& Group = FGroups.back();
  Group.First = true;
  Group.Star = false;
  if (Group.Table == TTable::Fonts) CommitFont();
}

void TRtfReader::CloseGroup() {
  FSkip = 0;
  TTable Table = FGroups.back().Table;
  FGroups.pop_back();
  if (Table == TTable::Fonts) CommitFont();
  if (Table == TTable::Colors && (FGroups.empty() || FGroups.back().Table != TTable::Colors)) {
    // A last entry without its ";" is not an entry.
    FColor = TRtfColor();
  }
}

void TRtfReader::AddByte(uint8_t Byte) {
  FInRun = true;
  // Control characters in text are noise from the writer; a tab is text.
  if (Byte < 0x20 && Byte != '\t') return;
  FBytes.push_back(static_cast<char>(Byte));
}

// As AddByte for each, with the runs between control characters appended whole.
void TRtfReader::AddBytes(std::string_view Bytes) {
  FInRun = true;
  for (size_t At = 0; At < Bytes.size();) {
    size_t End = At;
    while (End < Bytes.size() && (static_cast<uint8_t>(Bytes[End]) >= 0x20 || Bytes[End] == '\t'))
      ++End;
    FBytes.append(Bytes.data() + At, End - At);
    At = End + 1;
  }
}

void TRtfReader::FlushBytes() {
  if (!FInRun) return;
  FInRun = false;
  std::string Utf8 = FDecoder.Decode(CodePage(), FBytes);
  FBytes.clear();
  Emit(Utf8);
}

void TRtfReader::Unicode(int32_t Param) {
  int64_t Value = Param < 0 ? int64_t{Param} + 65536 : Param;
  FSkip = FGroups.back().Uc;
  if (Value >= 0xD800 && Value <= 0xDBFF) {
    FlushSurrogate();
    FHighSurrogate = static_cast<char16_t>(Value);
  } else if (Value >= 0xDC00 && Value <= 0xDFFF) {
    char32_t Char = 0xFFFD;
    if (FHighSurrogate != 0) {
      Char = 0x10000 + ((static_cast<char32_t>(FHighSurrogate) - 0xD800) << 10) +
             (static_cast<char32_t>(Value) - 0xDC00);
    }
    FHighSurrogate = 0;
    EmitChar(Char);
  } else {
    FlushSurrogate();
    EmitChar(Value < 0 || Value > 0x10FFFF ? 0xFFFD : static_cast<char32_t>(Value));
  }
}

void TRtfReader::FlushSurrogate() {
  if (FHighSurrogate == 0) return;
  FHighSurrogate = 0;
  EmitChar(0xFFFD);
}

void TRtfReader::EmitChar(char32_t C) {
  if (C == 0) return;
  std::string Utf8;
  AppendUtf8(Utf8, C);
  Emit(Utf8);
}

void TRtfReader::Emit(std::string_view Utf8) {
  if (!FGroups.empty() && FGroups.back().Table != TTable::None) return TableText(Utf8);
  FHandler.Text(*this, Utf8);
}

void TRtfReader::TableText(std::string_view Utf8) {
  for (char C : Utf8) {
    if (FGroups.back().Table == TTable::Colors) {
      if (C == ';') CommitColor();
    } else if (FFont && !FFontNameDone) {
      if (C == ';') {
        FFontNameDone = true;
      } else {
        FFont->second.Name.push_back(C);
      }
    }
  }
}

void TRtfReader::CommitFont() {
  if (!FFont) return;
  TRtfFont& Font = FFont->second;
  size_t Begin = Font.Name.find_first_not_of(' ');
  size_t End = Font.Name.find_last_not_of(' ');
  Font.Name = Begin == std::string::npos ? "" : Font.Name.substr(Begin, End - Begin + 1);
  FDocument.Fonts.emplace(FFont->first, std::move(Font));
  FFont.reset();
}

void TRtfReader::CommitColor() {
  FDocument.Colors.push_back(FColor);
  FColor = TRtfColor();
}
