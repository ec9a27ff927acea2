// NAMELookup and the functions that walk its result.
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/ApiCall.h"
#include "names/NameLookup.h"
#include "names/NameLookupBuffer.h"
#include "names/NameLookupBuffers.h"
#include "names/NameLookupValues.h"
#include "notesapi/lookup.h"
#include "notesapi/miscerr.h"
#include "notesapi/niferr.h"
#include "notesapi/odserr.h"
#include "text/BufferText.h"

using notesrt::EStatus;
using notesrt::TNameLookupBuffers;
using notesrt::TNameLookupReader;

namespace {

// Count NUL-terminated strings packed back to back. A string is bounded by the largest text a
// WORD length can carry, so a list without its terminators is refused rather than overrun.
std::vector<std::string> Unpacked(const char* Packed, WORD Count) {
  if (Count > 0 && !Packed) throw EStatus(ERR_MISC_INVALID_ARGS);
  std::vector<std::string> strings;
  for (WORD index = 0; index < Count; ++index) {
    size_t length = strnlen(Packed, MAXWORD);
    if (length == MAXWORD) throw EStatus(ERR_MISC_INVALID_ARGS);
    strings.emplace_back(Packed, length);
    Packed += length + 1;
  }
  return strings;
}

notesrt::TNameLookupRequest RequestOf(WORD Flags, WORD NumNameSpaces, const char* NameSpaces,
                                      WORD NumNames, const char* Names, WORD NumItems,
                                      const char* Items) {
  if (NumNameSpaces == 0 || NumNames == 0) throw EStatus(ERR_MISC_INVALID_ARGS);
  notesrt::TNameLookupRequest request;
  request.Flags = Flags;
  for (const std::string& space : Unpacked(NameSpaces, NumNameSpaces))
    request.Spaces.push_back(notesrt::NameSpaceOf(space));
  request.Names = Unpacked(Names, NumNames);
  request.Items = Unpacked(Items, NumItems);
  return request;
}

// Item Item of the match at Match: its type word and value; nullopt when it is not there.
std::optional<std::string_view> MatchItem(const void* Match, WORD Item) {
  const auto* items = TNameLookupBuffers::Instance().MatchItems(Match);
  if (!items || Item >= items->size()) return std::nullopt;
  return (*items)[Item];
}

// The offset of Pointer inside the result Bytes, which ResultAt has just found locked; nullopt
// when it points elsewhere.
std::optional<size_t> OffsetIn(std::string_view Bytes, const void* Pointer) {
  std::less_equal<const void*> notAfter;
  if (!notAfter(Bytes.data(), Pointer) || notAfter(Bytes.data() + Bytes.size(), Pointer))
    return std::nullopt;
  return static_cast<size_t>(static_cast<const char*>(Pointer) - Bytes.data());
}

std::optional<TNameLookupBuffers::TPosition> ResultAt(const void* Lookup) {
  auto position = TNameLookupBuffers::Instance().Find(Lookup);
  if (!position || position->Offset != 0 || !TNameLookupReader(position->Bytes).Valid())
    return std::nullopt;
  return position;
}

}  // namespace

STATUS LNPUBLIC NAMELookup(const char* ServerName, WORD Flags, WORD NumNameSpaces,
                           const char* NameSpaces, WORD NumNames, const char* Names, WORD NumItems,
                           const char* Items, DHANDLE* rethBuffer) {
  if (rethBuffer) *rethBuffer = NULLHANDLE;
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!rethBuffer) return ERR_MISC_INVALID_ARGS;
    notesrt::TNameLookupRequest request =
        RequestOf(Flags, NumNameSpaces, NameSpaces, NumNames, Names, NumItems, Items);
    std::string result = notesrt::LookUpNames(ServerName ? ServerName : "", request);
    *rethBuffer = TNameLookupBuffers::Instance().Add(std::move(result));
    return NOERROR;
  });
}

void* LNPUBLIC NAMELocateNextName(void* pLookup, void* pName, WORD* retNumMatches) {
  if (retNumMatches) *retNumMatches = 0;
  return notesrt::ApiValueCall<void*>(nullptr, [&]() -> void* {
    auto result = ResultAt(pLookup);
    if (!result) return nullptr;
    TNameLookupReader reader(result->Bytes);
    std::optional<size_t> previous;
    if (pName) {
      previous = OffsetIn(result->Bytes, pName);
      if (!previous) return nullptr;
    }
    std::optional<size_t> record = reader.NextRecord(previous);
    if (!record) return nullptr;
    if (retNumMatches) *retNumMatches = static_cast<WORD>(reader.MatchCount(*record));
    return static_cast<char*>(pLookup) + *record;
  });
}

void* LNPUBLIC NAMELocateNextMatch(void* pLookup, void* pName, void* pMatch) {
  return notesrt::ApiValueCall<void*>(nullptr, [&]() -> void* {
    auto result = ResultAt(pLookup);
    if (!result) return nullptr;
    TNameLookupReader reader(result->Bytes);
    std::optional<size_t> record = OffsetIn(result->Bytes, pName);
    if (!record) return nullptr;
    std::optional<size_t> previous;
    if (pMatch) {
      previous = OffsetIn(result->Bytes, pMatch);
      if (!previous) return nullptr;
    }
    std::optional<size_t> match = reader.NextMatch(*record, previous);
    return match ? static_cast<char*>(pLookup) + *match : nullptr;
  });
}

void* LNPUBLIC NAMELocateItem(void* pMatch, WORD Item, WORD* retDataType, WORD* retSize) {
  if (retDataType) *retDataType = 0;
  if (retSize) *retSize = 0;
  return notesrt::ApiValueCall<void*>(nullptr, [&]() -> void* {
    std::optional<std::string_view> value = MatchItem(pMatch, Item);
    if (!value) return nullptr;
    WORD type;
    std::memcpy(&type, value->data(), sizeof type);
    if (retDataType) *retDataType = type;
    if (retSize) *retSize = static_cast<WORD>(value->size());
    return const_cast<char*>(value->data());
  });
}

STATUS LNPUBLIC NAMEGetTextItem(void* pMatch, WORD Item, WORD Member, char* Buffer, WORD BufLen) {
  if (Buffer && BufLen > 0) *Buffer = '\0';
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!TNameLookupBuffers::Instance().MatchItems(pMatch) || !Buffer || BufLen == 0)
      return ERR_MISC_INVALID_ARGS;
    std::optional<std::string_view> value = MatchItem(pMatch, Item);
    if (!value) return ERR_NO_SUCH_ITEM;
    WORD type;
    std::memcpy(&type, value->data(), sizeof type);
    bool convertible = true;
    std::optional<std::string> text =
        notesrt::TextMemberOf(type, value->substr(sizeof type), Member, convertible);
    if (!convertible) return ERR_DATATYPE;
    if (!text) return ERR_NO_MORE_MEMBERS;
    notesrt::CopyToBuffer(*text, Buffer, BufLen);
    return NOERROR;
  });
}
