#include <gtest/gtest.h>

#include "Unicode.h"
#include "Variant.h"

namespace {

const std::string Mixed = "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z";  // A é € 😀 z
const std::u16string MixedWide = u"A\u00E9\u20AC\U0001F600z";

TEST(Unicode, RoundTripsEveryPlaneAlsoThroughVariants) {
  EXPECT_EQ(Utf8ToUtf16(Mixed), MixedWide);
  EXPECT_EQ(Utf16ToUtf8(MixedWide), Mixed);
  EXPECT_EQ(Utf8ToUtf16(Mixed).size(), 6u);  // the emoji takes a surrogate pair
  std::string Edges = "\x7F\xDF\xBF\xEF\xBF\xBF\xF4\x8F\xBF\xBF";  // last of each length
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(Edges)), Edges);
  EXPECT_EQ(Utf8ToUtf16(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
  EXPECT_EQ(TVariant(Mixed).AsWideString(), MixedWide);
  EXPECT_EQ(TVariant(MixedWide).AsString(), Mixed);
  EXPECT_EQ(TVariant(3).AsWideString(), u"3");
}

TEST(Unicode, IllFormedUtf8AndLoneSurrogatesBecomeReplacementCharacters) {
  struct TCase {
    std::string Input;
    std::u16string Expected;
  };
  const TCase Cases[] = {
      {"\x80", u"\uFFFD"},                                // stray continuation byte
      {"a\xC3", u"a\uFFFD"},                              // truncated at the end
      {"\xC0\xAF", u"\uFFFD\uFFFD"},                      // overlong form of "/"
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},            // encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
      {"\xE2\x82x", u"\uFFFDx"},                          // a truncated sequence is one character
      {"\xFF\xFEok", u"\uFFFD\uFFFDok"},
  };
  for (const TCase& Case : Cases) EXPECT_EQ(Utf8ToUtf16(Case.Input), Case.Expected);
  std::u16string High(1, char16_t(0xD83D));
  std::u16string Low(1, char16_t(0xDE00));
  EXPECT_EQ(Utf16ToUtf8(High + u"x"), "\xEF\xBF\xBDx");
  EXPECT_EQ(Utf16ToUtf8(Low + High), "\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(Utf16ToUtf8(u"x" + High), "x\xEF\xBF\xBD");
}

}  // namespace
