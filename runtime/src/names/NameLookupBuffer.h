#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/ItemCodec.h"

namespace notesrt {

// The layout of a NAMELookup result, the runtime's own (callers only use the NAMELocate
// functions). Native byte order, no alignment:
//   buffer: DWORD Magic, DWORD Length (whole buffer), WORD record count, records
//   record: DWORD Length (whole record), WORD match count, matches
//   match:  DWORD Length (whole match), WORD item count, items
//   item:   WORD Size (0: the document lacks the item), then Size bytes: type word and value
namespace NameLookupLayout {
constexpr DWORD Magic = 0x4B4C4E4E;  // "NNLK"
constexpr size_t HeaderSize = 2 * sizeof(DWORD) + sizeof(WORD);
constexpr size_t PartHeaderSize = sizeof(DWORD) + sizeof(WORD);
}  // namespace NameLookupLayout

// Builds a result record by record.
class TNameLookupWriter {
 public:
  TNameLookupWriter();

  void BeginRecord();
  // Count more matches follow: room for them all is made at the next one, judged by its size,
  // so that a long result is written without growing (and copying) its buffer again and again.
  void ExpectMatches(size_t Count) { FExpected = Count; }
  // One document: the first item of each requested name, or null where it has none. A value
  // too large for the WORD size counts as missing.
  void AddMatch(const std::vector<const TItemView*>& Items);
  void EndRecord();
  // ERR_MEMORY when the result outgrows what a lookup may return.
  std::string Finish();

 private:
  void Reserve(size_t MatchLength);
  void AppendWord(size_t Value);
  void AppendDword(size_t Value);
  void PatchDword(size_t At, size_t Value);
  void PatchWord(size_t At, size_t Value);

  std::string FBytes;
  size_t FRecordCount = 0;
  size_t FRecordStart = 0;
  size_t FMatchCount = 0;
  size_t FExpected = 0;
};

// Reads a result held in Bytes, checking every length against the bytes it may span, so that
// a damaged buffer or a pointer that is not one of its records or matches gives nothing rather
// than a read outside it. Positions are offsets into Bytes.
class TNameLookupReader {
 public:
  explicit TNameLookupReader(std::string_view Bytes);

  bool Valid() const { return FLength > 0; }
  // The first record for no Previous, else the record after Previous.
  std::optional<size_t> NextRecord(std::optional<size_t> Previous) const;
  size_t MatchCount(size_t Record) const;
  // The first match of Record for no Previous, else the one after Previous (inside Record).
  std::optional<size_t> NextMatch(size_t Record, std::optional<size_t> Previous) const;
  // The type word and value of each item of the match at Match, in order; an item too short
  // for its type word is nullopt, and the items end where one runs past the match. Items holds
  // nothing when no match lies at Match.
  void Items(size_t Match, std::vector<std::optional<std::string_view>>& Items) const;
  // Whether a match starts at Match and lies wholly inside the buffer.
  bool IsMatch(size_t Match) const;
  // The bytes of the match at Match, which must be one.
  size_t MatchLength(size_t Match) const { return *PartLength(Match, Length()); }

 private:
  // The extent of a record or match at At: its length when it fits inside [At, Limit).
  std::optional<size_t> PartLength(size_t At, size_t Limit) const;
  size_t Length() const { return FLength; }

  std::string_view FBytes;
  // The length the header gives, checked once: 0 for bytes that are no lookup result.
  size_t FLength = 0;
};

}  // namespace notesrt
