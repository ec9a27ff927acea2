#include "TAppendedItems.h"

#include "NotesItemValues.h"

TAppendedItems::TAppendedItems(NOTEHANDLE Note, std::string LmbcsName)
    : FNote(Note), FLmbcsName(std::move(LmbcsName)) {
  const std::vector<TItemValue> before = ItemValuesAfter(FNote, FLmbcsName, BLOCKID{});
  if (!before.empty()) FLastBefore = before.back().Item;
}

void TAppendedItems::Remove() const {
  for (const TItemValue& appended : ItemValuesAfter(FNote, FLmbcsName, FLastBefore))
    NSFItemDeleteByBLOCKID(FNote, appended.Item);
}
