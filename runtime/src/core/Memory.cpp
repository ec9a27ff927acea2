// Memory handles. Where Notes would PANIC on a bad handle, these return a status instead.
#include "core/ApiCall.h"
#include "core/HandleTable.h"
#include "core/IdTable.h"
#include "core/MemoryBlock.h"
#include "notesapi/miscerr.h"
#include "notesapi/notesrt.h"
#include "notesapi/osmem.h"

using notesrt::EStatus;
using notesrt::THandleTable;
using notesrt::TMemoryBlock;

namespace {

// A block the caller may free or resize: not locked and not the runtime's.
TMemoryBlock& CallerBlock(DHANDLE Handle) {
  TMemoryBlock& block = THandleTable::Instance().Get<TMemoryBlock>(Handle);
  if (block.RuntimeOwned()) throw EStatus(ERR_NOTESRT_RUNTIME_OWNED);
  if (block.LockCount() > 0) throw EStatus(ERR_NOTESRT_LOCKED);
  return block;
}

}  // namespace

// Size 0 fails with ERR_MISC_INVALID_ARGS (Notes returns NULLHANDLE without saying why).
STATUS LNPUBLIC OSMemAlloc(WORD, DWORD dwSize, DHANDLE* retHandle) {
  if (retHandle) *retHandle = NULLHANDLE;
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!retHandle) return ERR_MISC_INVALID_ARGS;
    *retHandle = TMemoryBlock::Allocate(dwSize);
    return NOERROR;
  });
}

// ID tables and access control lists are memory objects in Notes too, so their handles are
// accepted here.
STATUS LNPUBLIC OSMemFree(DHANDLE Handle) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    THandleTable& table = THandleTable::Instance();
    if (table.Remove(Handle, notesrt::TIdTable::KindId)) return NOERROR;
    if (table.Remove(Handle, NOTESRT_HANDLE_ACL)) return NOERROR;
    CallerBlock(Handle);
    table.Remove(Handle, TMemoryBlock::KindId);
    return NOERROR;
  });
}

STATUS LNPUBLIC OSMemGetSize(DHANDLE Handle, DWORD* retSize) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TMemoryBlock& block = THandleTable::Instance().Get<TMemoryBlock>(Handle);
    if (retSize) *retSize = static_cast<DWORD>(block.Size());
    return NOERROR;
  });
}

// A locked block is not moved: the caller's pointer into it would dangle.
STATUS LNPUBLIC OSMemRealloc(DHANDLE Handle, DWORD NewSize) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TMemoryBlock& block = CallerBlock(Handle);
    if (NewSize == 0) return ERR_MISC_INVALID_ARGS;
    block.Resize(NewSize);
    return NOERROR;
  });
}

void* LNPUBLIC OSLockObject(DHANDLE Handle) {
  return notesrt::ApiValueCall<void*>(nullptr, [&]() -> void* {
    TMemoryBlock* block = THandleTable::Instance().Find<TMemoryBlock>(Handle);
    return block ? block->Lock() : nullptr;
  });
}

// FALSE for a bad handle or one that is not locked (Notes always says TRUE).
BOOL LNPUBLIC OSUnlockObject(DHANDLE Handle) {
  return notesrt::ApiValueCall<BOOL>(FALSE, [&]() -> BOOL {
    TMemoryBlock* block = THandleTable::Instance().Find<TMemoryBlock>(Handle);
    return block && block->Unlock() ? TRUE : FALSE;
  });
}
