#include "mail/router/RecipientResolver.h"

#include <algorithm>
#include <map>

#include "mail/router/RoutedMail.h"
#include "names/AddressBookKeys.h"
#include "storage/Database.h"
#include "text/TextTrim.h"

namespace notesrt::router {

namespace {

constexpr char NotListed[] = "User not listed in the directory";
constexpr char Ambiguous[] = "Ambiguous name: several people in the directory have it";
// The stand-in has no SMTP: an Internet address nobody in the directory has goes nowhere.
constexpr char NoInternetRoute[] = "No route to the Internet for this address";

}  // namespace

std::vector<std::string> RecipientEntries(const std::vector<std::string>& Values) {
  std::vector<std::string> entries;
  std::set<std::string> seen;
  for (const std::string& value : Values)
    for (std::string_view entry : CommaPieces(value))
      if (seen.insert(NameKey(entry)).second) entries.emplace_back(entry);
  return entries;
}

std::string NameKey(std::string_view Name) {
  std::vector<std::string> keys = LookupKeysOf(Name);
  return keys.empty() ? std::string() : keys.back();
}

struct TRecipientResolver::TPass {
  std::vector<TRecipient> People;
  std::vector<TRecipient> Failures;
  std::map<std::string, size_t> PersonIndex;
  std::set<NOTEID> ExpandedGroups;
};

TRecipientResolver::TRecipientResolver(std::vector<std::shared_ptr<TDatabase>> Directories) {
  for (std::shared_ptr<TDatabase>& directory : Directories) {
    TAddressBookIndex index(directory->File());
    FBooks.push_back(TBook{std::move(directory), std::move(index)});
  }
}

TRecipientResolver::~TRecipientResolver() = default;

std::vector<TRecipient> TRecipientResolver::Resolve(const std::vector<std::string>& Entries) {
  TPass pass;
  for (const std::string& entry : RecipientEntries(Entries)) Expand(pass, entry, NameKey(entry));
  std::vector<TRecipient> all = std::move(pass.People);
  all.insert(all.end(), pass.Failures.begin(), pass.Failures.end());
  return all;
}

// A group is expanded once per mail: a member naming a group already expanded (a cycle, or two
// paths to one group) adds nothing more.
void TRecipientResolver::Expand(TPass& Pass, const std::string& Name, const std::string& Origin) {
  TBook& directory = FBooks.front();
  std::vector<NOTEID> groups = Find(directory, TNameSpace::Groups, Name);
  if (groups.empty()) {
    TRecipient recipient = ResolvePerson(Name);
    recipient.Origins.insert(Origin);
    if (!recipient.Person) return Pass.Failures.push_back(std::move(recipient));
    std::string key = NameKey(recipient.Person->FullName);
    auto [found, added] = Pass.PersonIndex.emplace(key, Pass.People.size());
    if (added) return Pass.People.push_back(std::move(recipient));
    Pass.People[found->second].Origins.insert(Origin);
    return;
  }
  for (NOTEID group : groups) {
    if (!Pass.ExpandedGroups.insert(group).second) continue;
    std::vector<TStoredItem> items = directory.Database->Notes().Items(group);
    for (const std::string& member : RecipientEntries(TextsOf(items, "Members")))
      Expand(Pass, member, Origin);
  }
}

TRecipient TRecipientResolver::ResolvePerson(std::string_view Name) {
  TRecipient recipient{std::string(Name), {}, std::nullopt, ""};
  std::vector<NOTEID> people;
  TBook* book = nullptr;
  for (TBook& candidate : FBooks) {
    people = Find(candidate, TNameSpace::Users, Name);
    book = &candidate;
    if (!people.empty()) break;
  }
  if (people.size() > 1) {
    recipient.Failure = Ambiguous;
  } else if (people.empty()) {
    recipient.Failure = Name.find('@') != Name.npos ? NoInternetRoute : NotListed;
  } else {
    std::vector<TStoredItem> items = book->Database->Notes().Items(people.front());
    auto first = [&](std::string_view Item) {
      std::vector<std::string> texts = TextsOf(items, Item);
      return texts.empty() ? std::string() : std::string(TrimBlanks(texts.front()));
    };
    std::string fullName = first("FullName");
    recipient.Person = TPerson{fullName.empty() ? std::string(Name) : fullName, first("MailServer"),
                               first("MailFile")};
  }
  return recipient;
}

std::vector<NOTEID> TRecipientResolver::Find(TBook& Book, TNameSpace Space, std::string_view Name) {
  std::vector<NOTEID> ids;
  for (const std::string& key : LookupKeysOf(Name))
    for (NOTEID id : Book.Index.Exact(Space, key))
      if (std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
  return ids;
}

}  // namespace notesrt::router
