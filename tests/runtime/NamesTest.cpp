// Names in their canonical and abbreviated forms, the current user, and text translated between
// LMBCS and the other character sets.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "StorageFixture.h"
#include "notesapi/dname.h"
#include "notesapi/kfm.h"
#include "notesapi/miscerr.h"
#include "notesapi/names.h"
#include "notesapi/notesrt.h"
#include "notesapi/osenv.h"
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

struct TCase {
  const char* In;
  const char* Out;
  const char* Template = nullptr;
};

using TConvert = STATUS (*)(DWORD, const char*, const char*, char*, WORD, WORD*);

// The status and the text written; the length given back is checked against the text.
struct TResult {
  STATUS Status;
  std::string Text;
  bool operator==(const TResult&) const = default;
  friend void PrintTo(const TResult& R, std::ostream* Out) {
    *Out << "status " << R.Status << " \"" << R.Text << "\"";
  }
};

// Converts into a buffer of Size bytes followed by canaries, which must stay untouched.
TResult Convert(TConvert Function, const std::string& Name, WORD Size = MAXUSERNAME + 1,
                const char* Template = nullptr) {
  std::vector<char> out(Size + 8u, Canary);
  WORD length = 0xFFFF;
  STATUS status = Function(0, Template, Name.c_str(), out.data(), Size, &length);
  for (size_t at = Size; at < out.size(); ++at) EXPECT_EQ(out[at], Canary) << "overrun at " << at;
  EXPECT_EQ(std::strlen(out.data()), length);
  return {status, out.data()};
}

std::string Canonicalize(const std::string& Name, const char* Template = nullptr) {
  TResult result = Convert(DNCanonicalize, Name, MAXUSERNAME + 1, Template);
  EXPECT_EQ(result.Status, NOERROR) << Name;
  return result.Text;
}

std::string Abbreviate(const std::string& Name) {
  TResult result = Convert(DNAbbreviate, Name);
  EXPECT_EQ(result.Status, NOERROR) << Name;
  return result.Text;
}

// The parts DNParse found, "<label>=<text>" in the record's order, absent ones left out.
std::string Parts(const DN_COMPONENTS& C) {
  const std::tuple<const char*, const char*, WORD> parts[] = {
      {"CN", C.CN, C.CNLength},       {"G", C.G, C.GLength},
      {"S", C.S, C.SLength},          {"I", C.I, C.ILength},
      {"Q", C.Q, C.QLength},          {"OU", C.OU[0], C.OULength[0]},
      {"OU", C.OU[1], C.OULength[1]}, {"OU", C.OU[2], C.OULength[2]},
      {"OU", C.OU[3], C.OULength[3]}, {"O", C.O, C.OLength},
      {"PRMD", C.PRMD, C.PRMDLength}, {"ADMD", C.ADMD, C.ADMDLength},
      {"C", C.C, C.CLength},          {"Domain", C.Domain, C.DomainLength}};
  std::string text;
  for (const auto& [label, part, length] : parts)
    if (part)
      text += (text.empty() ? "" : "/") + std::string(label) + "=" + std::string(part, length);
  return text;
}

// SECKFMGetUserName into a buffer followed by canaries; the status goes to Status.
std::string UserName(STATUS& Status) {
  char name[MAXUSERNAME + 1 + 8];
  std::memset(name, Canary, sizeof name);
  Status = SECKFMGetUserName(name);
  for (size_t at = MAXUSERNAME + 1; at < sizeof name; ++at) EXPECT_EQ(name[at], Canary);
  return name;
}

// Characters of the LMBCS Unicode group (0x14 and UTF-16BE) whose second bytes look like ASCII:
// U+2F41 carries a "/", U+4E20 a blank. Splitting or trimming at them would cut the character.
const std::string SlashInside = "\x14\x2F\x41";
const std::string BlankInside = "\x14\x4E\x20";

class Names : public runtimetest::RuntimeTest {};

}  // namespace

