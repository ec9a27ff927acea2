#include <memory>
#include <string>
#include <utility>

#include "ELotusNotes.h"
#include "NotesErrorOf.h"
#include "NotesFixture.h"
#include "TNotesName.h"
#include "notesapi/notesrt.h"

namespace {

using NamesTest = NotesFixture;

TEST_F(NamesTest, IsCanonicalLooksForALabelAfterASlash) {
  EXPECT_TRUE(TNotesName::IsCanonical("CN=John Doe/O=Acme"));
  EXPECT_TRUE(TNotesName::IsCanonical("cn=john doe/o=acme"));
  EXPECT_TRUE(TNotesName::IsCanonical("John/ou=Sales"));
  EXPECT_FALSE(TNotesName::IsCanonical("John Doe/Acme"));
  EXPECT_FALSE(TNotesName::IsCanonical("CN=John Doe"));
  EXPECT_FALSE(TNotesName::IsCanonical(""));
}

TEST_F(NamesTest, SetNameStoresTheCanonicalForm) {
  TNotesName name("John Doe/Sales/Acme");
  EXPECT_EQ(name.GetName(), "CN=John Doe/OU=Sales/O=Acme");
  EXPECT_EQ(name.GetAbbreviatedName(), "John Doe/Sales/Acme");
  name.SetAbbreviatedName("Jane Roe/Acme/US");
  EXPECT_EQ(name.GetName(), "CN=Jane Roe/O=Acme/C=US");
  name.SetName("cn=Kim/o=Acme");
  EXPECT_EQ(name.GetName(), "cn=Kim/o=Acme");
}

TEST_F(NamesTest, SettingTheSameTextKeepsTheComponents) {
  TNotesName name("CN=John Doe/O=Acme");
  EXPECT_FALSE(name.IsParsed());
  EXPECT_EQ(name.GetNameComponent(ncO), "Acme");
  EXPECT_TRUE(name.IsParsed());
  name.SetName("CN=John Doe/O=Acme");
  EXPECT_TRUE(name.IsParsed());
  name.SetName("John Doe/Beta");
  EXPECT_FALSE(name.IsParsed());
  EXPECT_EQ(name.GetNameComponent(ncO), "Beta");
}

TEST_F(NamesTest, AFailedSetNameChangesNothing) {
  TNotesName name("John Doe/Acme");
  name.GetNameComponent(ncCN);
  const std::string refusal = NotesErrorOf([&] { name.SetName("J/U1/U2/U3/U4/U5/Acme"); });
  EXPECT_EQ(refusal.rfind(std::to_string(ERR_NOTESRT_TOO_MANY_OUS) + " ", 0), 0u) << refusal;
  EXPECT_EQ(name.GetName(), "CN=John Doe/O=Acme");
  EXPECT_TRUE(name.IsParsed());
}

TEST_F(NamesTest, ComponentsByIndexAndAFlatNameAsItsOwnCommonName) {
  TNotesName name("CN=John Doe/OU=Sales/OU=East/O=Acme/C=US");
  EXPECT_EQ(name.GetNameComponent(ncCN), "John Doe");
  EXPECT_EQ(name.GetNameComponent(ncOU1), "Sales");
  EXPECT_EQ(name.GetNameComponent(ncOU2), "East");
  EXPECT_EQ(name.GetNameComponent(ncOU3), "");
  EXPECT_EQ(name.GetNameComponent(ncC), "US");
  EXPECT_EQ(name.GetNameComponent(ncO), "Acme");
  EXPECT_EQ(name.GetNameComponent(13), "");
  EXPECT_EQ(name.GetNameComponent(-1), "");
  EXPECT_EQ(name.GetKeyword(), "US/Acme/Sales/East//");
  EXPECT_TRUE(name.IsHirerarchical());
  // A flat name is its own common name.
  TNotesName flat("John Doe");
  EXPECT_EQ(flat.GetName(), "John Doe");
  EXPECT_EQ(flat.GetNameComponent(ncCN), "John Doe");
  EXPECT_EQ(flat.GetNameComponent(ncO), "");
  EXPECT_EQ(flat.GetKeyword(), "/////");
  EXPECT_FALSE(flat.IsHirerarchical());
  EXPECT_FALSE(TNotesName("John/").IsHirerarchical());
  EXPECT_TRUE(TNotesName("John/X/").IsHirerarchical());
}

TEST_F(NamesTest, SetNameComponentBuildsACanonicalName) {
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
}

TEST_F(NamesTest, SetNameComponentKeepsTheDomainAFlatCommonNameAndDelimiters) {
  TNotesName domain("CN=John/O=Acme@AcmeDomain");
  domain.SetNameComponent(ncC, "US");
  EXPECT_EQ(domain.GetName(), "CN=John/O=Acme/C=US@AcmeDomain");
  TNotesName flat("Joe$Smith");
  flat.SetNameComponent(ncO, "Acme");
  EXPECT_EQ(flat.GetName(), "CN=Joe$$Smith/O=Acme");
  EXPECT_EQ(flat.GetNameComponent(ncCN), "Joe$Smith");
  // Component values may hold delimiters.
  TNotesName name("John/Acme");
  name.SetNameComponent(ncOU1, "R/D=1@2");
  EXPECT_EQ(name.GetName(), "CN=John/OU=R$/D$=1$@2/O=Acme");
  EXPECT_EQ(name.GetNameComponent(ncOU1), "R/D=1@2");
  EXPECT_EQ(name.GetNameComponent(ncO), "Acme");
}

TEST_F(NamesTest, ComponentsSurviveCopyAndMove) {
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

TEST_F(NamesTest, NonAsciiNamesRoundTrip) {
  TNotesName name(
      "J\xC3\xBCrgen M\xC3\xBCller/Vertrieb/B\xC3\xA4"
      "ckerei/DE");
  EXPECT_EQ(name.GetName(),
            "CN=J\xC3\xBCrgen M\xC3\xBCller/OU=Vertrieb/O=B\xC3\xA4"
            "ckerei/C=DE");
  EXPECT_EQ(name.GetNameComponent(ncCN), "J\xC3\xBCrgen M\xC3\xBCller");
  EXPECT_EQ(name.GetAbbreviatedName(),
            "J\xC3\xBCrgen M\xC3\xBCller/Vertrieb/B\xC3\xA4"
            "ckerei/DE");
  // A country of two Cyrillic letters: four bytes in UTF-8, two characters in any encoding.
  TNotesName cyrillic("\xD0\x90\xD0\xBD\xD0\xBD\xD0\xB0/\xD0\x9E\xD0\x9E\xD0\x9E/\xD0\xA0\xD0\xA4");
  EXPECT_EQ(cyrillic.GetNameComponent(ncC), "\xD0\xA0\xD0\xA4");
  EXPECT_EQ(cyrillic.GetNameComponent(ncO), "\xD0\x9E\xD0\x9E\xD0\x9E");
  cyrillic.SetNameComponent(ncOU1, "\xE6\x97\xA5\xE6\x9C\xAC");
  EXPECT_EQ(cyrillic.GetNameComponent(ncOU1), "\xE6\x97\xA5\xE6\x9C\xAC");
}

TEST_F(NamesTest, TranslateName) {
  EXPECT_EQ(TNotesName::TranslateName("John", true, "CN=Me/OU=Sales/O=Acme"),
            "CN=John/OU=Sales/O=Acme");
  EXPECT_EQ(TNotesName::TranslateName("John", true, ""), "John");
  EXPECT_EQ(TNotesName::TranslateName("CN=John/O=Acme", false, ""), "John/Acme");
  EXPECT_EQ(TNotesName::TranslateName("John/Acme", false, ""), "John/Acme");
  // A name the 257-byte buffer cannot hold is an error, not a silently cut name.
  EXPECT_THROW(TNotesName::TranslateName(std::string(260, 'j') + "/Acme", true, ""), ELotusNotes);
}

}  // namespace
