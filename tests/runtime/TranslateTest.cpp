#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "notesapi/osmisc.h"

namespace {

constexpr char Canary = '\x5A';

// Runs one translation into a buffer of exactly Limit bytes followed by canaries.
std::string Translate(WORD Mode, const std::string& In, size_t Limit = 65535) {
  std::vector<char> out(Limit + 8, Canary);
  WORD written = OSTranslate(Mode, In.data(), static_cast<WORD>(In.size()), out.data(),
                             static_cast<WORD>(Limit));
  EXPECT_LE(written, Limit);
  for (size_t i = Limit; i < out.size(); ++i) EXPECT_EQ(out[i], Canary) << "overrun at " << i;
  return std::string(out.data(), written);
}

std::string ToLmbcs(const std::string& Utf8, size_t Limit = 65535) {
  return Translate(OS_TRANSLATE_NATIVE_TO_LMBCS, Utf8, Limit);
}

std::string ToNative(const std::string& Lmbcs, size_t Limit = 65535) {
  return Translate(OS_TRANSLATE_LMBCS_TO_NATIVE, Lmbcs, Limit);
}

}  // namespace

TEST(Translate, LatinUsesGroupOneBytesAndOtherScriptsAndUtf16RoundTrip) {
  std::string lmbcs = ToLmbcs("Grüße");
  EXPECT_EQ(lmbcs,
            "Gr\x81\xE1"
            "e");
  EXPECT_EQ(ToNative(lmbcs), "Grüße");
  EXPECT_EQ(Translate(OS_TRANSLATE_LMBCS_TO_UTF8, lmbcs), "Grüße");
  EXPECT_EQ(Translate(OS_TRANSLATE_UTF8_TO_LMBCS, "Grüße"), lmbcs);
  std::string lines("a\0b\0\0ü", 7);  // NULs separate lines and pass unchanged
  EXPECT_EQ(ToLmbcs(lines), std::string("a\0b\0\0\x81", 6));
  EXPECT_EQ(ToNative(ToLmbcs(lines)), lines);
  for (std::string text :
       {"Привет, мир", "Καλημέρα κόσμε", "中文テキスト한국어", "mixed: ü Ж Ω 中 😀"}) {
    std::string lmbcs = ToLmbcs(text);
    EXPECT_NE(lmbcs, text);
    EXPECT_EQ(ToNative(lmbcs), text);
  }
  EXPECT_EQ(ToLmbcs("Ж").substr(0, 1), "\x05");  // the Cyrillic group
  std::u16string expected = u"aü中";
  std::string utf16 = Translate(OS_TRANSLATE_LMBCS_TO_UNICODE, ToLmbcs("aü中"));
  ASSERT_EQ(utf16.size(), expected.size() * 2);
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(utf16.data()), 3), expected);
  EXPECT_EQ(Translate(OS_TRANSLATE_UNICODE_TO_LMBCS, utf16), ToLmbcs("aü中"));
  // An odd last byte is half a unit and is dropped.
  EXPECT_EQ(Translate(OS_TRANSLATE_UNICODE_TO_LMBCS, utf16 + "x"), ToLmbcs("aü中"));
  EXPECT_EQ(Translate(OS_TRANSLATE_LMBCS_TO_UNICODE, ToLmbcs("aü"), 3).size(), 2u);
}

TEST(Translate, TheLongestInputIsHandledAndOutputLimitsCutAtCharacters) {
  std::string ascii(65535, 'a');
  EXPECT_EQ(ToLmbcs(ascii), ascii);
  EXPECT_EQ(ToNative(ascii), ascii);
  // 65,535 LMBCS bytes of "ü" need 131,070 UTF-8 bytes: the output stops at a whole character.
  std::string umlauts(65535, '\x81');
  std::string native = ToNative(umlauts), expected;
  for (int i = 0; i < 32767; ++i) expected += "ü";
  EXPECT_EQ(native, expected);
  EXPECT_EQ(ToLmbcs(native), std::string(32767, '\x81'));
  EXPECT_EQ(ToNative("\x81\x81\x81", 5), "üü");
  EXPECT_EQ(ToLmbcs("中中", 5), ToLmbcs("中"));
  EXPECT_EQ(ToLmbcs("中中", 2), "");
  // A character outside the BMP is two UTF-16 units; neither half may be written alone.
  std::string emoji = ToLmbcs("😀");
  EXPECT_EQ(ToLmbcs("😀", emoji.size() - 1), "");
  EXPECT_EQ(ToNative(emoji, 3), "");
  EXPECT_EQ(ToNative(emoji, 4), "😀");
  EXPECT_EQ(ToLmbcs("abc", 2), "ab");
  EXPECT_EQ(ToLmbcs("abc", 0), "");
}

// A truncated last character is dropped; invalid input is substituted. Random bytes through every
// mode and small limits: no overrun (the canaries), no crash.
TEST(Translate, TruncatedInvalidAndArbitraryBytesAreSurvived) {
  EXPECT_EQ(ToLmbcs("a\xC3"), "a");
  EXPECT_EQ(ToLmbcs("a\xE4\xB8"), "a");
  EXPECT_EQ(ToNative("a\x05"), "a");
  EXPECT_EQ(ToNative("a\x10\x92"), "a");
  std::string native = ToNative("a\x10\xFF\xFFz");
  EXPECT_EQ(native.front() + std::string(1, native.back()), "az");
  std::string lmbcs = ToLmbcs("a\xFF\xFEz");
  EXPECT_EQ(lmbcs.front() + std::string(1, lmbcs.back()), "az");
  EXPECT_GT(lmbcs.size(), 2u);
  std::mt19937 random(20240601);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 300; ++round) {
    std::string in(static_cast<size_t>(round % 40), '\0');
    for (char& c : in) c = static_cast<char>(byte(random));
    for (WORD mode : {0, 1, 3, 4, 5, 20, 22, 23, 24})
      Translate(mode, in, static_cast<size_t>(round % 13));
  }
  // An unknown mode or missing buffers write nothing.
  EXPECT_EQ(Translate(99, "abc"), "");
  char out[4];
  EXPECT_EQ(OSTranslate(OS_TRANSLATE_NATIVE_TO_LMBCS, nullptr, 3, out, 4), 0);
  EXPECT_EQ(OSTranslate(OS_TRANSLATE_NATIVE_TO_LMBCS, "abc", 3, nullptr, 4), 0);
}

TEST(Translate, CaseAndAccentTables) {
  EXPECT_EQ(ToNative(Translate(OS_TRANSLATE_LOWER_TO_UPPER, ToLmbcs("grüße, мир"))), "GRÜSSE, МИР");
  EXPECT_EQ(ToNative(Translate(OS_TRANSLATE_UPPER_TO_LOWER, ToLmbcs("ÄBC Ω"))), "äbc ω");
  EXPECT_EQ(ToNative(Translate(OS_TRANSLATE_UNACCENT, ToLmbcs("Café Noël"))), "Cafe Noel");
}

// The plain-ASCII shortcut must give exactly what the converter gives.
TEST(Translate, AsciiShortcutMatchesTheConverter) {
  std::u16string all;
  std::string native;
  for (char16_t c = 0; c < 0x80; ++c) {
    all.push_back(c);
    native.push_back(static_cast<char>(c));
  }
  std::string viaUtf16(reinterpret_cast<const char*>(all.data()), all.size() * 2);
  std::string lmbcs = Translate(OS_TRANSLATE_UNICODE_TO_LMBCS, viaUtf16);
  EXPECT_EQ(ToLmbcs(native), lmbcs);
  EXPECT_EQ(ToNative(lmbcs), native);
}
