#include "core/IdTable.h"

#include <memory>

#include "core/HandleTable.h"

namespace notesrt {

DHANDLE TIdTable::Create(std::set<NOTEID> Ids) {
  return THandleTable::Instance().Add(std::make_unique<TIdTable>(std::move(Ids)));
}

}  // namespace notesrt
