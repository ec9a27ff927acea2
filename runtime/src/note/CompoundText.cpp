#include "note/CompoundText.h"

#include <utility>
#include <vector>

#include "note/PlainRichText.h"

namespace notesrt {

namespace {

// Without paragraph flags a paragraph ends at the first line end after this much text.
constexpr size_t ParagraphTarget = 10 * 1024;

// "\r\n" stands for every line end: CR LF, LF CR, LF or CR alone.
size_t LineEndSize(std::string_view Text, size_t At) {
  const char pair = Text[At] == '\r' ? '\n' : '\r';
  return At + 1 < Text.size() && Text[At + 1] == pair ? 2 : 1;
}

// Text cut into lines at Delimiter; a delimiter at the very end starts no line.
std::vector<std::string_view> LinesOf(std::string_view Text, std::string_view Delimiter) {
  const bool anyLineEnd = Delimiter == "\r\n";
  std::vector<std::string_view> lines;
  for (size_t start = 0; start < Text.size();) {
    size_t end = std::string_view::npos;
    if (anyLineEnd)
      end = Text.find_first_of("\r\n", start);
    else if (!Delimiter.empty())
      end = Text.find(Delimiter, start);
    lines.push_back(Text.substr(start, end - start));
    if (end == std::string_view::npos) break;
    start = end + (anyLineEnd ? LineEndSize(Text, end) : Delimiter.size());
  }
  return lines;
}

bool StartsParagraph(DWORD Flags, std::string_view PreviousLine, size_t ParagraphSize) {
  if (Flags & COMP_PARA_LINE) return true;
  if (Flags & COMP_PARA_BLANK_LINE) return PreviousLine.empty();
  if (Flags & COMP_PRESERVE_LINES) return false;
  return ParagraphSize >= ParagraphTarget;
}

}  // namespace

TCompoundText::TCompoundText(NOTEHANDLE Note, std::string ItemName)
    : FNote(Note), FItemName(std::move(ItemName)), FRecords(PlainStyle()) {}

void TCompoundText::AddText(std::string_view Text, FONTID Font, std::string_view Delimiter,
                            DWORD Flags) {
  const std::vector<std::string_view> lines = LinesOf(Text, Delimiter);
  std::string paragraph;
  for (size_t index = 0; index < lines.size(); ++index) {
    if (index > 0 && StartsParagraph(Flags, lines[index - 1], paragraph.size())) {
      AppendPlainParagraph(FRecords, paragraph, Font);
      paragraph.clear();
    } else if (index > 0) {
      paragraph += '\0';
    }
    paragraph += lines[index];
  }
  if (!lines.empty()) AppendPlainParagraph(FRecords, paragraph, Font);
}

}  // namespace notesrt
