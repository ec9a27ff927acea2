#include "TAddressBookAdmin.h"

#include "AnsiCompare.h"
#include "ELotusNotes.h"
#include "StringList.h"
#include "TNotesDocument.h"
#include "TNotesDocumentCollection.h"
#include "TNotesItem.h"
#include "TNotesName.h"

namespace {

// The item names, in the order ListPeople reads them back.
const char* const AddressBookTemplate = "pubnames.ntf";
const char* const PersonSelection = "Type = \"Person\" | Form = \"Person\"";

const std::vector<std::string> PersonItems = {"FirstName",   "LastName",   "CompanyName",
                                              "FullName",    "ShortName",  "InternetAddress",
                                              "MailAddress", "MailServer", "MailFile"};

std::vector<std::string*> FieldsOf(TPersonFields& Person) {
  return {&Person.FirstName,   &Person.LastName,   &Person.CompanyName,
          &Person.FullName,    &Person.ShortName,  &Person.InternetAddress,
          &Person.MailAddress, &Person.MailServer, &Person.MailFile};
}

std::string Canonical(const std::string& Name) {
  if (Name.empty() || TNotesName::IsCanonical(Name)) return Name;
  return TNotesName::TranslateName(Name, true, "");
}

std::string FullNameOf(const TPersonFields& Person) {
  if (!Person.FullName.empty()) return Canonical(Person.FullName);
  std::string commonName = Person.FirstName;
  if (!commonName.empty() && !Person.LastName.empty()) commonName += " ";
  return "CN=" + commonName + Person.LastName;
}

void SetText(TNotesDocument& Document, const std::string& Item, const std::string& Value) {
  if (!Value.empty()) Document.ReplaceItemValue(Item, TVariant(Value));
}

void SetKind(TNotesDocument& Document, const std::string& Kind) {
  Document.ReplaceItemValue("Form", TVariant(Kind));
  Document.ReplaceItemValue("Type", TVariant(Kind));
}

std::string ItemText(TNotesDocument& Document, const std::string& Item) {
  return Document.IsItemExists(Item) ? Document.GetItemByName(Item)->GetAsString() : "";
}

// Each entry of a text list, or the one text.
std::vector<std::string> TextValues(TNotesDocument& Document, const std::string& Item) {
  if (!Document.IsItemExists(Item)) return {};
  TNotesItem& item = *Document.GetItemByName(Item);
  const TVariant list = item.GetAsList();
  if (!list.IsArray()) return {item.GetAsString()};
  std::vector<std::string> values;
  for (int index = list.LowBound(); index <= list.HighBound(); ++index)
    values.push_back(list.GetElement(index).AsString());
  return values;
}

// The names a person goes by, as RemovePeople compares them.
std::vector<std::string> NamesOf(TNotesDocument& Person) {
  std::vector<std::string> names;
  for (const std::string& fullName : TextValues(Person, "FullName")) {
    names.push_back(Canonical(fullName));
    names.push_back(TNotesName::TranslateName(names.back(), false, ""));
  }
  names.push_back(ItemText(Person, "ShortName"));
  names.push_back(ItemText(Person, "InternetAddress"));
  names.push_back(ItemText(Person, "FirstName") + " " + ItemText(Person, "LastName"));
  return names;
}

bool GoesBy(TNotesDocument& Person, const std::string& Name) {
  const std::string canonical = Canonical(Name);
  for (const std::string& known : NamesOf(Person))
    if (!known.empty() &&
        (AnsiCompareText(known, Name) == 0 || AnsiCompareText(known, canonical) == 0))
      return true;
  return false;
}

}  // namespace

void TAddressBookAdmin::CreateBook(const std::string& Server, const std::string& FileName,
                                   const std::string& Title) {
  TActingAs server(Server);
  TNotesDatabase database;
  database.CreateNew(Server, FileName, AddressBookTemplate);
  database.SetTitle(Title);
}

TAddressBookAdmin::TAddressBookAdmin(const std::string& Server, const std::string& FileName)
    : FServer(Server) {
  FDatabase.Open(Server, FileName);
}

NOTEID TAddressBookAdmin::AddPerson(const TPersonFields& Person) {
  if (Person.LastName.empty() && Person.FullName.empty())
    throw ELotusNotes(-1, "A person needs a last name or a full name");
  auto document = FDatabase.CreateDocument();
  SetKind(*document, "Person");
  TPersonFields stored = Person;
  stored.FullName = FullNameOf(Person);
  stored.MailServer = Canonical(Person.MailServer);
  std::vector<std::string*> values = FieldsOf(stored);
  for (size_t index = 0; index < PersonItems.size(); ++index)
    SetText(*document, PersonItems[index], *values[index]);
  document->Save();
  return document->NoteID();
}

NOTEID TAddressBookAdmin::AddGroup(const std::string& Name,
                                   const std::vector<std::string>& Members) {
  if (Name.empty()) throw ELotusNotes(-1, "A group needs a name");
  auto document = FDatabase.CreateDocument();
  SetKind(*document, "Group");
  SetText(*document, "ListName", Name);
  SetText(*document, "GroupType", "0");
  TStringList members;
  for (const std::string& member : Members) members.Add(member);
  document->GetItemByName("Members")->SetAsStrings(&members);
  document->Save();
  return document->NoteID();
}

int TAddressBookAdmin::RemovePeople(const std::string& Name) {
  auto people = FDatabase.Search(PersonSelection, 0);
  std::vector<NOTEID> removed;
  for (int index = 0; index < people->Count(); ++index) {
    auto person = people->GetDocument(index);
    if (GoesBy(*person, Name)) removed.push_back(person->NoteID());
  }
  for (NOTEID id : removed) FDatabase.Delete(id);
  return static_cast<int>(removed.size());
}

// ($Users) lists the mail groups too, each with its ListName, which no person has.
std::vector<TPersonFields> TAddressBookAdmin::ListPeople(const std::string& Server) {
  std::vector<std::string> items = PersonItems;
  items.push_back("ListName");
  TStringList lines;
  TNotesName::LookupName(Server, {"$Users"}, {"*"}, items, {nloAll, nloNoSearch}, lines);
  std::vector<TPersonFields> people;
  const int itemCount = static_cast<int>(items.size());
  for (int line = 0; line + itemCount <= lines.Count(); line += itemCount) {
    if (!lines.Strings(line + itemCount - 1).empty()) continue;
    TPersonFields person;
    std::vector<std::string*> values = FieldsOf(person);
    for (size_t index = 0; index < values.size(); ++index)
      *values[index] = lines.Strings(line + static_cast<int>(index));
    people.push_back(person);
  }
  return people;
}
