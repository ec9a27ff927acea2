#include "PlainText.h"

#include <string>

#include "LmbcsText.h"
#include "RtfCodePage.h"

namespace notesfilter {

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

void AddPlainText(std::string_view Bytes, FONTID Font, TCdFileWriter& Out) {
  std::string text = Utf8OrCp1252(Bytes);
  std::string_view rest = text;
  if (rest.starts_with(ByteOrderMark)) rest.remove_prefix(ByteOrderMark.size());
  for (bool first = true; !rest.empty(); first = false) {
    const size_t end = rest.find_first_of("\r\n");
    if (!first) Out.AddParagraph();
    Out.AddText(Font, WithoutControls(rest.substr(0, end), true));
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + (rest.substr(end).starts_with("\r\n") ? 2 : 1));
  }
}

}  // namespace notesfilter
