#include "search/formula/FormulaText.h"

#include <algorithm>

#include "text/LmbcsCodec.h"

namespace notesrt {

std::u16string TextOfItem(std::string_view Lmbcs) {
  std::u16string text = TextOfLmbcs(Lmbcs);
  std::replace(text.begin(), text.end(), u'\0', u'\n');
  return text;
}

// A CR LF pair is one line break.
std::string ItemOfText(std::u16string_view Text) {
  std::u16string lines;
  lines.reserve(Text.size());
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == u'\r' && i + 1 < Text.size() && Text[i + 1] == u'\n') continue;
    lines.push_back(Text[i] == u'\n' ? u'\0' : Text[i]);
  }
  return LmbcsOf(lines);
}

}  // namespace notesrt
