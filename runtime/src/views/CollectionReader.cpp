#include "views/CollectionReader.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "notesapi/nsfnote.h"
#include "search/SearchSummary.h"
#include "storage/StoredValue.h"

namespace notesrt {

namespace {

constexpr DWORD SupportedMask =
    READ_MASK_NOTEID | READ_MASK_NOTECLASS | READ_MASK_INDENTLEVELS | READ_MASK_SUMMARY;
constexpr size_t BufferLimit = 0xFFFF;

// Where a position points: the first row at or after it, and whether it is that row itself.
struct TCursor {
  size_t Index = 0;
  bool Exact = false;
};

bool NavigatorSupported(WORD Navigator) {
  if (Navigator & (NAVIGATE_MINLEVEL | NAVIGATE_MAXLEVEL)) return false;
  switch (Navigator & NAVIGATE_MASK) {
    case NAVIGATE_CURRENT:
    case NAVIGATE_NEXT:
    case NAVIGATE_PREV:
    case NAVIGATE_NEXT_CATEGORY:
    case NAVIGATE_NEXT_NONCATEGORY:
      return true;
    default:
      return false;
  }
}

bool StopsAt(const TCollectionRow& Row, WORD Navigator) {
  switch (Navigator & NAVIGATE_MASK) {
    case NAVIGATE_NEXT_CATEGORY:
      return (Row.Id & NOTEID_CATEGORY_TOTAL) == NOTEID_CATEGORY;
    case NAVIGATE_NEXT_NONCATEGORY:
      return Row.IsDocument();
    default:
      return true;
  }
}

TCursor CursorAt(const std::vector<TCollectionRow>& Rows, const COLLECTIONPOSITION& Position) {
  size_t depth = std::min<size_t>(Position.Level + 1u, MAXTUMBLERLEVELS);
  std::vector<DWORD> path(Position.Tumbler, Position.Tumbler + depth);
  if (path.front() == 0) return {};
  auto found = std::lower_bound(
      Rows.begin(), Rows.end(), path,
      [](const TCollectionRow& Row, const std::vector<DWORD>& Path) { return Row.Tumbler < Path; });
  return {static_cast<size_t>(found - Rows.begin()), found != Rows.end() && found->Tumbler == path};
}

std::optional<TCursor> Move(const std::vector<TCollectionRow>& Rows, TCursor From, WORD Navigator) {
  WORD step = Navigator & NAVIGATE_MASK;
  if (step == NAVIGATE_CURRENT && From.Exact) return From;
  if (step == NAVIGATE_PREV)
    return From.Index == 0 ? std::nullopt : std::optional<TCursor>(TCursor{From.Index - 1, true});
  for (size_t index = From.Exact ? From.Index + 1 : From.Index; index < Rows.size(); ++index)
    if (StopsAt(Rows[index], Navigator)) return TCursor{index, true};
  return std::nullopt;
}

void SetPosition(COLLECTIONPOSITION& Position, const TCollectionRow& Row) {
  Position.Level = static_cast<WORD>(Row.Tumbler.size() - 1);
  std::fill(std::begin(Position.Tumbler), std::end(Position.Tumbler), 0);
  std::copy(Row.Tumbler.begin(), Row.Tumbler.end(), Position.Tumbler);
}

// Appends the fields of one entry to Buffer, the summary cut to Room bytes of the entry when it
// must be. Straight into the buffer: a view is read whole, entry by entry.
void AppendEntry(const TCollectionRow& Row, DWORD Mask, size_t Room, std::string& Buffer) {
  const size_t start = Buffer.size();
  if (Mask & READ_MASK_NOTEID) Buffer.append(BytesOf(Row.Id));
  if (Mask & READ_MASK_NOTECLASS) {
    WORD noteClass = Row.IsDocument() ? NOTE_CLASS_DOCUMENT : 0;
    Buffer.append(BytesOf(noteClass));
  }
  if (Mask & READ_MASK_INDENTLEVELS) Buffer.append(BytesOf(Row.Indent));
  if (!(Mask & READ_MASK_SUMMARY)) return;
  const size_t fields = Buffer.size() - start;
  if (fields + Row.Summary.size() <= Room) {
    Buffer += Row.Summary;
    return;
  }
  auto keepAll = [](size_t, std::string_view) { return true; };
  Buffer += TSummaryTable::Copy(Row.Summary, Room - fields, keepAll).Bytes();
}

class TEntryReader {
 public:
  TEntryReader(const std::vector<TCollectionRow>& Rows, const TReadRequest& Request)
      : FRows(Rows), FRequest(Request) {}

  TReadResult Read(COLLECTIONPOSITION& Position);

 private:
  std::optional<TCursor> Skip(TCursor From, DWORD& Skipped) const;
  void Collect(TCursor First, COLLECTIONPOSITION& Position, TReadResult& Result) const;

  const std::vector<TCollectionRow>& FRows;
  const TReadRequest& FRequest;
};

TReadResult TEntryReader::Read(COLLECTIONPOSITION& Position) {
  TReadResult result;
  std::optional<TCursor> first = Skip(CursorAt(FRows, Position), result.Skipped);
  if (first) Collect(*first, Position, result);
  return result;
}

std::optional<TCursor> TEntryReader::Skip(TCursor From, DWORD& Skipped) const {
  TCursor cursor = From;
  for (DWORD step = 0; step < FRequest.SkipCount; ++step, ++Skipped) {
    std::optional<TCursor> next = Move(FRows, cursor, FRequest.SkipNavigator);
    if (!next) return std::nullopt;
    cursor = *next;
  }
  return cursor.Exact ? cursor : Move(FRows, cursor, NAVIGATE_CURRENT);
}

void TEntryReader::Collect(TCursor First, COLLECTIONPOSITION& Position, TReadResult& Result) const {
  bool once = (FRequest.ReturnNavigator & NAVIGATE_MASK) == NAVIGATE_CURRENT;
  for (std::optional<TCursor> cursor = First; cursor && Result.Returned < FRequest.ReturnCount;
       cursor = Move(FRows, *cursor, FRequest.ReturnNavigator)) {
    const TCollectionRow& row = FRows[cursor->Index];
    // Only the first entry may be cut to fit: any later one waits for the next call.
    size_t room = Result.Returned == 0 ? BufferLimit : SIZE_MAX;
    const size_t before = Result.Buffer.size();
    AppendEntry(row, FRequest.ReturnMask, room, Result.Buffer);
    if (Result.Buffer.size() > BufferLimit) {
      Result.Buffer.resize(before);
      Result.Signals |= SIGNAL_MORE_TO_DO;
      return;
    }
    ++Result.Returned;
    SetPosition(Position, row);
    if (once) return;
  }
}

}  // namespace

bool ReadSupported(const TReadRequest& Request) {
  return (Request.ReturnMask & ~SupportedMask) == 0 && NavigatorSupported(Request.SkipNavigator) &&
         NavigatorSupported(Request.ReturnNavigator);
}

TReadResult ReadEntries(const std::vector<TCollectionRow>& Rows, COLLECTIONPOSITION& Position,
                        const TReadRequest& Request) {
  return TEntryReader(Rows, Request).Read(Position);
}

}  // namespace notesrt
