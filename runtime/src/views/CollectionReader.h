#pragma once

#include <string>
#include <vector>

#include "notesapi/nif.h"
#include "views/CollectionRows.h"

namespace notesrt {

// One NIFReadEntries call: skip from the position, then return entries into one buffer of at
// most 65,535 bytes holding whole entries (an entry too big alone comes with its summary cut),
// each with the fields of the mask in bit order.
struct TReadRequest {
  WORD SkipNavigator = NAVIGATE_NEXT;
  DWORD SkipCount = 0;
  WORD ReturnNavigator = NAVIGATE_NEXT;
  DWORD ReturnCount = 0;
  DWORD ReturnMask = 0;
};

struct TReadResult {
  std::string Buffer;
  DWORD Skipped = 0;
  DWORD Returned = 0;
  WORD Signals = 0;
};

// The read masks and navigators the runtime serves; others are ERR_UNSUPPORTED_FLAGS.
bool ReadSupported(const TReadRequest& Request);

// Moves Position to the last entry returned (SIGNAL_MORE_TO_DO then says entries remain).
TReadResult ReadEntries(const std::vector<TCollectionRow>& Rows, COLLECTIONPOSITION& Position,
                        const TReadRequest& Request);

}  // namespace notesrt
