#pragma once

#include <memory>
#include <vector>

class TNotesItem;

// The items of one name in note order, as LoadMultipleItems hands them out: the first is the
// document's own object (the one GetItemByName gives), the others belong to the list.
class TNotesItemList {
 public:
  TNotesItemList();
  ~TNotesItemList();
  TNotesItemList(TNotesItemList&&) noexcept;
  TNotesItemList& operator=(TNotesItemList&&) noexcept;

  size_t size() const { return FItems.size(); }
  bool empty() const { return FItems.empty(); }
  TNotesItem* operator[](size_t Index) const { return FItems[Index]; }
  std::vector<TNotesItem*>::const_iterator begin() const { return FItems.begin(); }
  std::vector<TNotesItem*>::const_iterator end() const { return FItems.end(); }

  void AddBorrowed(TNotesItem* Item) { FItems.push_back(Item); }
  void AddOwned(std::unique_ptr<TNotesItem> Item);

 private:
  std::vector<TNotesItem*> FItems;
  std::vector<std::unique_ptr<TNotesItem>> FOwned;
};
