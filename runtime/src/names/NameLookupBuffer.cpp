#include "names/NameLookupBuffer.h"

#include <cstring>

#include "core/EStatus.h"
#include "core/MemoryBlock.h"
#include "notesapi/oserr.h"
#include "storage/StoredValue.h"

namespace notesrt {

using namespace NameLookupLayout;

TNameLookupWriter::TNameLookupWriter() {
  AppendDword(Magic);
  AppendDword(0);
  AppendWord(0);
}

void TNameLookupWriter::BeginRecord() {
  FRecordStart = FBytes.size();
  FMatchCount = 0;
  AppendDword(0);
  AppendWord(0);
}

void TNameLookupWriter::AddMatch(const std::vector<const TItemView*>& Items) {
  size_t start = FBytes.size();
  AppendDword(0);
  AppendWord(Items.size());
  for (const TItemView* item : Items) {
    size_t size = item ? sizeof(WORD) + item->Value.size() : 0;
    if (size > MAXWORD) size = 0;
    AppendWord(size);
    if (size == 0) continue;
    AppendWord(item->Type);
    FBytes += item->Value;
  }
  PatchDword(start, FBytes.size() - start);
  if (++FMatchCount > MAXWORD) throw EStatus(ERR_MEMORY);
}

void TNameLookupWriter::EndRecord() {
  PatchDword(FRecordStart, FBytes.size() - FRecordStart);
  PatchWord(FRecordStart + sizeof(DWORD), FMatchCount);
  ++FRecordCount;
}

std::string TNameLookupWriter::Finish() {
  if (FBytes.size() > TMemoryBlock::MaxSize) throw EStatus(ERR_MEMORY);
  PatchDword(sizeof(DWORD), FBytes.size());
  PatchWord(2 * sizeof(DWORD), FRecordCount);
  return std::move(FBytes);
}

void TNameLookupWriter::AppendWord(size_t Value) {
  auto word = static_cast<WORD>(Value);
  FBytes.append(reinterpret_cast<const char*>(&word), sizeof word);
}

void TNameLookupWriter::AppendDword(size_t Value) {
  auto dword = static_cast<DWORD>(Value);
  FBytes.append(reinterpret_cast<const char*>(&dword), sizeof dword);
}

void TNameLookupWriter::PatchDword(size_t At, size_t Value) {
  auto dword = static_cast<DWORD>(Value);
  std::memcpy(FBytes.data() + At, &dword, sizeof dword);
}

void TNameLookupWriter::PatchWord(size_t At, size_t Value) {
  auto word = static_cast<WORD>(Value);
  std::memcpy(FBytes.data() + At, &word, sizeof word);
}

bool TNameLookupReader::Valid() const {
  return FBytes.size() >= HeaderSize && ReadAt<DWORD>(FBytes, 0) == Magic &&
         ReadAt<DWORD>(FBytes, sizeof(DWORD)) >= HeaderSize &&
         ReadAt<DWORD>(FBytes, sizeof(DWORD)) <= FBytes.size();
}

size_t TNameLookupReader::Length() const {
  return Valid() ? ReadAt<DWORD>(FBytes, sizeof(DWORD)) : 0;
}

std::optional<size_t> TNameLookupReader::PartLength(size_t At, size_t Limit) const {
  if (At > Limit || Limit - At < PartHeaderSize) return std::nullopt;
  size_t length = ReadAt<DWORD>(FBytes, At);
  if (length < PartHeaderSize || length > Limit - At) return std::nullopt;
  return length;
}

std::optional<size_t> TNameLookupReader::NextRecord(std::optional<size_t> Previous) const {
  size_t end = Length();
  size_t next = HeaderSize;
  if (Previous) {
    if (*Previous < HeaderSize) return std::nullopt;
    std::optional<size_t> length = PartLength(*Previous, end);
    if (!length) return std::nullopt;
    next = *Previous + *length;
  }
  if (!PartLength(next, end)) return std::nullopt;
  return next;
}

size_t TNameLookupReader::MatchCount(size_t Record) const {
  if (Record < HeaderSize || !PartLength(Record, Length())) return 0;
  return ReadAt<WORD>(FBytes, Record + sizeof(DWORD));
}

std::optional<size_t> TNameLookupReader::NextMatch(size_t Record,
                                                   std::optional<size_t> Previous) const {
  if (Record < HeaderSize) return std::nullopt;
  std::optional<size_t> recordLength = PartLength(Record, Length());
  if (!recordLength) return std::nullopt;
  size_t end = Record + *recordLength;
  size_t next = Record + PartHeaderSize;
  if (Previous) {
    if (*Previous < next) return std::nullopt;
    std::optional<size_t> length = PartLength(*Previous, end);
    if (!length) return std::nullopt;
    next = *Previous + *length;
  }
  if (!PartLength(next, end)) return std::nullopt;
  return next;
}

bool TNameLookupReader::IsMatch(size_t Match) const {
  return Match >= HeaderSize && PartLength(Match, Length()).has_value();
}

std::optional<std::string_view> TNameLookupReader::Item(size_t Match, size_t Item) const {
  std::optional<size_t> length = Match >= HeaderSize ? PartLength(Match, Length()) : std::nullopt;
  if (!length) return std::nullopt;
  size_t end = Match + *length;
  size_t count = ReadAt<WORD>(FBytes, Match + sizeof(DWORD));
  if (Item >= count) return std::nullopt;
  size_t at = Match + PartHeaderSize;
  for (size_t index = 0;; ++index) {
    if (end - at < sizeof(WORD)) return std::nullopt;
    size_t size = ReadAt<WORD>(FBytes, at);
    at += sizeof(WORD);
    if (size > end - at) return std::nullopt;
    if (index == Item) {
      if (size < sizeof(WORD)) return std::nullopt;
      return FBytes.substr(at, size);
    }
    at += size;
  }
}

}  // namespace notesrt
