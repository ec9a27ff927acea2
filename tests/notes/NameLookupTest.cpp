// Address lookup through TNotesName and the address books of TNotesDatabase, on books the
// admin library writes: one line per requested item in its place, values converted both ways.
#include <gtest/gtest.h>

#include "ELotusNotes.h"
#include "ListLines.h"
#include "NotesFixture.h"
#include "StringList.h"
#include "TAddressBookAdmin.h"
#include "TNotesDocument.h"
#include "TNotesName.h"

namespace {

using Lines = std::vector<std::string>;

using vesktest::LinesOf;

class NameLookup : public NotesFixture {
 protected:
  void SetUp() override {
    NotesFixture::SetUp();
    TAddressBookAdmin::CreateBook("", "names.nsf", "People");
    TAddressBookAdmin book("", "names.nsf");
    book.AddPerson({"John", "Doe", "Acme", "John Doe/Sales/Acme", "jdoe", "john@acme.example", "",
                    "Hub/Acme", "mail/jdoe"});
    book.AddPerson({"Joan", "Smith", "", "", "", "joan@acme.example", "", "", ""});
    book.AddGroup("Sales", {"John Doe", "Joan Smith"});
  }

  Lines Lookup(const std::string& Name, const std::vector<std::string>& Items,
               const TNotesLookupOptions& Options = {}, const std::string& View = "$Users") {
    TStringList results;
    TNotesName::LookupName("", {View}, {Name}, Items, Options, results);
    return LinesOf(results);
  }
};

TEST_F(NameLookup, EveryMatchGivesOneLinePerItemInItsPlaceAFailureNothingAndAllEverybody) {
  EXPECT_EQ(Lookup("jo*", {"FirstName", "CompanyName", "LastName"}),
            (Lines{"Joan", "", "Smith", "John", "Acme", "Doe"}));
  EXPECT_EQ(Lookup("John Doe/Sales/Acme", {"FullName", "MailServer", "Missing"}),
            (Lines{"CN=John Doe/OU=Sales/O=Acme", "CN=Hub/O=Acme", ""}));
  EXPECT_EQ(Lookup("nobody", {"FirstName"}), Lines{});
  EXPECT_EQ(Lookup("sales", {"Members", "ListName"}, {}, "$Groups"),
            (Lines{"John Doe, Joan Smith", "Sales"}));
  // A failed lookup leaves the results as they were.
  TStringList results;
  results.Add("kept");
  EXPECT_THROW(TNotesName::LookupName("", {"People"}, {"john"}, {"LastName"}, {}, results),
               ELotusNotes);
  EXPECT_EQ(LinesOf(results), Lines{"kept"});
  EXPECT_THROW(TNotesName::LookupName("Nowhere/Acme", {}, {"john"}, {"LastName"}, {}, results),
               ELotusNotes);
  EXPECT_EQ(LinesOf(results), Lines{"kept"});
  // A star alone is the empty name; nloAll lists everybody.
  EXPECT_EQ(Lookup("*", {"LastName"}), Lines{});
  // In the order of each person's first key: "cn=joan smith" before "cn=john doe/...".
  // The group Sales, without a last name, after the people.
  EXPECT_EQ(Lookup("*", {"LastName"}, {nloAll, nloNoSearch}), (Lines{"Smith", "Doe", ""}));
  TStringList views, names, items;
  results.Clear();
  names.Add("");
  items.Add("LastName");
  EXPECT_TRUE(TNotesName::LookupNameList("", views, names, items, {nloAll}, results));
  EXPECT_EQ(LinesOf(views), Lines{"$Users"});
  EXPECT_EQ(LinesOf(results), (Lines{"Smith", "Doe", ""}));
}

// Characters outside the Latin groups travel as two data bytes that may look like ASCII.
TEST_F(NameLookup, NamesAndValuesAreConvertedBothWaysAndNeverCut) {
  TAddressBookAdmin book("", "names.nsf");
  book.AddPerson({"Jürgen", "Müller", "Bäckerei Groß", "", "", "", "", "", ""});
  book.AddPerson({"Wei", "中文", "北京公司", "", "", "", "", "", ""});
  book.AddPerson({"Long", "Company", std::string(3000, 'c'), "", "", "", "", "", ""});
  EXPECT_EQ(Lookup("JÜRGEN MÜLLER", {"LastName", "CompanyName"}),
            (Lines{"Müller", "Bäckerei Groß"}));
  EXPECT_EQ(Lookup("mül*", {"FirstName"}), Lines{"Jürgen"});
  EXPECT_EQ(Lookup("Wei 中文", {"LastName", "CompanyName"}), (Lines{"中文", "北京公司"}));
  EXPECT_EQ(Lookup("long company", {"CompanyName"}), Lines{std::string(3000, 'c')});
}

TEST_F(NameLookup, CheckAddressFindsAPersonEvenWithoutAFullName) {
  TNotesDatabase book;
  book.Open("", "names.nsf");
  auto document = book.CreateDocument();
  document->ReplaceItemValue("Form", TVariant("Person"));
  document->ReplaceItemValue("ShortName", TVariant("nofull"));
  document->Save();
  EXPECT_TRUE(TNotesName::CheckAddress("", "nofull"));
  EXPECT_TRUE(TNotesName::CheckAddress("", "JOHN@ACME.EXAMPLE"));
  EXPECT_FALSE(TNotesName::CheckAddress("", "stranger"));
}

TEST_F(NameLookup, AddressBooksAreListedAndThePrivateOneOpened) {
  TAddressBookAdmin::CreateBook("", "team.nsf", "Team");
  OSSetEnvironmentVariable("NAMES", "team.nsf, names.nsf, gone.nsf");
  TStringList books;
  TNotesDatabase::ListAddressBooks("", books, true);
  EXPECT_EQ(LinesOf(books), (Lines{"team.nsf=Team", "names.nsf=People"}));
  books.Clear();
  TNotesDatabase::ListAddressBooks("", books, false);
  EXPECT_EQ(LinesOf(books), (Lines{"team.nsf", "names.nsf"}));

  TNotesDatabase database;
  EXPECT_TRUE(database.OpenPrivateAddressBook());
  EXPECT_EQ(database.FileName(), "team.nsf");
  EXPECT_EQ(database.GetTitle(), "Team");
  OSSetEnvironmentVariable("NAMES", " ");
  EXPECT_TRUE(database.OpenPrivateAddressBook());
  EXPECT_EQ(database.FileName(), "NAMES.NSF");
  EXPECT_EQ(database.GetTitle(), "People");
}

}  // namespace
