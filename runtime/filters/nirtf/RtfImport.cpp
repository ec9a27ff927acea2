#include "RtfImport.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "LmbcsText.h"
#include "NotesColors.h"
#include "PictureRecords.h"
#include "PlainText.h"

namespace nirtf {

namespace {

// Deeper nesting than this is no writer's; the groups past it share the state of the last.
constexpr size_t MaxDepth = 1000;
// A style sheet entry's formatting words kept, for the styles based on it.
constexpr size_t MaxStyleWords = 256;

bool IsListNumber(std::string_view Marker) {
  if (std::any_of(Marker.begin(), Marker.end(),
                  [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
    return true;
  // "a." or "iv)": letters ended by a full stop or a parenthesis.
  const size_t end = Marker.find_last_not_of(" \t");
  if (end == std::string_view::npos || end == 0 || (Marker[end] != '.' && Marker[end] != ')'))
    return false;
  const std::string_view letters = Marker.substr(0, end);
  return std::all_of(letters.begin(), letters.end(), [](char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == ' ';
  });
}

// The bytes of a picture's hexadecimal data; whatever is not a hex digit is passed over, a last
// lone digit dropped.
std::string HexBytes(std::string_view Hex) {
  std::string bytes;
  bytes.reserve(Hex.size() / 2);
  int high = -1;
  for (char c : Hex) {
    const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                      : c >= 'a' && c <= 'f'                      ? c - 'a' + 10
                      : c >= 'A' && c <= 'F'                      ? c - 'A' + 10
                                                                  : -1;
    if (digit < 0) continue;
    if (high < 0) {
      high = digit;
    } else {
      bytes.push_back(static_cast<char>(high << 4 | digit));
      high = -1;
    }
  }
  return bytes;
}

// The target of a HYPERLINK field's instruction, "" for any other field: the first argument,
// quoted or not, with a \l bookmark as its fragment.
std::string HyperlinkTarget(std::string_view Instruction) {
  // A quoted word is an argument even when it starts with a backslash (a UNC path).
  struct TWord {
    std::string Text;
    bool Quoted;
  };
  std::vector<TWord> words;
  for (size_t at = 0; at < Instruction.size();) {
    at = Instruction.find_first_not_of(" \t\r\n", at);
    if (at == std::string_view::npos) break;
    size_t end;
    if (Instruction[at] == '"') {
      // A field's argument escapes its quotes and backslashes with a backslash.
      std::string word;
      for (++at; at < Instruction.size() && Instruction[at] != '"'; ++at) {
        if (Instruction[at] == '\\' && at + 1 < Instruction.size() &&
            (Instruction[at + 1] == '"' || Instruction[at + 1] == '\\'))
          ++at;
        word += Instruction[at];
      }
      words.push_back({std::move(word), true});
      ++at;
    } else {
      end = Instruction.find_first_of(" \t\r\n", at);
      words.push_back(
          {std::string(Instruction.substr(at, end == std::string_view::npos ? end : end - at)),
           false});
      at = end == std::string_view::npos ? Instruction.size() : end;
    }
  }
  if (words.empty()) return {};
  std::string field = words[0].Text;
  std::transform(field.begin(), field.end(), field.begin(),
                 [](unsigned char c) { return std::toupper(c); });
  if (field != "HYPERLINK") return {};
  std::string url, bookmark;
  for (size_t i = 1; i < words.size(); ++i) {
    const std::string& word = words[i].Text;
    if (words[i].Quoted || !word.starts_with('\\')) {
      if (url.empty()) url = word;
    } else if (word == "\\l" && i + 1 < words.size()) {
      bookmark = words[++i].Text;
    } else if (word == "\\o" || word == "\\t") {
      ++i;  // their argument is no target
    }
  }
  std::string target = bookmark.empty() ? url : url + "#" + bookmark;
  // A quote cannot stand in a field's argument: URLs carry it encoded.
  for (size_t quote; (quote = target.find('"')) != std::string::npos;)
    target.replace(quote, 1, "%22");
  return target;
}

}  // namespace

TRtfImport::TRtfImport() : FGroups(1) {}

bool TRtfImport::KnowsDestination(std::string_view Word) {
  // A field's instruction and the picture a newer reader shows are read; {\*\pn} too, for the
  // list's kind, and character styles. Everything else starred (\htmltag among them) is skipped.
  return Word == "fldinst" || Word == "shppict" || Word == "pn" || Word == "cs" ||
         Word == "listtable" || Word == "listoverridetable";
}

void TRtfImport::Token(const TRtfReader& Reader, const TRtfToken& Token, TRtfRole Role) {
  FReader = &Reader;
  if (Role == TRtfRole::Group)
    return Token.Kind == TRtfTokenKind::GroupOpen ? OpenGroup() : CloseGroup();
  if (Role == TRtfRole::Text && Top().Part == TPart::Picture) {
    if (Token.Kind == TRtfTokenKind::Text) Top().Picture.Hex += Token.Value;
    return;
  }
  if (Role == TRtfRole::Binary && Token.Kind == TRtfTokenKind::Binary) {
    if (Top().Part == TPart::Picture) Top().Picture.Binary += Token.Value;
    return;
  }
  if (Role != TRtfRole::Control || Token.Kind != TRtfTokenKind::ControlWord) return;
  const bool first = Top().First;
  Top().First = false;
  if (first) {
    Top().Hidden = Reader.Hidden();
    Top().ShapePicture = Top().ShapePicture || Token.Value == "shppict";
  }
  if (first && (Token.Value == "field" || Token.Value == "fldinst" || Token.Value == "fldrslt" ||
                Token.Value == "pict" || Token.Value == "listtext" || Token.Value == "pntext" ||
                Token.Value == "pn" || Token.Value == "nonshppict" || Token.Value == "stylesheet" ||
                Token.Value == "listtable" || Token.Value == "listoverridetable"))
    return EnterDestination(Token.Value);
  Control(Reader, Token);
}

void TRtfImport::Text(const TRtfReader& Reader, std::string_view Utf8) {
  FReader = &Reader;
  TGroup& group = Top();
  if (group.Part == TPart::FieldInstruction) {
    if (!FInstructions.empty()) FInstructions.back() += Utf8;
    return;
  }
  if (group.Part == TPart::ListMarker) {
    group.Marker += Utf8;
    return;
  }
  if (group.Part == TPart::Dropped || group.Part == TPart::Picture || Reader.Hidden() ||
      group.Char.Hidden)
    return;
  const std::string text = notesfilter::WithoutControls(Utf8, true);
  if (text.empty()) return;
  if (group.Link >= 0 && !FLinks[group.Link].Begun) {
    FBody.BeginLink(FLinks[group.Link].Url, group.Para, FRow);
    FLinks[group.Link].Begun = true;
  }
  FBody.Text(CurrentFont(Reader), text, group.Para, FRow);
}

void TRtfImport::Finish(notesfilter::TCdFileWriter& Out) {
  while (FGroups.size() > 1) CloseGroup();
  const std::string body = FBody.Finish();
  FFaces.Write(Out);
  Out.AddRecords(body);
}

void TRtfImport::OpenGroup() {
  if (FGroups.size() >= MaxDepth) {
    ++FOverflow;
    return;
  }
  TGroup inner = Top();
  inner.First = true;
  inner.Marker.clear();
  inner.ListKind = 0;
  inner.Picture = TPictureData();
  // A link's result goes on in its inner groups; only the result's own group ends it.
  inner.OwnsLink = false;
  inner.StyleKey.clear();
  inner.StyleWords.clear();
  inner.BasedOn = -1;
  if (inner.Part == TPart::Field) inner.Part = TPart::Body;
  FGroups.push_back(std::move(inner));
}

void TRtfImport::CloseGroup() {
  if (FOverflow > 0) {
    --FOverflow;
    return;
  }
  if (FGroups.size() <= 1) return;
  TGroup closed = std::move(FGroups.back());
  FGroups.pop_back();
  switch (closed.Part) {
    case TPart::Field:
      if (!FInstructions.empty()) FInstructions.pop_back();
      break;
    case TPart::ListMarker:
      EndListMarker(closed);
      break;
    case TPart::StyleSheet:
      EndStyle(closed);
      break;
    case TPart::Picture:
      if (Top().Part != TPart::Picture && Top().Part != TPart::Dropped &&
          (!Top().Hidden || Top().ShapePicture))
        AddPicture(closed.Picture);
      break;
    default:
      break;
  }
  if (closed.OwnsLink) EndLink();
}

// A list marker's paragraph is a numbered list when the list table or the marker's words say so
// or its text is a number ("1.", "a)", "iv."), else a bulleted one.
void TRtfImport::EndListMarker(const TGroup& Marker) {
  TGroup& outer = Top();
  if (outer.Part == TPart::ListMarker) {
    outer.Marker += Marker.Marker;
    if (Marker.ListKind) outer.ListKind = Marker.ListKind;
    return;
  }
  // The list table, where it names the paragraph's list, says more than a marker.
  WORD kind = FLists.Kind(outer.Para.ListOverride, outer.Para.ListLevel);
  if (!kind) kind = Marker.ListKind;
  if (!kind && !Marker.Marker.empty())
    kind = IsListNumber(Marker.Marker) ? PABFLAG_NUMBEREDLIST : PABFLAG_BULLET;
  if (kind) outer.Para.ListFlags = kind;
}

void TRtfImport::EnterDestination(std::string_view Word) {
  TGroup& group = Top();
  if (group.Part == TPart::Dropped) return;
  if (Word == "nonshppict") {
    group.Part = TPart::Dropped;
  } else if (Word == "field") {
    group.Part = TPart::Field;
    FInstructions.emplace_back();
  } else if (Word == "fldinst") {
    group.Part = TPart::FieldInstruction;
  } else if (Word == "fldrslt") {
    group.Part = TPart::FieldResult;
    std::string url = FInstructions.empty() ? ""
                                            : notesfilter::WithoutControls(
                                                  HyperlinkTarget(FInstructions.back()), true);
    if (!url.empty()) {
      FLinks.push_back({std::move(url)});
      group.Link = static_cast<int>(FLinks.size() - 1);
      group.OwnsLink = true;
    }
  } else if (Word == "pict") {
    group.Part = TPart::Picture;
  } else if (Word == "stylesheet") {
    group.Part = TPart::StyleSheet;
  } else if (Word == "listtable" || Word == "listoverridetable") {
    group.Part = Word == "listtable" ? TPart::ListTable : TPart::ListOverrides;
  } else {
    group.Part = TPart::ListMarker;
  }
}

void TRtfImport::Control(const TRtfReader& Reader, const TRtfToken& Token) {
  TGroup& group = Top();
  if (group.Part == TPart::Picture) return PictureWord(Token);
  if (group.Part == TPart::ListTable || group.Part == TPart::ListOverrides)
    return FLists.Word(Token, group.Part == TPart::ListOverrides);
  if ((Token.Value == "s" || Token.Value == "cs") && Token.HasParam) return StyleWord(Token);
  if (group.Char.Apply(Token) || group.Para.Apply(Token)) {
    if (group.Part == TPart::StyleSheet && group.StyleWords.size() < MaxStyleWords)
      group.StyleWords.push_back(Token);
    return;
  }
  const std::string_view word = Token.Value;
  if (word == "sbasedon" && group.Part == TPart::StyleSheet) {
    group.BasedOn = Token.Param;
  } else if (word == "ls" || word == "ilvl") {
    ListWord(Token);
  } else if (word == "pnlvlblt") {
    group.ListKind = PABFLAG_BULLET;
  } else if (word == "pnlvlbody" || word == "pndec" || word == "pnucrm" || word == "pnlcrm" ||
             word == "pnucltr" || word == "pnlcltr") {
    group.ListKind = PABFLAG_NUMBEREDLIST;
  }
  if (Reader.Hidden() || group.Part == TPart::Dropped || group.Part == TPart::ListMarker) return;
  if (word == "par" || word == "line" || word == "sect" || word == "page" || word == "nestcell" ||
      word == "nestrow") {
    FBody.ParagraphMark(group.Para, FRow);
  } else if (word == "cell") {
    FBody.CellEnd(group.Para, FRow);
  } else if (word == "row") {
    FBody.RowEnd();
  } else {
    RowWord(Token);
  }
}

// In the style sheet a word that names the entry; elsewhere the style's formatting is applied
// (a paragraph style's to the paragraph and its text, a character style's to the text), to be
// changed by the words after it.
void TRtfImport::StyleWord(const TRtfToken& Token) {
  TGroup& group = Top();
  const std::string key = std::string(Token.Value) + std::to_string(Token.Param);
  if (group.Part == TPart::StyleSheet) {
    if (group.StyleKey.empty()) group.StyleKey = key;
    return;
  }
  const auto style = FStyles.find(key);
  if (style == FStyles.end()) return;
  group.Char = style->second.Char;
  if (Token.Value == "cs") return;
  const bool inTable = group.Para.InTable;
  const WORD list = group.Para.ListFlags;
  group.Para = style->second.Para;
  group.Para.InTable = inTable;
  group.Para.ListFlags = list;
}

// A style sheet entry: its own words over the formatting of the style it is based on, or over
// the formatting around the style sheet.
void TRtfImport::EndStyle(const TGroup& Entry) {
  if (Entry.StyleKey.empty()) return;
  TStyle style{Entry.Char, Entry.Para};
  const std::string kind = Entry.StyleKey.starts_with("cs") ? "cs" : "s";
  const auto base = FStyles.find(kind + std::to_string(Entry.BasedOn));
  if (Entry.BasedOn >= 0 && base != FStyles.end() &&
      kind + std::to_string(Entry.BasedOn) != Entry.StyleKey) {
    style = base->second;
    for (const TRtfToken& word : Entry.StyleWords)
      if (!style.Char.Apply(word)) style.Para.Apply(word);
  }
  FStyles[Entry.StyleKey] = std::move(style);
}

// \ls names a list of the list table, \ilvl its level; a list the tables do not define is a
// bulleted one unless its marker said otherwise.
void TRtfImport::ListWord(const TRtfToken& Token) {
  TParaFormat& para = Top().Para;
  (Token.Value == "ls" ? para.ListOverride : para.ListLevel) = Token.Param;
  if (const WORD kind = FLists.Kind(para.ListOverride, para.ListLevel))
    para.ListFlags = kind;
  else if (Token.Value == "ls" && !para.ListFlags)
    para.ListFlags = PABFLAG_BULLET;
}

// The row definition: \trowd starts it, each \cellx ends a cell's, with the borders and the
// background given before it.
void TRtfImport::RowWord(const TRtfToken& Token) {
  static constexpr std::string_view Sides[4] = {"clbrdrl", "clbrdrr", "clbrdrt", "clbrdrb"};
  const std::string_view word = Token.Value;
  if (word == "trowd") {
    FRow = TRowDefinition();
    FPendingCell = TCellDefinition();
    FPendingSide = -1;
  } else if (word == "trleft") {
    FRow.Left = Token.Param;
  } else if (word == "cellx") {
    FPendingCell.Right = Token.Param;
    if (FRow.Cells.size() < 255) FRow.Cells.push_back(FPendingCell);
    FPendingCell = TCellDefinition();
    FPendingSide = -1;
  } else if (word == "clcbpat") {
    const auto& colors = FReader->Document().Colors;
    const size_t index = static_cast<size_t>(std::max(Token.Param, 0));
    if (index < colors.size() && !colors[index].Auto)
      FPendingCell.Background = notesfilter::NearestNotesColor(
          colors[index].Red, colors[index].Green, colors[index].Blue);
  } else if (auto side = std::find(std::begin(Sides), std::end(Sides), word);
             side != std::end(Sides)) {
    FPendingSide = static_cast<int>(side - std::begin(Sides));
  } else if (FPendingSide >= 0 && word.starts_with("brdr") && word != "brdrw" && word != "brdrcf") {
    const BYTE kind = word == "brdrnone" || word == "brdrnil" ? TABLE_BORDER_NONE
                      : word == "brdrdb"                      ? TABLE_BORDER_DOUBLE
                                                              : TABLE_BORDER_SINGLE;
    const int shift = 2 * FPendingSide;
    FPendingCell.Border = static_cast<BYTE>((FPendingCell.Border & ~(3 << shift)) | kind << shift);
  }
}

void TRtfImport::PictureWord(const TRtfToken& Token) {
  TPictureData& picture = Top().Picture;
  const std::string_view word = Token.Value;
  if (word == "pngblip" || word == "jpegblip") {
    picture.ImageType = word == "pngblip" ? CDIMAGETYPE_PNG : CDIMAGETYPE_JPEG;
  } else if (word == "wmetafile" || word == "emfblip" || word == "dibitmap" || word == "wbitmap" ||
             word == "macpict" || word == "pmmetafile") {
    picture.ImageType = 0;
  } else if (word == "picwgoal") {
    picture.GoalWidth = Token.Param;
  } else if (word == "pichgoal") {
    picture.GoalHeight = Token.Param;
  } else if (word == "picscalex") {
    picture.ScaleX = Token.Param;
  } else if (word == "picscaley") {
    picture.ScaleY = Token.Param;
  }
}

// A PNG or JPEG picture whose bytes are what their header says, unchanged, at the size the
// document gives it (its goal size, scaled), or at its pixels' size. Any other picture, and
// one that is damaged or too large, is left out.
void TRtfImport::AddPicture(const TPictureData& Picture) {
  if (Picture.ImageType == 0) return;
  const std::string data = Picture.Binary.empty() ? HexBytes(Picture.Hex) : Picture.Binary;
  const auto kind = Picture.ImageType == CDIMAGETYPE_PNG ? pictures::TPictureKind::Png
                                                         : pictures::TPictureKind::Jpeg;
  const std::optional<pictures::TPictureInfo> info = pictures::ReadPictureInfo(kind, data);
  if (!info || info->Width > pictures::MaxPictureSide || info->Height > pictures::MaxPictureSide)
    return;
  auto scaled = [](int32_t Goal, int32_t Scale) {
    const int64_t twips = int64_t{std::max(Goal, 0)} * (Scale > 0 ? Scale : 100) / 100;
    return static_cast<uint32_t>(std::min<int64_t>(twips, MAXWORD));
  };
  uint32_t width = scaled(Picture.GoalWidth, Picture.ScaleX);
  uint32_t height = scaled(Picture.GoalHeight, Picture.ScaleY);
  if (width == 0 || height == 0) width = height = 0;
  pictures::AddPicture(FBody.Content(Top().Para, FRow), Picture.ImageType, *info, data, width,
                       height);
}

void TRtfImport::EndLink() {
  const TLink link = std::move(FLinks.back());
  FLinks.pop_back();
  if (!link.Begun && FReader) {
    // A link without text shows its URL.
    FBody.BeginLink(link.Url, Top().Para, FRow);
    FBody.Text(CurrentFont(*FReader), link.Url, Top().Para, FRow);
  }
  FBody.EndLink();
}

FONTID TRtfImport::CurrentFont(const TRtfReader& Reader) {
  const TCharFormat& format = Top().Char;
  const auto& colors = Reader.Document().Colors;
  BYTE color = 0;
  if (format.Color > 0 && static_cast<size_t>(format.Color) < colors.size() &&
      !colors[format.Color].Auto) {
    const TRtfColor& rgb = colors[format.Color];
    color = notesfilter::NearestNotesColor(rgb.Red, rgb.Green, rgb.Blue);
  }
  return MakeFontId(FFaces.FaceOf(Reader.Document(), Reader.Font()), format, color);
}

void RtfToCd(std::string_view Input, FONTID Font, notesfilter::TCdFileWriter& Out) {
  if (!IsRtf(Input)) return notesfilter::AddPlainText(Input, Font, Out);
  TRtfImport import;
  TRtfReader reader(import);
  reader.Read(Input);
  import.Finish(Out);
}

}  // namespace nirtf