TEST_F(Names, CanonicalizeLabelsThePartsAndAbbreviateDropsOnlyTheLabelsSplittingWholeCharacters) {
  const TCase cases[] = {
      {"", ""},
      {"J/U1/U2/U3/U4/Acme", "CN=J/OU=U1/OU=U2/OU=U3/OU=U4/O=Acme"},
      {"J/U1/U2/U3/U4/Acme/DE", "CN=J/OU=U1/OU=U2/OU=U3/OU=U4/O=Acme/C=DE"},
      {"John/IT", "CN=John/O=IT"},  // two parts never have a country
      {"John/Acme@AcmeDomain", "CN=John/O=Acme@AcmeDomain"},
      {"  John Doe / Sales\t/ Acme @ Dom ", "CN=John Doe/OU=Sales/O=Acme@Dom"},
      {"  John Doe  ", "John Doe"},
      {"jdoe@acme.com", "jdoe@acme.com"},
      {"John$/Doe/Acme", "CN=John$/Doe/O=Acme"},
      {"John$ /Acme", "CN=John$ /O=Acme"},
      // Canonical and malformed names are not relabelled.
      {"CN=John Doe/OU=Sales/O=Acme/C=US", "CN=John Doe/OU=Sales/O=Acme/C=US"},
      {"CN=John Doe", "CN=John Doe"},
      {" CN=John / O=Acme @Dom", "CN=John/O=Acme@Dom"},
      {"John//Acme", "John//Acme"},
      {"/Acme", "/Acme"},
      {"John/", "John/"},
      {"X=1/Acme", "X=1/Acme"},
      // A template completes a common name.
      {"John", "CN=John/OU=Sales/O=Acme/C=US", "CN=Me/OU=Sales/O=Acme/C=US"},
      {"John/", "CN=John/OU=Sales/O=Acme/C=US", "CN=Me/OU=Sales/O=Acme/C=US"},
      {"John@Dom", "CN=John/OU=Sales/O=Acme/C=US@Dom", "CN=Me/OU=Sales/O=Acme/C=US"},
      {"John", "CN=John/OU=East/O=Acme", "Me/East/Acme"},
      {"John/Beta", "CN=John/O=Beta", "CN=Me/OU=Sales/O=Acme/C=US"},
      {"John", "John", "Me"},
  };
  for (const TCase& c : cases) EXPECT_EQ(Canonicalize(c.In, c.Template), c.Out) << c.In;
  const TCase abbreviated[] = {
      {"", ""},
      {"cn=John/ou=A/ou=B/o=Acme", "John/A/B/Acme"},
      {"CN=John/O=Acme@AcmeDomain", "John/Acme@AcmeDomain"},
      {"CN=John Doe/G=John/S=Doe/O=Acme/PRMD=P/ADMD=A", "John Doe/G=John/S=Doe/Acme/PRMD=P/ADMD=A"},
      {"CN=John Doe", "John Doe"},
      {" CN = John / O = Acme ", "John/Acme"},
      {" John Doe ", " John Doe "},
  };
  for (const TCase& c : abbreviated) EXPECT_EQ(Abbreviate(c.In), c.Out) << c.In;
  // Non-ASCII names are split at whole characters.
  ASSERT_EQ(ToNative(SlashInside), "\xE2\xBD\x81");  // U+2F41
  ASSERT_EQ(ToNative(BlankInside), "\xE4\xB8\xA0");  // U+4E20
  EXPECT_EQ(Canonicalize("Ab" + SlashInside + "/Acme"), "CN=Ab" + SlashInside + "/O=Acme");
  EXPECT_EQ(Canonicalize("Ab" + SlashInside), "Ab" + SlashInside);
  EXPECT_EQ(Canonicalize("Ab" + BlankInside + "/Acme"), "CN=Ab" + BlankInside + "/O=Acme");
  EXPECT_EQ(Abbreviate("CN=" + BlankInside + "/O=Acme"), BlankInside + "/Acme");
}

TEST_F(Names, MoreThanFourUnitsAreRefusedAndAResultLongerThanTheBufferIsCutAtACharacter) {
  for (const char* name : {"J/U1/U2/U3/U4/U5/Acme/US", "J/U1/U2/U3/U4/U5/Acme"})
    EXPECT_EQ(Convert(DNCanonicalize, name), (TResult{ERR_NOTESRT_TOO_MANY_OUS, ""})) << name;
  EXPECT_EQ(Convert(DNCanonicalize, "John Doe/Acme", 8),
            (TResult{ERR_NOTESRT_NAME_TOO_LONG, "CN=John"}));
  // "CN=" and two Cyrillic letters of two bytes each: five bytes fit one letter, four none.
  std::string name = "\x05\xC6\x05\xC7/Acme";
  EXPECT_EQ(Convert(DNCanonicalize, name, 6).Text, "CN=\x05\xC6");
  EXPECT_EQ(Convert(DNCanonicalize, name, 5).Text, "CN=");
  EXPECT_EQ(Convert(DNAbbreviate, "CN=John Doe/O=Acme", 5).Text, "John");
  EXPECT_EQ(Convert(DNCanonicalize, "John Doe/Acme", 19), (TResult{NOERROR, "CN=John Doe/O=Acme"}));
}

