#include "search/SearchContext.h"

#include "note/ItemName.h"
#include "search/formula/NoteContext.h"

namespace notesrt {

std::optional<TItemValue> TScannedNoteContext::ReadItem(std::string_view Name) {
  for (const TItemView& item : FNote.Items)
    if (SameItemName(item.Name, Name)) return TItemValue{item.Type, std::string(item.Value)};
  return std::nullopt;
}

std::string TScannedNoteContext::DbPath() {
  return DatabasePathOf(FDatabase);
}

std::string TScannedNoteContext::DbTitle() {
  return DatabaseTitleOf(FDatabase);
}

UNIVERSALNOTEID TScannedNoteContext::Unid() {
  const ORIGINATORID& oid = FNote.Header.Oid;
  return UNIVERSALNOTEID{{oid.File[0], oid.File[1]}, oid.Note};
}

}  // namespace notesrt
