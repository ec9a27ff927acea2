#include "acl/DirectoryGroups.h"

#include "core/Runtime.h"
#include "names/AddressBookIndex.h"
#include "names/AddressBooks.h"
#include "note/ItemName.h"
#include "storage/Database.h"
#include "storage/ItemCodec.h"
#include "storage/KeptDatabases.h"
#include "storage/TextValues.h"

namespace notesrt {

namespace {

std::vector<std::string> Texts(const std::vector<TItemView>& Items, std::string_view Name) {
  std::vector<std::string> texts;
  for (const TItemView& item : Items) {
    if (!SameItemName(item.Name, Name)) continue;
    for (std::string_view text :
         TextValuesOf(item.Type, item.Value).value_or(std::vector<std::string_view>{}))
      texts.emplace_back(text);
  }
  return texts;
}

}  // namespace

std::vector<TDirectoryGroup> DirectoryGroups(std::string_view Server) {
  std::vector<TDirectoryGroup> groups;
  std::vector<TAddressBook> books = AddressBooksOf(Server);
  if (books.empty()) return groups;
  std::shared_ptr<TDatabase> directory =
      TRuntime::Instance().Session<TKeptDatabases>().Open(books.front().File);
  std::vector<TItemView> items;
  TAddressBookIndex(directory->File())
      .ForEach(TNameSpace::Groups, [&](NOTEID, std::string_view Blob) {
        DecodeItemViews(Blob, items);
        groups.push_back(TDirectoryGroup{Texts(items, "ListName"), Texts(items, "Members")});
      });
  return groups;
}

}  // namespace notesrt
