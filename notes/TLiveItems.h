#pragma once

#include <vector>

class TNotesItem;

// The item objects alive for one open note, so that a write through any of them, or through
// the document, reaches them all. Every item holds the set, so that an item freed after its
// document touches no freed memory.
class TLiveItems {
 public:
  void Add(TNotesItem* Item) { FItems.push_back(Item); }
  void Remove(TNotesItem* Item);
  // Every item finds its item in the note again.
  void ReloadAll() const;

 private:
  std::vector<TNotesItem*> FItems;
};
