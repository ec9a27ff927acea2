#include "core/HandleTable.h"

#include <algorithm>

namespace notesrt {

namespace {

// 2^20 - 1 open handles of the 32-bit kinds, 4,095 generations before a value repeats.
constexpr unsigned WideIndexBits = 20;
// 1,023 open collections, 64 generations: all that fits a WORD.
constexpr unsigned NarrowIndexBits = 10;

bool ValidKind(WORD Kind) {
  return Kind < NOTESRT_HANDLE_KINDS;
}

}  // namespace

THandleTable::THandleTable() : FWide(WideIndexBits, 32), FNarrow(NarrowIndexBits, 16) {}

// Never destroyed, nor is any state the handles' destructors or NotesTerm reach (the runtime,
// settings, log, database registry, API lock): a host may call NotesTerm from its own static
// destructors, which run in no order the runtime can know.
THandleTable& THandleTable::Instance() {
  static THandleTable& table = *new THandleTable;
  return table;
}

DHANDLE THandleTable::Add(std::unique_ptr<THandleObject> Object) {
  WORD kind = Object->Kind();
  if (!ValidKind(kind)) throw EStatus(ERR_NOTESRT_INTERNAL);
  DHANDLE handle = SpaceFor(kind).Add(std::move(Object));
  if (handle == NULLHANDLE) throw EStatus(ERR_NOTESRT_TOO_MANY_HANDLES);
  ++FCounts[kind];
  return handle;
}

THandleObject* THandleTable::Find(DHANDLE Handle, WORD Kind) const {
  if (!ValidKind(Kind)) return nullptr;
  THandleObject* object = SpaceFor(Kind).Find(Handle);
  return object && object->Kind() == Kind ? object : nullptr;
}

std::unique_ptr<THandleObject> THandleTable::Remove(DHANDLE Handle, WORD Kind) {
  if (!Find(Handle, Kind)) return nullptr;
  --FCounts[Kind];
  ++FRemovals;
  return SpaceFor(Kind).Remove(Handle);
}

DWORD THandleTable::Count(WORD Kind) const {
  return ValidKind(Kind) ? FCounts[Kind] : 0;
}

DWORD THandleTable::TotalCount() const {
  DWORD total = 0;
  for (DWORD count : FCounts) total += count;
  return total;
}

void THandleTable::FreeAll() {
  std::vector<std::unique_ptr<THandleObject>> objects = FWide.RemoveAll();
  for (auto& object : FNarrow.RemoveAll()) objects.push_back(std::move(object));
  FCounts.fill(0);
  ++FRemovals;
  std::stable_sort(objects.begin(), objects.end(),
                   [](const auto& a, const auto& b) { return a->Kind() > b->Kind(); });
  // The table is consistent before any destructor runs, since destructors may free handles too.
  for (auto& object : objects) object.reset();
}

THandleSpace& THandleTable::SpaceFor(WORD Kind) {
  return Kind == NOTESRT_HANDLE_COLLECTION ? FNarrow : FWide;
}

const THandleSpace& THandleTable::SpaceFor(WORD Kind) const {
  return Kind == NOTESRT_HANDLE_COLLECTION ? FNarrow : FWide;
}

}  // namespace notesrt
