#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "RuntimeFixture.h"
#include "notesapi/dname.h"
#include "notesapi/kfm.h"
#include "notesapi/miscerr.h"
#include "notesapi/names.h"
#include "notesapi/notesrt.h"
#include "notesapi/osenv.h"
#include "notesapi/osmisc.h"

namespace {

constexpr char Canary = '\x5A';

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

std::string Native(const std::string& Lmbcs) {
  char out[256];
  WORD length = OSTranslate(OS_TRANSLATE_LMBCS_TO_NATIVE, Lmbcs.data(),
                            static_cast<WORD>(Lmbcs.size()), out, sizeof out);
  return std::string(out, length);
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

TEST_F(Names, CanonicalizeLabelsThePartsAndAbbreviateDropsOnlyTheLabels) {
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
}

TEST_F(Names, NonAsciiNamesAreSplitAtWholeCharacters) {
  ASSERT_EQ(Native(SlashInside), "\xE2\xBD\x81");  // U+2F41
  ASSERT_EQ(Native(BlankInside), "\xE4\xB8\xA0");  // U+4E20
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
