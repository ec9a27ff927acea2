#include "NotesLock.h"

TNotesLock::TNotesLock(DHANDLE Handle) : FHandle(Handle) {
  if (FHandle != NULLHANDLE) FData = OSLock(char, FHandle);
}

TNotesLock::TNotesLock(BLOCKID Block) : TNotesLock(Block.pool) {
  if (FData != nullptr) FData += Block.block;
}

TNotesLock::~TNotesLock() {
  if (FData != nullptr) OSUnlockObject(FHandle);
}
