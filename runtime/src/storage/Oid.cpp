#include "storage/Oid.h"

#include "text/TimeConversion.h"

namespace notesrt {

ORIGINATORID NewOid(std::mt19937_64& Random) {
  ORIGINATORID oid{};
  uint64_t file = Random();
  oid.File[0] = static_cast<DWORD>(file);
  oid.File[1] = static_cast<DWORD>(file >> 32);
  oid.Note = CurrentTimeDate();
  return oid;
}

UNIVERSALNOTEID UnidOf(const ORIGINATORID& Oid) {
  return UNIVERSALNOTEID{{Oid.File[0], Oid.File[1]}, Oid.Note};
}

}  // namespace notesrt
