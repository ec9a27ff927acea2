#include "names/NameLookup.h"

#include <algorithm>
#include <memory>
#include <set>
#include <string>

#include "core/EStatus.h"
#include "core/Log.h"
#include "core/Runtime.h"
#include "names/AddressBookIndex.h"
#include "names/AddressBooks.h"
#include "names/NameLookupBuffer.h"
#include "note/ItemName.h"
#include "notesapi/lookup.h"
#include "notesapi/niferr.h"
#include "storage/Database.h"
#include "storage/ItemCodec.h"
#include "storage/KeptDatabases.h"
#include "storage/SqlStatement.h"
#include "text/TextFold.h"
#include "text/TextTrim.h"

namespace notesrt {

namespace {

// One opened address book and its key index, read as one snapshot for the whole lookup: one
// round of file locks instead of one per document, and no half-saved change seen.
struct TOpenBook {
  std::shared_ptr<TDatabase> Database;
  TAddressBookIndex Index;
  explicit TOpenBook(std::shared_ptr<TDatabase> Db)
      : Database(std::move(Db)), Index(Database->File()) {
    Run("BEGIN");
  }
  ~TOpenBook() {
    try {
      Run("COMMIT");
    } catch (const EStatus&) {
    }
  }
  TOpenBook(const TOpenBook&) = delete;
  TOpenBook& operator=(const TOpenBook&) = delete;

 private:
  // Prepared once per file: a lookup is often a single key, where parsing these would show.
  void Run(const char* Sql) { TSqlQuery(Database->File().Statement(Sql)).Run(); }
};

// A directory's ($Users) holds the mail groups too, found by their names, so that every name
// mail can be sent to is found there; the groups come after the people.
std::vector<TNameSpace> IndexedSpaces(TNameSpace Space) {
  if (Space == TNameSpace::Users) return {TNameSpace::Users, TNameSpace::Groups};
  return {Space};
}

// Address books stay open for the next lookup (typing ahead asks many in a row).
std::shared_ptr<TDatabase> KeptBook(const std::filesystem::path& File) {
  return TRuntime::Instance().Session<TKeptDatabases>().Open(File);
}

class TNameLookup {
 public:
  TNameLookup(std::string_view Server, const TNameLookupRequest& Request) : FRequest(Request) {
    TRuntime::Instance().Session<TKeptDatabases>().ReleaseGone();
    for (const TAddressBook& book : AddressBooksOf(Server))
      FBooks.push_back(std::make_unique<TOpenBook>(KeptBook(book.File)));
    if (FBooks.empty()) throw EStatus(ERR_NO_NAMES_FILE);
    for (size_t index = 0; index < Request.Items.size(); ++index) {
      const size_t length = Request.Items[index].size();
      if (length >= FWantedByLength.size()) FWantedByLength.resize(length + 1);
      const char first = length > 0 ? FoldItemNameChar(Request.Items[index][0]) : '\0';
      FWantedByLength[length].push_back(TWanted{index, first});
    }
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
      bool found =
          Has(NAME_LOOKUP_ALL) ? AddEverybody(*book, Space) : AddMatches(*book, Space, Name);
      if (Has(NAME_LOOKUP_NOSEARCHING)) return;
      if (found && !Has(NAME_LOOKUP_EXHAUSTIVE)) return;
    }
  }

  // A damaged entry costs only itself: everybody else is still found.
  static void LeaveOut(TOpenBook& Book, NOTEID Id) {
    LogLine(Book.Database->Path().string() + ": note " + std::to_string(Id) +
            " cannot be read (damaged); name lookups leave it out");
  }

  bool AddEverybody(TOpenBook& Book, TNameSpace Space) {
    bool found = false;
    std::vector<TItemView> items;
    // Room for every entry of the book, of any space: reserved, not touched, and cheaper to
    // count than the entries of a space.
    FWriter.ExpectMatches(Book.Index.CountAll());
    for (TNameSpace indexed : IndexedSpaces(Space))
      Book.Index.ForEach(indexed, [&](NOTEID Id, std::string_view Blob) {
        try {
          DecodeItemViews(Blob, items);
        } catch (const EStatus&) {
          return LeaveOut(Book, Id);
        }
        AddMatch(items);
        found = true;
      });
    return found;
  }

