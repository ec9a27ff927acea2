#include "note/ItemText.h"

#include <algorithm>
#include <charconv>

#include "core/EStatus.h"
#include "note/CdRecords.h"
#include "note/ItemValue.h"
#include "notesapi/editods.h"
#include "notesapi/misc.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsfdata.h"
#include "storage/StoredValue.h"
#include "text/DateTimeText.h"
#include "text/LmbcsCodec.h"

namespace notesrt {

namespace {

std::string NumberText(NUMBER Number) {
  char text[32];
  auto result = std::to_chars(text, text + sizeof text, Number);
  return std::string(text, result.ptr);
}

// In the regional settings of the calling thread's locale, as the client's text of a time is.
std::string TimeText(const TIMEDATE& Time, const TRegionalSettings& Settings) {
  return LmbcsOf(DateTimeText(Time, Settings).value_or(u""));
}

// A RANGE of fixed-size elements: the listed ones, then the pairs as "lower - upper".
template <class T, class TFormat>
std::string RangeText(std::string_view Data, char Separator, TFormat&& Format) {
  size_t list = ReadAt<WORD>(Data, 0), pairs = ReadAt<WORD>(Data, sizeof(WORD));
  if (Data.size() < sizeof(RANGE) + (list + 2 * pairs) * sizeof(T)) return "";
  std::string text;
  size_t offset = sizeof(RANGE);
  for (size_t index = 0; index < list + pairs; ++index) {
    if (index > 0) text += Separator;
    text += Format(ReadAt<T>(Data, offset));
    offset += sizeof(T);
    if (index < list) continue;
    text += " - " + Format(ReadAt<T>(Data, offset));
    offset += sizeof(T);
  }
  return text;
}

// The text of rich-text records, as ValueToText gives it. HasLines: a paragraph or a run was
// met, so the text holds at least one (maybe empty) line.
struct TRichText {
  std::string Text;
  bool HasLines = false;
  bool Damaged = false;
};

TRichText RichTextOf(std::string_view Data) {
  TRichText rich;
  // The runs are most of the records' bytes: one allocation instead of a doubling series.
  rich.Text.reserve(Data.size());
  TCdReader reader(Data);
  for (TCdRecord record; reader.Next(record);) {
    if (record.Signature == SIG_CD_PARAGRAPH) {
      if (rich.HasLines) rich.Text += '\0';
      rich.HasLines = true;
    } else if (record.Signature == SIG_CD_TEXT && record.Length >= sizeof(CDTEXT)) {
      rich.Text.append(Data.substr(record.Offset + sizeof(CDTEXT), record.Length - sizeof(CDTEXT)));
      rich.HasLines = true;
    }
  }
  rich.Damaged = reader.Damaged();
  return rich;
}

// The bytes of the LMBCS character that Lead starts: group bytes other than tab, LF and CR carry
// one data byte, the double-byte and Unicode groups two.
size_t LmbcsCharacterSize(unsigned char Lead) {
  if (Lead >= 0x20 || Lead == 0x00 || Lead == '\t' || Lead == '\n' || Lead == '\r') return 1;
  return Lead >= 0x10 && Lead <= 0x14 ? 3 : 2;
}

constexpr size_t TabWidth = 8;

// One line (no NUL inside) broken to the layout, each piece ended by the delimiter.
void AppendLine(std::string_view Line, const TLineLayout& Layout, std::string& Out) {
  auto end = [&] {
    if (Layout.Delimiter.empty())
      Out += '\0';
    else
      Out += Layout.Delimiter;
  };
  // Most lines fit as they are: no tab to strip or widen, no more bytes than the limit.
  const bool fits = Layout.CharsPerLine == 0 || Line.size() <= Layout.CharsPerLine;
  if (fits && Line.find('\t') == std::string_view::npos) {
    Out += Line;
    end();
    return;
  }
  std::string piece;
  size_t width = 0;
  size_t lastBlank = std::string::npos;  // in piece, the byte after the last blank
  size_t widthAtBlank = 0;
  for (size_t at = 0; at < Line.size();) {
    const auto lead = static_cast<unsigned char>(Line[at]);
    const size_t size = std::min(LmbcsCharacterSize(lead), Line.size() - at);
    const bool tab = lead == '\t';
    at += size;
    if (tab && Layout.StripTabs) continue;
    const size_t characterWidth = tab ? TabWidth : 1;
    if (Layout.CharsPerLine > 0 && width + characterWidth > Layout.CharsPerLine && width > 0) {
      const bool atBlank = lastBlank != std::string::npos;
      const size_t cut = atBlank ? lastBlank : piece.size();
      Out.append(piece, 0, cut);
      end();
      piece.erase(0, cut);
      width = atBlank ? width - widthAtBlank : 0;
      lastBlank = std::string::npos;
    }
    piece.append(Line.substr(at - size, size));
    width += characterWidth;
    if (lead == ' ') {
      lastBlank = piece.size();
      widthAtBlank = width;
    }
  }
  Out += piece;
  end();
}

// Every line of Text, the one after its last NUL too.
std::string LaidOutLines(std::string_view Text, const TLineLayout& Layout) {
  std::string out;
  out.reserve(Text.size() + Text.size() / 16);
  for (size_t start = 0;;) {
    const size_t nul = std::min(Text.find('\0', start), Text.size());
    AppendLine(Text.substr(start, nul - start), Layout, out);
    if (nul == Text.size()) return out;
    start = nul + 1;
  }
}

}  // namespace

std::string ListText(std::string_view Data, std::string_view Separator) {
  std::string text;
  size_t count = TextEntryCount(TYPE_TEXT_LIST, Data);
  for (size_t index = 0; index < count; ++index) {
    if (index > 0) text += Separator;
    text += TextEntry(TYPE_TEXT_LIST, Data, index).value_or("");
  }
  return text;
}

std::string ValueToText(WORD Type, std::string_view Data, char Separator) {
  if (Separator == '\0') Separator = ';';
  switch (Type) {
    case TYPE_TEXT:
      return std::string(Data);
    case TYPE_TEXT_LIST:
      return ListText(Data, std::string_view(&Separator, 1));
    case TYPE_NUMBER:
      return Data.size() >= sizeof(NUMBER) ? NumberText(ReadAt<NUMBER>(Data, 0)) : "";
    case TYPE_NUMBER_RANGE:
      return RangeText<NUMBER>(Data, Separator, NumberText);
    case TYPE_TIME:
      return Data.size() >= sizeof(TIMEDATE)
                 ? TimeText(ReadAt<TIMEDATE>(Data, 0), CurrentRegionalSettings())
                 : "";
    case TYPE_TIME_RANGE: {
      TRegionalSettings settings = CurrentRegionalSettings();
      return RangeText<TIMEDATE>(Data, Separator,
                                 [&](const TIMEDATE& Time) { return TimeText(Time, settings); });
    }
    case TYPE_COMPOSITE:
      return RichTextOf(Data).Text;
    default:
      return "";
  }
}

std::string ValueLines(WORD Type, std::string_view Data, const TLineLayout& Layout) {
  if (Type != TYPE_COMPOSITE) return Data.empty() ? "" : LaidOutLines(Data, Layout);
  TRichText rich = RichTextOf(Data);
  if (rich.Damaged) throw EStatus(ERR_NOTESRT_RICH_TEXT_DAMAGED);
  return rich.HasLines ? LaidOutLines(rich.Text, Layout) : "";
}

}  // namespace notesrt
