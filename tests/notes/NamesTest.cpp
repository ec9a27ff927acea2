#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ELotusNotes.h"
#include "NotesErrorOf.h"
#include "NotesFixture.h"
#include "TNotesName.h"
#include "notesapi/notesrt.h"

namespace {

using NamesTest = NotesFixture;

TEST_F(NamesTest, IsCanonicalLooksForALabelAfterASlashAndTranslateNameUsesTheTemplate) {
  for (const auto& [text, canonical] : {std::pair{"CN=John Doe/O=Acme", true},
                                        {"cn=john doe/o=acme", true},
                                        {"John/ou=Sales", true},
                                        {"John Doe/Acme", false},
                                        {"CN=John Doe", false},
                                        {"", false}})
    EXPECT_EQ(TNotesName::IsCanonical(text), canonical) << text;
  EXPECT_EQ(TNotesName::TranslateName("John", true, "CN=Me/OU=Sales/O=Acme"),
            "CN=John/OU=Sales/O=Acme");
  EXPECT_EQ(TNotesName::TranslateName("John", true, ""), "John");
  EXPECT_EQ(TNotesName::TranslateName("CN=John/O=Acme", false, ""), "John/Acme");
  EXPECT_EQ(TNotesName::TranslateName("John/Acme", false, ""), "John/Acme");
  // A name the 257-byte buffer cannot hold is an error, not a silently cut name.
  EXPECT_THROW(TNotesName::TranslateName(std::string(260, 'j') + "/Acme", true, ""), ELotusNotes);
}

// A name is stored canonical (one given canonical as it is) and read back abbreviated and by
// component; a flat name is its own common name. Characters outside ASCII stay whole.
TEST_F(NamesTest, NamesAreStoredCanonicalAndReadByComponent) {
  const struct {
    const char* Given;
    const char* Name;
    std::vector<std::pair<int, std::string>> Components;
    const char* Abbreviated = nullptr;  // nullptr: the given name
  } cases[] = {
      {"John Doe/Sales/Acme", "CN=John Doe/OU=Sales/O=Acme", {{ncOU1, "Sales"}, {ncO, "Acme"}}},
      {"CN=John Doe/OU=Sales/OU=East/O=Acme/C=US",
       "CN=John Doe/OU=Sales/OU=East/O=Acme/C=US",
       {{ncCN, "John Doe"},
        {ncOU1, "Sales"},
        {ncOU2, "East"},
        {ncOU3, ""},
        {ncC, "US"},
        {ncO, "Acme"},
        {13, ""},
        {-1, ""}},
       "John Doe/Sales/East/Acme/US"},
      {"cn=Kim/o=Acme", "cn=Kim/o=Acme", {{ncCN, "Kim"}, {ncO, "Acme"}}},
      {"John Doe", "John Doe", {{ncCN, "John Doe"}, {ncO, ""}}},
      {"Jürgen Müller/Vertrieb/Bäckerei/DE",
       "CN=Jürgen Müller/OU=Vertrieb/O=Bäckerei/C=DE",
       {{ncCN, "Jürgen Müller"}, {ncOU1, "Vertrieb"}, {ncO, "Bäckerei"}, {ncC, "DE"}}},
      // Two Cyrillic letters: four bytes in UTF-8, two characters in any encoding.
      {"Анна/ООО/РФ", "CN=Анна/O=ООО/C=РФ", {{ncO, "ООО"}, {ncC, "РФ"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Given);
    TNotesName name(c.Given);
    EXPECT_EQ(name.GetName(), c.Name);
    if (c.Abbreviated || std::string(c.Name) != c.Given) {
      EXPECT_EQ(name.GetAbbreviatedName(), c.Abbreviated ? c.Abbreviated : c.Given);
    }
    for (const auto& [index, value] : c.Components) EXPECT_EQ(name.GetNameComponent(index), value);
  }
  TNotesName units("CN=John Doe/OU=Sales/OU=East/O=Acme/C=US"), flat("John Doe");
  EXPECT_EQ(units.GetKeyword(), "US/Acme/Sales/East//");
  EXPECT_EQ(flat.GetKeyword(), "/////");
  EXPECT_TRUE(units.IsHirerarchical());
  EXPECT_FALSE(flat.IsHirerarchical());
  EXPECT_FALSE(TNotesName("John/").IsHirerarchical());
  EXPECT_TRUE(TNotesName("John/X/").IsHirerarchical());
  flat.SetAbbreviatedName("Jane Roe/Acme/US");
  EXPECT_EQ(flat.GetName(), "CN=Jane Roe/O=Acme/C=US");
}

// Components are parsed once per text: the same text keeps them, another is parsed afresh, and
// one that cannot be converted changes nothing.
TEST_F(NamesTest, ComponentsFollowTheTextSurviveCopyAndMoveAndAFailedSetNameChangesNothing) {
  TNotesName name("CN=John Doe/O=Acme");
  EXPECT_FALSE(name.IsParsed());
  EXPECT_EQ(name.GetNameComponent(ncO), "Acme");
  name.SetName("CN=John Doe/O=Acme");
  EXPECT_TRUE(name.IsParsed());
  name.SetName("John Doe/Beta");
  EXPECT_EQ(name.GetNameComponent(ncO), "Beta");
  const std::string refusal = NotesErrorOf([&] { name.SetName("J/U1/U2/U3/U4/U5/Acme"); });
  EXPECT_EQ(refusal.rfind(std::to_string(ERR_NOTESRT_TOO_MANY_OUS) + " ", 0), 0u) << refusal;
  EXPECT_EQ(name.GetName(), "CN=John Doe/O=Beta");
  EXPECT_TRUE(name.IsParsed());
  // Components survive copy and move.
  for (const char* text :
       {"J/S/A", "John Doe With A Long Name/Sales Department/Acme Corporation"}) {
    auto original = std::make_unique<TNotesName>(text);
    std::string unit = original->GetNameComponent(ncOU1);
    TNotesName copy = *original;
    TNotesName moved = std::move(*original);
    original.reset();
    EXPECT_TRUE(copy.IsParsed());
    EXPECT_EQ(copy.GetNameComponent(ncOU1), unit);
    EXPECT_EQ(moved.GetNameComponent(ncOU1), unit);
    copy = TNotesName("K/T/B");
    copy.GetNameComponent(ncCN);
    moved = copy;
    EXPECT_EQ(moved.GetNameComponent(ncOU1), "T");
  }
}

TEST_F(NamesTest, SetNameComponentBuildsACanonicalNameKeepingDomainAndDelimiters) {
  TNotesName name("CN=John Doe/O=Acme");
  name.SetNameComponent(ncO, "Beta");
  EXPECT_EQ(name.GetName(), "CN=John Doe/O=Beta");
  name.SetNameComponent(ncC, "US");
  name.SetNameComponent(ncOU1, "Sales");
  name.SetNameComponent(ncOU2, "East");
  EXPECT_EQ(name.GetName(), "CN=John Doe/OU=Sales/OU=East/O=Beta/C=US");
  EXPECT_EQ(name.GetAbbreviatedName(), "John Doe/Sales/East/Beta/US");
  // A name has no gaps: the units after a removed one move up.
  name.SetNameComponent(ncOU1, "");
  EXPECT_EQ(name.GetName(), "CN=John Doe/OU=East/O=Beta/C=US");
  EXPECT_THROW(name.SetNameComponent(13, "x"), ELotusNotes);
  // The domain, a flat common name and delimiters in values are kept.
  TNotesName domain("CN=John/O=Acme@AcmeDomain");
  domain.SetNameComponent(ncC, "US");
  EXPECT_EQ(domain.GetName(), "CN=John/O=Acme/C=US@AcmeDomain");
  TNotesName flat("Joe$Smith");
  flat.SetNameComponent(ncO, "Acme");
  EXPECT_EQ(flat.GetName(), "CN=Joe$$Smith/O=Acme");
  EXPECT_EQ(flat.GetNameComponent(ncCN), "Joe$Smith");
  TNotesName delimiters("John/Acme");
  delimiters.SetNameComponent(ncOU1, "R/D=1@2");
  EXPECT_EQ(delimiters.GetName(), "CN=John/OU=R$/D$=1$@2/O=Acme");
  EXPECT_EQ(delimiters.GetNameComponent(ncOU1), "R/D=1@2");
  EXPECT_EQ(delimiters.GetNameComponent(ncO), "Acme");
  delimiters.SetNameComponent(ncC, "日本");
  EXPECT_EQ(delimiters.GetNameComponent(ncC), "日本");
}

}  // namespace