  bool AddMatches(TOpenBook& Book, TNameSpace Space, const std::string& Name) {
    bool found = false;
    for (NOTEID id : Matches(Book.Index, IndexedSpaces(Space), Name)) {
      std::vector<TStoredItem> stored;
      try {
        stored = Book.Database->Notes().Items(id);
      } catch (const EStatus&) {
        LeaveOut(Book, id);
        continue;
      }
      std::vector<TItemView> items;
      for (const TStoredItem& item : stored)
        items.push_back(TItemView{item.Name, item.Flags, item.Type, item.Value});
      AddMatch(items);
      found = true;
    }
    return found;
  }

  // The notes Name finds in each of Spaces, space by space; its keys are made only once.
  static std::vector<NOTEID> Matches(TAddressBookIndex& Index,
                                     const std::vector<TNameSpace>& Spaces, std::string_view Name) {
    std::string_view name = TrimBlanks(Name);
    std::vector<NOTEID> ids;
    if (name.empty()) return ids;
    if (name.back() == '*') {
      name.remove_suffix(1);
      const std::string prefix = FoldUtf8(LmbcsToUtf8(name));
      for (TNameSpace space : Spaces) {
        std::vector<NOTEID> more = Index.Prefixed(space, prefix);
        ids.insert(ids.end(), more.begin(), more.end());
      }
      return ids;
    }
    const std::vector<std::string> keys = LookupKeysOf(name);
    for (TNameSpace space : Spaces) {
      std::set<NOTEID> seen;
      for (const std::string& key : keys)
        for (NOTEID id : Index.Exact(space, key))
          if (seen.insert(id).second) ids.push_back(id);
    }
    return ids;
  }

  // The first stored item of each wanted name. A stored name is compared only with the wanted
  // names of its length and first letter: a person has dozens of items, and a listing of everybody
  // goes through thousands of people.
  void AddMatch(const std::vector<TItemView>& Stored) {
    const std::vector<std::string>& wanted = FRequest.Items;
    FMatchItems.assign(wanted.size(), nullptr);
    size_t missing = wanted.size();
    for (auto item = Stored.begin(); item != Stored.end() && missing > 0; ++item) {
      const size_t length = item->Name.size();
      if (length >= FWantedByLength.size()) continue;
      for (const TWanted& candidate : FWantedByLength[length])
        if (!FMatchItems[candidate.Index] &&
            (length == 0 || FoldItemNameChar(item->Name[0]) == candidate.First) &&
            SameItemName(item->Name, wanted[candidate.Index])) {
          FMatchItems[candidate.Index] = &*item;
          --missing;
        }
    }
    FWriter.AddMatch(FMatchItems);
  }

  const TNameLookupRequest& FRequest;
  std::vector<std::unique_ptr<TOpenBook>> FBooks;
  TNameLookupWriter FWriter;
  // Reused for every match: a listing of everybody adds thousands.
  std::vector<const TItemView*> FMatchItems;
  // The wanted item names by their length, as indexes into the request's Items with their
  // first letter folded: most names of one length already differ there.
  struct TWanted {
    size_t Index;
    char First;
  };
  std::vector<std::vector<TWanted>> FWantedByLength;
};

bool NamesSpace(std::string_view Name, std::string_view Alias) {
  // Appended, not "(" + ... + ")": GCC 12 warns wrongly (-Wrestrict) about that operator+.
  std::string title;
  title.reserve(Alias.size() + 2);
  title.append("(").append(Alias).append(")");
  size_t start = 0;
  while (start <= Name.size()) {
    size_t end = std::min(Name.find('|', start), Name.size());
    std::string_view part = TrimBlanks(Name.substr(start, end - start));
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
