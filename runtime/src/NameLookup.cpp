#include "NameLookup.h"

#include <memory>
#include <set>

#include "AddressBookIndex.h"
#include "AddressBooks.h"
#include "Database.h"
#include "EStatus.h"
#include "ItemName.h"
#include "NameLookupBuffer.h"
#include "TextFold.h"
#include "notesapi/lookup.h"
#include "notesapi/niferr.h"

namespace notesrt {

namespace {

std::string_view Trimmed(std::string_view Text) {
  size_t start = Text.find_first_not_of(" \t");
  if (start == Text.npos) return {};
  size_t end = Text.find_last_not_of(" \t");
  return Text.substr(start, end - start + 1);
}

// One opened address book and its key index.
struct TOpenBook {
  std::shared_ptr<TDatabase> Database;
  TAddressBookIndex Index;
  explicit TOpenBook(std::shared_ptr<TDatabase> Db)
      : Database(std::move(Db)), Index(Database->File()) {}
};

class TNameLookup {
 public:
  TNameLookup(std::string_view Server, const TNameLookupRequest& Request) : FRequest(Request) {
    for (const TAddressBook& book : AddressBooksOf(Server))
      FBooks.push_back(std::make_unique<TOpenBook>(TDatabase::Open(book.File)));
    if (FBooks.empty()) throw EStatus(ERR_NO_NAMES_FILE);
  }

  std::string Run() {
    for (TNameSpace space : FRequest.Spaces) {
      for (const std::string& name : FRequest.Names) {
        FWriter.BeginRecord();
        AddRecord(space, name);
        FWriter.EndRecord();
      }
    }
    return FWriter.Finish();
  }

 private:
  bool Has(WORD Flag) const { return (FRequest.Flags & Flag) != 0; }

  // Books in order: only the first without searching; otherwise up to the first with a match,
  // or all of them when exhaustive.
  void AddRecord(TNameSpace Space, const std::string& Name) {
    for (const auto& book : FBooks) {
      std::vector<NOTEID> ids =
          Has(NAME_LOOKUP_ALL) ? book->Index.All(Space) : Matches(book->Index, Space, Name);
      for (NOTEID id : ids) AddMatch(*book->Database, id);
      if (Has(NAME_LOOKUP_NOSEARCHING)) return;
      if (!ids.empty() && !Has(NAME_LOOKUP_EXHAUSTIVE)) return;
    }
  }

  static std::vector<NOTEID> Matches(TAddressBookIndex& Index, TNameSpace Space,
                                     std::string_view Name) {
    std::string_view name = Trimmed(Name);
    if (name.empty()) return {};
    if (name.back() == '*') {
      name.remove_suffix(1);
      return Index.Prefixed(Space, FoldUtf8(LmbcsToUtf8(name)));
    }
    std::vector<NOTEID> ids;
    std::set<NOTEID> seen;
    for (const std::string& key : LookupKeysOf(name))
      for (NOTEID id : Index.Exact(Space, key))
        if (seen.insert(id).second) ids.push_back(id);
    return ids;
  }

  void AddMatch(TDatabase& Database, NOTEID Id) {
    std::vector<TStoredItem> stored = Database.Notes().Items(Id);
    std::vector<const TStoredItem*> items;
    for (const std::string& wanted : FRequest.Items) {
      const TStoredItem* found = nullptr;
      for (const TStoredItem& item : stored)
        if (SameItemName(item.Name, wanted)) {
          found = &item;
          break;
        }
      items.push_back(found);
    }
    FWriter.AddMatch(items);
  }

  const TNameLookupRequest& FRequest;
  std::vector<std::unique_ptr<TOpenBook>> FBooks;
  TNameLookupWriter FWriter;
};

bool NamesSpace(std::string_view Name, std::string_view Alias) {
  std::string title = "(" + std::string(Alias) + ")";
  size_t start = 0;
  while (start <= Name.size()) {
    size_t end = std::min(Name.find('|', start), Name.size());
    std::string_view part = Trimmed(Name.substr(start, end - start));
    if (SameItemName(part, Alias) || SameItemName(part, title)) return true;
    start = end + 1;
  }
  return false;
}

}  // namespace

std::string LookUpNames(std::string_view Server, const TNameLookupRequest& Request) {
  return TNameLookup(Server, Request).Run();
}

TNameSpace NameSpaceOf(std::string_view Name) {
  if (NamesSpace(Name, "$Users")) return TNameSpace::Users;
  if (NamesSpace(Name, "$Groups")) return TNameSpace::Groups;
  throw EStatus(ERR_NO_SUCH_NAMESPACE);
}

}  // namespace notesrt
