// Text lists in memory handles, and reading lists through a pointer.
#include <cstring>

#include "core/ApiCall.h"
#include "core/HandleTable.h"
#include "core/MemoryBlock.h"
#include "core/TextList.h"
#include "notesapi/miscerr.h"
#include "notesapi/odserr.h"
#include "notesapi/textlist.h"

using notesrt::EStatus;
using notesrt::TMemoryBlock;
using notesrt::TTextList;

namespace {

// A WORD size field caps every list.
constexpr size_t MaxListSize = 0xFFFF;

TMemoryBlock& ListBlock(DHANDLE hList) {
  TMemoryBlock& block = notesrt::THandleTable::Instance().Get<TMemoryBlock>(hList);
  if (block.RuntimeOwned()) throw EStatus(ERR_NOTESRT_RUNTIME_OWNED);
  return block;
}

TTextList ParseBlock(TMemoryBlock& Block, bool Prefixed) {
  std::optional<TTextList> list = TTextList::Parse(Block.Data(), Block.Size(), Prefixed);
  if (!list) throw EStatus(ERR_MISC_INVALID_ARGS);
  return std::move(*list);
}

// Replaces the block's contents with the list; the handle stays, the data may move.
void Store(TMemoryBlock& Block, const TTextList& List, WORD* pListSize) {
  std::string bytes = List.Serialize();
  if (bytes.size() > MaxListSize) throw EStatus(ERR_SEGMENT_TOO_BIG);
  Block.Resize(bytes.size());
  std::memcpy(Block.Data(), bytes.data(), bytes.size());
  if (pListSize) *pListSize = static_cast<WORD>(bytes.size());
}

const char* ListStart(const void* pList, BOOL fPrefixDataType) {
  return static_cast<const char*>(pList) + TTextList::HeaderOffset(fPrefixDataType);
}

}  // namespace

// The list comes back locked, as published; the caller unlocks it before freeing.
STATUS LNPUBLIC ListAllocate(WORD ListEntries, WORD TextSize, BOOL fPrefixDataType,
                             DHANDLE* rethList, void* retpList, WORD* retListSize) {
  if (rethList) *rethList = NULLHANDLE;
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!rethList) return ERR_MISC_INVALID_ARGS;
    size_t header = TTextList::HeaderOffset(fPrefixDataType);
    size_t size = header + sizeof(LIST) + ListEntries * sizeof(WORD) + TextSize;
    if (size > MaxListSize) return ERR_SEGMENT_TOO_BIG;
    DHANDLE handle = TMemoryBlock::Allocate(size);
    auto& block = notesrt::THandleTable::Instance().Get<TMemoryBlock>(handle);
    if (fPrefixDataType) TTextList::WriteWord(block.Data(), TYPE_TEXT_LIST);
    TTextList::WriteWord(block.Data() + header, ListEntries);
    void* pointer = block.Lock();
    if (retpList) std::memcpy(retpList, &pointer, sizeof pointer);
    if (retListSize) *retListSize = static_cast<WORD>(size);
    *rethList = handle;
    return NOERROR;
  });
}

// EntryNumber may be at most the current count (append); beyond it fails with
// ERR_ODS_NO_SUCH_ENTRY and the list stays as it was.
STATUS LNPUBLIC ListAddEntry(DHANDLE hList, BOOL fPrefixDataType, WORD* pListSize, WORD EntryNumber,
                             const char* Text, WORD TextSize) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!Text && TextSize > 0) return ERR_MISC_INVALID_ARGS;
    TMemoryBlock& block = ListBlock(hList);
    TTextList list = ParseBlock(block, fPrefixDataType);
    if (EntryNumber > list.Count()) return ERR_ODS_NO_SUCH_ENTRY;
    list.Insert(EntryNumber, std::string_view(Text ? Text : "", TextSize));
    Store(block, list, pListSize);
    return NOERROR;
  });
}

STATUS LNPUBLIC ListRemoveEntry(DHANDLE hList, BOOL fPrefixDataType, WORD* pListSize,
                                WORD EntryNumber) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TMemoryBlock& block = ListBlock(hList);
    TTextList list = ParseBlock(block, fPrefixDataType);
    if (EntryNumber >= list.Count()) return ERR_ODS_NO_SUCH_ENTRY;
    list.Remove(EntryNumber);
    Store(block, list, pListSize);
    return NOERROR;
  });
}

// The functions below read a list the caller holds locked; they cannot check its size, only
// that the pointer is not null.
WORD LNPUBLIC ListGetNumEntries(const void* vList, BOOL NoteItem) {
  return vList ? TTextList::ReadWord(ListStart(vList, NoteItem)) : 0;
}

STATUS LNPUBLIC ListGetText(const void* pList, BOOL fPrefixDataType, WORD EntryNumber,
                            char** retTextPointer, WORD* retTextLength) {
  if (!pList) return ERR_MISC_INVALID_ARGS;
  const char* header = ListStart(pList, fPrefixDataType);
  WORD count = TTextList::ReadWord(header);
  if (EntryNumber >= count) return ERR_ODS_NO_SUCH_ENTRY;
  const char* lengths = header + sizeof(LIST);
  size_t offset = sizeof(LIST) + count * sizeof(WORD);
  for (WORD index = 0; index < EntryNumber; ++index)
    offset += TTextList::ReadWord(lengths + index * sizeof(WORD));
  if (retTextPointer) *retTextPointer = const_cast<char*>(header + offset);
  if (retTextLength) *retTextLength = TTextList::ReadWord(lengths + EntryNumber * sizeof(WORD));
  return NOERROR;
}

WORD LNPUBLIC ListGetSize(const void* pList, BOOL fPrefixDataType) {
  if (!pList) return 0;
  const char* header = ListStart(pList, fPrefixDataType);
  WORD count = TTextList::ReadWord(header);
  size_t size = TTextList::HeaderOffset(fPrefixDataType) + sizeof(LIST) + count * sizeof(WORD);
  for (WORD index = 0; index < count; ++index)
    size += TTextList::ReadWord(header + sizeof(LIST) + index * sizeof(WORD));
  return static_cast<WORD>(size);
}
