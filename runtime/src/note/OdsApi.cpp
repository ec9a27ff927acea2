// Canonical structures: ODSLength, ODSWriteMemory and ODSReadMemory.
#include <cstring>

#include "notesapi/editods.h"
#include "notesapi/nsfdb.h"
#include "notesapi/nsfnote.h"
#include "notesapi/nsfsearc.h"

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
