#include "TAddressBookAdmin.h"

#include "ELotusNotes.h"
#include "StringList.h"
#include "TNotesDocument.h"
#include "TNotesItem.h"
#include "TNotesName.h"

namespace {

// The item names, in the order ListPeople reads them back.
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

}  // namespace

void TAddressBookAdmin::CreateBook(const std::string& Server, const std::string& FileName,
                                   const std::string& Title) {
  TNotesDatabase database;
  database.CreateNew(Server, FileName, "");
  database.SetTitle(Title);
}

TAddressBookAdmin::TAddressBookAdmin(const std::string& Server, const std::string& FileName) {
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

std::vector<TPersonFields> TAddressBookAdmin::ListPeople(const std::string& Server) {
  TStringList lines;
  TNotesName::LookupName(Server, {"$Users"}, {"*"}, PersonItems, {nloAll, nloNoSearch}, lines);
  std::vector<TPersonFields> people;
  const int itemCount = static_cast<int>(PersonItems.size());
  for (int line = 0; line + itemCount <= lines.Count(); line += itemCount) {
    TPersonFields person;
    std::vector<std::string*> values = FieldsOf(person);
    for (int index = 0; index < itemCount; ++index) *values[index] = lines.Strings(line + index);
    people.push_back(person);
  }
  return people;
}
