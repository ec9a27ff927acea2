// Canonical structures (ODSLength, ODSWriteMemory, ODSReadMemory) and the CD record walk
// (EnumCompositeBuffer).
#include <cstring>

#include "core/ApiCall.h"
#include "core/HandleTable.h"
#include "core/MemoryBlock.h"
#include "note/CdRecords.h"
#include "note/ItemArgs.h"
#include "notesapi/editods.h"
#include "notesapi/miscerr.h"
#include "notesapi/nsfdb.h"
#include "notesapi/nsfnote.h"
#include "notesapi/nsfsearc.h"
#include "notesapi/odserr.h"
#include "storage/StoredValue.h"

namespace {

// This machine is little-endian and the structures are packed, so a structure's bytes are its
// canonical form and its canonical size is its sizeof.
constexpr WORD CanonicalSize(WORD Type) {
  switch (Type) {
    case _WORD:
      return sizeof(WORD);
    case _DWORD:
      return sizeof(DWORD);
    case _NUMBER:
      return sizeof(NUMBER);
    case _TIMEDATE:
      return sizeof(TIMEDATE);
    case _TIMEDATE_PAIR:
      return sizeof(TIMEDATE_PAIR);
    case _LIST:
      return sizeof(LIST);
    case _RANGE:
      return sizeof(RANGE);
    case _DBID:
      return sizeof(DBID);
    case _ITEM:
      return sizeof(ITEM);
    case _ITEM_TABLE:
      return sizeof(ITEM_TABLE);
    case _ORIGINATORID:
      return sizeof(ORIGINATORID);
    case _OBJECT_DESCRIPTOR:
      return sizeof(OBJECT_DESCRIPTOR);
    case _UNIVERSALNOTEID:
      return sizeof(UNIVERSALNOTEID);
    case _NOTELINK:
      return sizeof(NOTELINK);
    case _DBREPLICAINFO:
      return sizeof(DBREPLICAINFO);
    case _FILEOBJECT:
      return sizeof(FILEOBJECT);
    case _CDLINK2:
      return sizeof(CDLINK2);
    case _CDLINKEXPORT2:
      return sizeof(CDLINKEXPORT2);
    case _CDPARAGRAPH:
      return sizeof(CDPARAGRAPH);
    case _CDPABDEFINITION:
      return sizeof(CDPABDEFINITION);
    case _CDPABREFERENCE:
      return sizeof(CDPABREFERENCE);
    case _CDTEXT:
      return sizeof(CDTEXT);
    case _CDFONTTABLE:
      return sizeof(CDFONTTABLE);
    case _CDFACE:
      return sizeof(CDFACE);
    case _CDTABLEBEGIN:
      return sizeof(CDTABLEBEGIN);
    case _CDTABLECELL:
      return sizeof(CDTABLECELL);
    case _CDTABLEEND:
      return sizeof(CDTABLEEND);
    case _CDHOTSPOTBEGIN:
      return sizeof(CDHOTSPOTBEGIN);
    case _CDHOTSPOTEND:
      return sizeof(CDHOTSPOTEND);
    case _CDBAR:
      return sizeof(CDBAR);
    default:
      return 0;
  }
}

// The published canonical sizes: a structure not packed as they are fails the build here.
static_assert(CanonicalSize(_ORIGINATORID) == 28 && CanonicalSize(_DBREPLICAINFO) == 20);
static_assert(CanonicalSize(_OBJECT_DESCRIPTOR) == 6 && CanonicalSize(_FILEOBJECT) == 36);
static_assert(CanonicalSize(_UNIVERSALNOTEID) == 16 && CanonicalSize(_NOTELINK) == 40);
static_assert(CanonicalSize(_CDLINK2) == 6 && CanonicalSize(_CDLINKEXPORT2) == 44);
static_assert(CanonicalSize(_CDPARAGRAPH) == 2 && CanonicalSize(_CDPABDEFINITION) == 70);
static_assert(CanonicalSize(_CDPABREFERENCE) == 4 && CanonicalSize(_CDTEXT) == 8);
static_assert(CanonicalSize(_CDFONTTABLE) == 6 && CanonicalSize(_CDFACE) == 34);
static_assert(CanonicalSize(_CDTABLEBEGIN) == 14 && CanonicalSize(_CDTABLECELL) == 18);
static_assert(CanonicalSize(_CDTABLEEND) == 6 && CanonicalSize(_CDHOTSPOTBEGIN) == 12);
static_assert(CanonicalSize(_CDHOTSPOTEND) == 2 && CanonicalSize(_CDBAR) == 12);

// Keeps a value's memory block locked, so that its owner cannot free or move it while a routine
// looks at it. A routine may still close the note that owns the block: Held tells.
class TValueLock {
 public:
  explicit TValueLock(DHANDLE Pool)
      : FPool(Pool),
        FBlock(&notesrt::THandleTable::Instance().Get<notesrt::TMemoryBlock>(Pool)),
        FRemovals(notesrt::THandleTable::Instance().Removals()) {
    FBlock->Lock();
  }
  ~TValueLock() {
    if (Held()) FBlock->Unlock();
  }
  TValueLock(const TValueLock&) = delete;
  TValueLock& operator=(const TValueLock&) = delete;

