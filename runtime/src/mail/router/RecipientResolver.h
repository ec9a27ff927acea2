#pragma once

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "names/AddressBookIndex.h"

namespace notesrt {

class TDatabase;

namespace router {

// What a server's directory says of one person: the items the router routes by (LMBCS).
struct TPerson {
  std::string FullName;  // the first FullName: canonical, the owner of the mail file
  std::string MailServer;
  std::string MailFile;
};

// One person a mail goes to, or one name it cannot go to.
struct TRecipient {
  std::string Name;
  // The mail's own entries (folded, see NameKey) that led here: the name itself, or the groups
  // it was reached through. Tells whether a blind-copy entry names this recipient.
  std::set<std::string> Origins;
  std::optional<TPerson> Person;
  std::string Failure;
};

// The entries of recipient items as the router takes them: each split at commas, trimmed,
// empty ones dropped, repeated ones (without regard to case) dropped; order kept.
std::vector<std::string> RecipientEntries(const std::vector<std::string>& Values);
// The key a name compares by: folded, and canonical when it is hierarchical.
std::string NameKey(std::string_view Name);

// Recipients resolved as NAMELookup finds names, through the key indexes of address books:
// groups ($Groups by ListName) of the server's directory (the first book) replaced by their
// members, recursively and each group once; people ($Users) by any of their keys in the first
// book that knows the name. No match, or more than one in that book, is a failure.
class TRecipientResolver {
 public:
  // Directories: the server's directory first, then the other books to look in.
  explicit TRecipientResolver(std::vector<std::shared_ptr<TDatabase>> Directories);
  ~TRecipientResolver();

  // Every person once, in the order first reached, then the names that failed.
  std::vector<TRecipient> Resolve(const std::vector<std::string>& Entries);
  // One name as a person; groups are not expanded.
  TRecipient ResolvePerson(std::string_view Name);

 private:
  struct TPass;
  struct TBook {
    std::shared_ptr<TDatabase> Database;
    TAddressBookIndex Index;
  };
  void Expand(TPass& Pass, const std::string& Name, const std::string& Origin);
  static std::vector<NOTEID> Find(TBook& Book, TNameSpace Space, std::string_view Name);

  std::vector<TBook> FBooks;
};

}  // namespace router

}  // namespace notesrt