// Every part in any case, as pointers into the caller's text; other forms leave the components
// empty and say which they are.
TEST_F(Names, ParseGivesEveryPartOrSaysWhyItGivesNone) {
  const std::string name = "CN=John Doe/OU=Sales/OU=East/O=Acme/C=US@AcmeDomain";
  DN_COMPONENTS comp;
  ASSERT_EQ(DNParse(0, nullptr, name.c_str(), &comp, sizeof comp), NOERROR);
  EXPECT_EQ(comp.CN, name.c_str() + 3);
  EXPECT_EQ(comp.Domain, name.c_str() + name.size() - 10);
  const struct {
    std::string Name, Parts;
    DWORD Flags;
  } cases[] = {
      {name, "CN=John Doe/OU=Sales/OU=East/O=Acme/C=US/Domain=AcmeDomain", 0},
      {" cn = John Doe /g=John/S=Doe/i=JD/Q=Jr/ou=A/OU=B/OU=C/OU=D/o=Acme/PRMD=P/ADMD=M/C=US",
       "CN=John Doe/G=John/S=Doe/I=JD/Q=Jr/OU=A/OU=B/OU=C/OU=D/O=Acme/PRMD=P/ADMD=M/C=US", 0},
      // Escapes and characters whose second byte looks like a blank stay inside their part.
      {"CN=John$/Doe" + BlankInside + "/O=Acme", "CN=John$/Doe" + BlankInside + "/O=Acme", 0},
      {"John Doe", "", DN_NONDISTINGUISHED},
      {"", "", DN_NONDISTINGUISHED},
      {"John Doe/Acme", "", DN_NONSTANDARD},
      {"CN=A/CN=B", "", DN_NONSTANDARD},
      {"CN=A/Sales/O=Acme", "", DN_NONSTANDARD},
      {"CN=A/OU=1/OU=2/OU=3/OU=4/OU=5/O=Acme", "", DN_NONSTANDARD}};
  for (const auto& c : cases) {
    std::memset(&comp, 0xAB, sizeof comp);
    ASSERT_EQ(DNParse(0, nullptr, c.Name.c_str(), &comp, sizeof comp), NOERROR) << c.Name;
    EXPECT_EQ(Parts(comp), c.Parts) << c.Name;
    EXPECT_EQ(comp.Flags, c.Flags) << c.Name;
    if (c.Parts.empty()) {
      EXPECT_EQ(comp.CNLength + comp.OULength[0], 0) << c.Name;
    }
  }
}

TEST_F(Names, BadArgumentsAndARecordOfAnotherSizeAreRefused) {
  char out[64];
  WORD length = 99;
  EXPECT_EQ(DNCanonicalize(0, nullptr, nullptr, out, sizeof out, &length), ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(std::string(out) + std::to_string(length), "0");
  EXPECT_EQ(DNAbbreviate(0, nullptr, "John", nullptr, 10, nullptr), ERR_MISC_INVALID_ARGS);
  out[0] = 'x';
  EXPECT_EQ(DNAbbreviate(0, nullptr, "John", out, 0, nullptr), ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(out[0], 'x');
  std::vector<unsigned char> record(sizeof(DN_COMPONENTS) + 8, 0xAB);
  auto comp = reinterpret_cast<DN_COMPONENTS*>(record.data());
  EXPECT_EQ(DNParse(0, nullptr, "CN=John/O=Acme", comp, 88), ERR_DN_COMP_VERSION);
  EXPECT_EQ(DNParse(0, nullptr, "CN=John/O=Acme", comp, sizeof(DN_COMPONENTS) + 8),
            ERR_DN_COMP_VERSION);
  for (unsigned char byte : record) EXPECT_EQ(byte, 0xAB);
  EXPECT_EQ(DNParse(0, nullptr, nullptr, comp, sizeof(DN_COMPONENTS)), ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(DNParse(0, nullptr, "John", nullptr, sizeof(DN_COMPONENTS)), ERR_MISC_INVALID_ARGS);
}

// The configured user, canonical; without one, or one that does not fit, a status and nothing
// cut.
TEST_F(Names, TheCurrentUserIsReturnedCanonicalOrAStatus) {
  const struct {
    const char* Setting;  // nullptr: never set
    const char* Name;
    STATUS Status;
  } cases[] = {{nullptr, "", ERR_NOTESRT_NO_USER},
               {"  ", "", ERR_NOTESRT_NO_USER},
               {"John Doe/Sales/Acme", "CN=John Doe/OU=Sales/O=Acme", NOERROR},
               {"CN=Jane Roe/O=Acme", "CN=Jane Roe/O=Acme", NOERROR},
               {"J/U1/U2/U3/U4/U5/Acme", "", ERR_NOTESRT_TOO_MANY_OUS}};
  for (const auto& c : cases) {
    if (c.Setting) OSSetEnvironmentVariable(NOTESRT_USER_NAME_VAR, c.Setting);
    STATUS status = NOERROR;
    EXPECT_EQ(UserName(status), c.Name) << c.Setting;
    EXPECT_EQ(status, c.Status) << c.Setting;
  }
  OSSetEnvironmentVariable(NOTESRT_USER_NAME_VAR, (std::string(250, 'j') + "/Acme").c_str());
  STATUS status = NOERROR;
  EXPECT_EQ(UserName(status), "");
  EXPECT_EQ(status, ERR_NOTESRT_NAME_TOO_LONG);
  EXPECT_EQ(runtimetest::StatusText(ERR_NOTESRT_NO_USER),
            "No current user is configured (NotesRT_UserName in notes.ini)");
  EXPECT_EQ(SECKFMGetUserName(nullptr), ERR_MISC_INVALID_ARGS);
}

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
