#include "PlainText.h"

#include <string>

#include "RtfCodePage.h"

namespace notesfilter {

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// C0 controls but the tab would read as LMBCS group bytes or line breaks.
std::string WithoutControls(std::string_view Line) {
  std::string kept;
  kept.reserve(Line.size());
  for (char c : Line)
    if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') kept.push_back(c);
  return kept;
}

}  // namespace

void AddPlainText(std::string_view Bytes, FONTID Font, TCdFileWriter& Out) {
  std::string text = Utf8OrCp1252(Bytes);
  std::string_view rest = text;
  if (rest.starts_with(ByteOrderMark)) rest.remove_prefix(ByteOrderMark.size());
  for (bool first = true; !rest.empty(); first = false) {
    const size_t end = rest.find_first_of("\r\n");
    if (!first) Out.AddParagraph();
    Out.AddText(Font, WithoutControls(rest.substr(0, end)));
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + (rest.substr(end).starts_with("\r\n") ? 2 : 1));
  }
}

}  // namespace notesfilter
