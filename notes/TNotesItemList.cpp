#include "TNotesItemList.h"

#include "TNotesItem.h"

TNotesItemList::TNotesItemList() = default;
TNotesItemList::~TNotesItemList() = default;
TNotesItemList::TNotesItemList(TNotesItemList&&) noexcept = default;
TNotesItemList& TNotesItemList::operator=(TNotesItemList&&) noexcept = default;

void TNotesItemList::AddOwned(std::unique_ptr<TNotesItem> Item) {
  FItems.push_back(Item.get());
  FOwned.push_back(std::move(Item));
}
