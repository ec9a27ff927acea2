#include "search/formula/TextTools.h"

#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace notesrt {

namespace {

icu::UnicodeString Unicode(std::u16string_view Text) {
  return icu::UnicodeString(Text.data(), static_cast<int32_t>(Text.size()));
}

std::u16string Plain(const icu::UnicodeString& Text) {
  return std::u16string(Text.getBuffer(), static_cast<size_t>(Text.length()));
}

}  // namespace

std::u16string AsciiUpper(std::u16string_view Text) {
  std::u16string upper(Text);
  for (char16_t& c : upper)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  return upper;
}

std::u16string TrimBlanks(std::u16string_view Text) {
  size_t begin = 0;
  size_t end = Text.size();
  while (begin < end && u_isUWhiteSpace(Text[begin])) ++begin;
  while (end > begin && u_isUWhiteSpace(Text[end - 1])) --end;
  return std::u16string(Text.substr(begin, end - begin));
}

std::u16string UpperCase(std::u16string_view Text) {
  return Plain(Unicode(Text).toUpper(icu::Locale::getRoot()));
}

std::u16string LowerCase(std::u16string_view Text) {
  return Plain(Unicode(Text).toLower(icu::Locale::getRoot()));
}

std::u16string ProperCase(std::u16string_view Text) {
  // A null break iterator means words as ICU's word break rules find them.
  return Plain(Unicode(Text).toTitle(nullptr, icu::Locale::getRoot()));
}

}  // namespace notesrt
