#pragma once

#include <cstdint>
#include <optional>
#include <set>

#include "core/HandleObject.h"
#include "core/TestedApi.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsfdata.h"

namespace notesrt {

// A set of note IDs behind an ID-table handle. Runtime code (unread marks, folders) reads and
// changes Ids() directly.
class NOTESRT_TESTED TIdTable : public THandleObject {
 public:
  static constexpr WORD KindId = NOTESRT_HANDLE_IDTABLE;

  // Adds a table holding Ids to the handle table.
  static DHANDLE Create(std::set<NOTEID> Ids = {});

  explicit TIdTable(std::set<NOTEID> Ids) : FIds(std::move(Ids)) {}
  WORD Kind() const override { return KindId; }

  std::set<NOTEID>& Ids() { return FIds; }
  // For an unread table: the database's change counter when it was read, so that bringing it up
  // to date adds only documents created since.
  std::optional<int64_t> SyncCounter() const { return FSyncCounter; }
  void SetSyncCounter(int64_t Counter) { FSyncCounter = Counter; }

 private:
  std::set<NOTEID> FIds;
  std::optional<int64_t> FSyncCounter;
};

}  // namespace notesrt
