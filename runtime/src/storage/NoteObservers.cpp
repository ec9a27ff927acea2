#include "storage/NoteObservers.h"

#include "acl/ReaderIndex.h"
#include "fulltext/FullTextIndex.h"
#include "names/AddressBookIndex.h"
#include "storage/FolderStore.h"

namespace notesrt {

TNoteObservers::TNoteObservers(TDbFile& File) {
  FObservers.push_back(std::make_unique<TAddressBookIndex>(File));
  FObservers.push_back(std::make_unique<TFolderStore>(File));
  FObservers.push_back(std::make_unique<TFullTextIndex>(File));
  FObservers.push_back(std::make_unique<TReaderIndex>(File));
}

void TNoteObservers::NoteStored(const TStoredNote& Note) {
  for (const auto& observer : FObservers) observer->NoteStored(Note);
}

void TNoteObservers::NoteDeleted(NOTEID Id) {
  for (const auto& observer : FObservers) observer->NoteDeleted(Id);
}

}  // namespace notesrt
