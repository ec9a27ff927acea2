#include "Oid.h"

#include <random>

#include "TimeConversion.h"

namespace notesrt {

ORIGINATORID NewOid() {
  std::random_device random;
  ORIGINATORID oid{};
  oid.File[0] = random();
  oid.File[1] = random();
  oid.Note = CurrentTimeDate();
  return oid;
}

UNIVERSALNOTEID UnidOf(const ORIGINATORID& Oid) {
  return UNIVERSALNOTEID{{Oid.File[0], Oid.File[1]}, Oid.Note};
}

}  // namespace notesrt
