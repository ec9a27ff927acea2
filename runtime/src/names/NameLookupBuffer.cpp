#include "names/NameLookupBuffer.h"

#include <algorithm>
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

namespace {

// The bytes an item takes after its size word; 0 for one missing or too large for the word.
size_t StoredSize(const TItemView* Item) {
  size_t size = Item ? sizeof(WORD) + Item->Value.size() : 0;
  return size > MAXWORD ? 0 : size;
}

template <class T>
char* Put(char* At, size_t Value) {
  auto value = static_cast<T>(Value);
  std::memcpy(At, &value, sizeof value);
  return At + sizeof value;
}

}  // namespace

// Measured first and written in place: one growth of the buffer per match, not one per field.
void TNameLookupWriter::AddMatch(const std::vector<const TItemView*>& Items) {
  size_t length = PartHeaderSize;
  for (const TItemView* item : Items) length += sizeof(WORD) + StoredSize(item);
  const size_t start = FBytes.size();
  if (FExpected > 0) Reserve(length);
  FBytes.resize(start + length);
  char* at = Put<WORD>(Put<DWORD>(FBytes.data() + start, length), Items.size());
  for (const TItemView* item : Items) {
    const size_t size = StoredSize(item);
    at = Put<WORD>(at, size);
    if (size == 0) continue;
    at = Put<WORD>(at, item->Type);
    std::memcpy(at, item->Value.data(), item->Value.size());
    at += item->Value.size();
  }
  if (++FMatchCount > MAXWORD) throw EStatus(ERR_MEMORY);
}

// Matches differ by the lengths of their values: half as much again as the first one leaves
// room for most, and a result that outgrows it still grows as usual. Never beyond what a
// result may hold.
void TNameLookupWriter::Reserve(size_t MatchLength) {
  const size_t room = FExpected * (MatchLength + MatchLength / 2);
  FExpected = 0;
  FBytes.reserve(std::min(FBytes.size() + room, TMemoryBlock::MaxSize));
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

TNameLookupReader::TNameLookupReader(std::string_view Bytes) : FBytes(Bytes) {
  if (FBytes.size() < HeaderSize || ReadAt<DWORD>(FBytes, 0) != Magic) return;
  const size_t length = ReadAt<DWORD>(FBytes, sizeof(DWORD));
  if (length >= HeaderSize && length <= FBytes.size()) FLength = length;
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

void TNameLookupReader::Items(size_t Match,
                              std::vector<std::optional<std::string_view>>& Items) const {
  Items.clear();
  std::optional<size_t> length = Match >= HeaderSize ? PartLength(Match, Length()) : std::nullopt;
  if (!length) return;
  const size_t end = Match + *length;
  const size_t count = ReadAt<WORD>(FBytes, Match + sizeof(DWORD));
  size_t at = Match + PartHeaderSize;
  for (size_t index = 0; index < count; ++index) {
    if (end - at < sizeof(WORD)) return;
    size_t size = ReadAt<WORD>(FBytes, at);
    at += sizeof(WORD);
    if (size > end - at) return;
    Items.push_back(size < sizeof(WORD) ? std::nullopt : std::optional(FBytes.substr(at, size)));
    at += size;
  }
}

}  // namespace notesrt
