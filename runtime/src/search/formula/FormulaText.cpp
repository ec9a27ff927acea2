#include "search/formula/FormulaText.h"

#include <algorithm>

#include "text/LmbcsCodec.h"

namespace notesrt {

namespace {

bool IsAscii(std::u16string_view Text) {
  return std::all_of(Text.begin(), Text.end(), [](char16_t c) { return c < 0x80; });
}

}  // namespace

// ASCII is the same in both and by far the most common, so it skips the converter.
std::string LmbcsOf(std::u16string_view Text) {
  if (IsAscii(Text)) return std::string(Text.begin(), Text.end());
  std::string bytes(Text.size() * 4, '\0');
  bytes.resize(TLmbcsCodec::Shared().Encode(Text, bytes.data(), bytes.size()));
  return bytes;
}

std::u16string TextOfLmbcs(std::string_view Lmbcs) {
  if (TLmbcsCodec::IsPlainAscii(Lmbcs)) return std::u16string(Lmbcs.begin(), Lmbcs.end());
  return TLmbcsCodec::Shared().Decode(Lmbcs);
}

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
