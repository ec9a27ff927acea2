#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "names/AddressBookKeys.h"
#include "storage/NoteObserver.h"

namespace notesrt {

class TDbFile;

// The lookup keys of the person and group documents of one database, kept in tables of their
// own beside the notes and brought up to date inside every write that stores or deletes a
// note, so that a lookup reads the keys instead of every document. The tables appear with the
// first person or group saved: a database that never held one has none.
class TAddressBookIndex : public INoteObserver {
 public:
  explicit TAddressBookIndex(TDbFile& File) : FFile(File) {}

  void NoteStored(const TStoredNote& Note) override;
  void NoteDeleted(NOTEID Id) override;

  // The documents with Key, in note ID order.
  std::vector<NOTEID> Exact(TNameSpace Space, std::string_view Key);
  // The documents with a key that begins with Prefix, in key order, each once.
  std::vector<NOTEID> Prefixed(TNameSpace Space, std::string_view Prefix);
  // How many documents ForEach visits at most, over all spaces.
  size_t CountAll();
  // Every document of Space once, in the order of its first key, with its items as stored
  // (ItemCodec.h): one statement for all of them rather than one per document.
  void ForEach(TNameSpace Space,
               const std::function<void(NOTEID Id, std::string_view Items)>& Visit);

 private:
  bool HasTables();
  void CreateTables();
  void Forget(NOTEID Id);
  void Insert(NOTEID Id, const TAddressBookEntry& Entry);

  TDbFile& FFile;
};

}  // namespace notesrt