  // Looks the block up again only when some handle was freed since: the walk asks after every
  // record, and that must stay cheap.
  bool Held() {
    const notesrt::THandleTable& table = notesrt::THandleTable::Instance();
    if (FBlock && table.Removals() != FRemovals) {
      FRemovals = table.Removals();
      if (table.Find<notesrt::TMemoryBlock>(FPool) != FBlock) FBlock = nullptr;
    }
    return FBlock != nullptr;
  }

 private:
  DHANDLE FPool;
  notesrt::TMemoryBlock* FBlock;
  uint64_t FRemovals;
};

// The bytes of Iterations structures of Type; 0 for a type not known here.
size_t CanonicalBytes(WORD Type, WORD Iterations) {
  return size_t{CanonicalSize(Type)} * Iterations;
}

}  // namespace

WORD LNPUBLIC ODSLength(WORD Type) {
  return CanonicalSize(Type);
}

void LNPUBLIC ODSWriteMemory(void* ppDest, WORD Type, const void* Src, WORD Iterations) {
  auto* dest = static_cast<char**>(ppDest);
  const size_t length = CanonicalBytes(Type, Iterations);
  if (length == 0 || !dest || !*dest || !Src) return;
  std::memcpy(*dest, Src, length);
  *dest += length;
}

void LNPUBLIC ODSReadMemory(void* ppSrc, WORD Type, void* Dest, WORD Iterations) {
  auto* src = static_cast<const char**>(ppSrc);
  const size_t length = CanonicalBytes(Type, Iterations);
  if (length == 0 || !src || !*src || !Dest) return;
  std::memcpy(Dest, *src, length);
  *src += length;
}

// Records are checked before the routine sees them, so it never gets one that runs past the
// value. Nothing to walk (a null BLOCKID, a value without records) is success, as published.
STATUS LNPUBLIC EnumCompositeBuffer(BLOCKID ItemValue, DWORD ItemValueLength,
                                    ActionRoutinePtr ActionRoutine, void* vContext) {
  if (ISNULLBLOCKID(ItemValue) || ItemValueLength <= sizeof(WORD)) return NOERROR;
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!ActionRoutine) return ERR_MISC_INVALID_ARGS;
    TValueLock lock(ItemValue.pool);
    std::string_view value = notesrt::ValueArg(ItemValue, ItemValueLength);
    if (notesrt::ReadAt<WORD>(value, 0) != TYPE_COMPOSITE) return ERR_DATATYPE;
    std::string_view records = value.substr(sizeof(WORD));
    notesrt::TCdReader reader(records);
    for (notesrt::TCdRecord record; reader.Next(record);) {
      STATUS status = ActionRoutine(const_cast<char*>(records.data() + record.Offset),
                                    record.Signature, static_cast<DWORD>(record.Length), vContext);
      if (status != NOERROR) return status;
      if (!lock.Held()) return ERR_NOTESRT_INVALID_HANDLE;
    }
    return reader.Damaged() ? ERR_NOTESRT_RICH_TEXT_DAMAGED : NOERROR;
  });
}
