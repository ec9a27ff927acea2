// GetAddressItems of the real plug-in module: four lines per person, in their places, from the
// address book the admin library writes.
#include <gtest/gtest.h>

#include <memory>

#include "Customintf.h"
#include "ELotusNotes.h"
#include "NotesSession.h"
#include "RegisteredMailFixture.h"
#include "StringList.h"
#include "TAddressBookAdmin.h"
#include "TNotesDatabase.h"
#include "TNotesDocument.h"
#include "TNotesItem.h"

namespace {

class AddressItemsTest : public RegisteredMailFixture {
 protected:
  void SetUp() override {
    NotesObjectsInitialize();
    TAddressBookAdmin::CreateBook("", "names.nsf", "People");
    TAddressBookAdmin Book("", "names.nsf");
    Book.AddPerson({"John", "Doe", "Acme", "", "", "john@acme.example", "", "", ""});
    Book.AddPerson({"Joan", "Smith", "", "", "", "joan@acme.example", "js@relay.example", "", ""});
    RegisterMail();
  }
  void TearDown() override {
    UnregisterMail();
    NotesObjectsFinalize();
  }

  Lines AddressItems(const std::string& Search) {
    TStringList* List = nullptr;
    Mail->GetAddressItems(Search, List);
    return LinesOf(List);
  }
};

// "*" and "" list everybody; no match, or a lookup that fails, leaves the caller an empty list.
TEST_F(AddressItemsTest, EveryPersonGivesFourLinesInTheirPlacesAndAFailureNone) {
  Lines Everybody = AddressItems("*");
  EXPECT_EQ(Everybody.size(), 8u);
  EXPECT_EQ(AddressItems(""), Everybody);
  TStringList* List = nullptr;
  Mail->GetAddressItems("nobody", List);
  std::unique_ptr<TStringList> Owned(List);
  ASSERT_NE(List, nullptr) << "no match is an empty list";
  EXPECT_EQ(List->Count(), 0);
  // No company: an empty third line. The fourth is the forwarding address when there is one,
  // else the internet address.
  EXPECT_EQ(AddressItems("jo*"), (Lines{"Joan", "Smith", "", "js@relay.example", "John", "Doe",
                                        "Acme", "john@acme.example"}));
  EXPECT_EQ(AddressItems("doe"), (Lines{"John", "Doe", "Acme", "john@acme.example"}));
  // Several values stay on their line.
  TNotesDatabase Book;
  Book.Open("", "names.nsf");
  auto Person = Book.CreateDocument();
  Person->ReplaceItemValue("Form", TVariant("Person"));
  Person->ReplaceItemValue("LastName", TVariant("Many"));
  TStringList Companies;
  Companies.SetText("North\r\nSouth");
  Person->GetItemByName("CompanyName")->SetAsStrings(&Companies);
  Person->Save();
  EXPECT_EQ(AddressItems("many"), (Lines{"", "Many", "North, South", ""}));
  OSSetEnvironmentVariable("NAMES", "missing.nsf");
  List = nullptr;
  EXPECT_THROW(Mail->GetAddressItems("john", List), ELotusNotes);
  Owned.reset(List);
  ASSERT_NE(List, nullptr);
  EXPECT_EQ(List->Count(), 0);
}

// A mail group has no first or last name: its name takes the last name's line.
TEST_F(AddressItemsTest, MailGroupsGiveTheirNameAsLastName) {
  TAddressBookAdmin Book("", "names.nsf");
  Book.AddGroup("Project Team", {"John Doe"});
  TNotesDatabase Names;
  Names.Open("", "names.nsf");
  TNotesDocument Sales(Names, Book.AddGroup("Sales", {"Joan Smith"}));
  Sales.ReplaceItemValue("InternetAddress", TVariant("sales@acme.example"));
  Sales.Save();
  const std::pair<std::string, Lines> cases[] = {{"project team", {"", "Project Team", "", ""}},
                                                 {"sal*", {"", "Sales", "", "sales@acme.example"}}};
  for (const auto& [search, found] : cases) EXPECT_EQ(AddressItems(search), found) << search;
  const Lines Everybody = AddressItems("*");
  ASSERT_EQ(Everybody.size(), 16u);
  EXPECT_EQ(Lines(Everybody.begin() + 8, Everybody.end()),
            (Lines{"", "Project Team", "", "", "", "Sales", "", "sales@acme.example"}));
}

}  // namespace
