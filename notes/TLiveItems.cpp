#include "TLiveItems.h"

#include <algorithm>

#include "TNotesItem.h"

void TLiveItems::Remove(TNotesItem* Item) {
  auto found = std::find(FItems.begin(), FItems.end(), Item);
  if (found != FItems.end()) FItems.erase(found);
}

void TLiveItems::ReloadAll() const {
  for (TNotesItem* item : FItems) item->Reload();
}
