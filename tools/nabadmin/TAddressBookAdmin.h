#pragma once

#include <string>
#include <vector>

#include "TActingAs.h"
#include "TNotesDatabase.h"

// The items of a person document that the admin program writes and lists.
struct TPersonFields {
  std::string FirstName;
  std::string LastName;
  std::string CompanyName;
  std::string FullName;  // canonical or abbreviated; built from the first and last name when ""
  std::string ShortName;
  std::string InternetAddress;
  std::string MailAddress;
  std::string MailServer;
  std::string MailFile;
};

// An address book written over the object library: people and groups as person and group
// documents, found again through the address lookup. Used by nabadmin, the tests and the demo
// environment. A server's book is changed by the server itself (a user reads it only).
class TAddressBookAdmin {
 public:
  // Creates the address book FileName on Server ("" for this machine) from the runtime's
  // address-book template, titled Title. An existing database is an error, never overwritten.
  static void CreateBook(const std::string& Server, const std::string& FileName,
                         const std::string& Title);
  // Opens an existing address book.
  TAddressBookAdmin(const std::string& Server, const std::string& FileName);

  // Raises ELotusNotes (status -1) for a person with neither a last name nor a full name.
  NOTEID AddPerson(const TPersonFields& Person);
  // Raises ELotusNotes (status -1) for an empty group name.
  NOTEID AddGroup(const std::string& Name, const std::vector<std::string>& Members);

  // Removes every person who goes by Name: a full name (canonical or abbreviated), the short
  // name, the internet address or "first last", without regard to case. Returns how many.
  int RemovePeople(const std::string& Name);

  // Everybody in the address book the lookup uses first: Server's names.nsf, or for "" the
  // first local book of the setting NAMES.
  static std::vector<TPersonFields> ListPeople(const std::string& Server);

 private:
  // Opens the database as the server and keeps acting as it until the database is closed.
  TActingAs FServer;
  TNotesDatabase FDatabase;
};
