// Address lookup for TNotesName: NAMELookup and the reading of its result.
#include <algorithm>
#include <cstring>

#include "ELotusNotes.h"
#include "NotesCharset.h"
#include "NotesHandle.h"
#include "NotesLock.h"
#include "NotesUncutText.h"
#include "StringList.h"
#include "TNotesName.h"
#include "notesapi/niferr.h"
#include "notesapi/odserr.h"

namespace {

const char* const DefaultView = "$Users";
const char* const ValueSeparator = ", ";

// Non-empty strings, each converted to LMBCS and NUL-terminated, back to back.
struct TPacked {
  std::string Bytes;
  WORD Count = 0;
};

TPacked Packed(const TStringList& List) {
  TPacked packed;
  for (int index = 0; index < List.Count(); ++index) {
    if (List.Strings(index).empty()) continue;
    if (packed.Count == MAXWORD) throw ELotusNotes(-1, "Too many names for one lookup");
    packed.Bytes += Native2Lmbcs(List.Strings(index));
    packed.Bytes += '\0';
    ++packed.Count;
  }
  return packed;
}

// No name, or "*" alone, asks for the empty name.
TPacked PackedNames(const TStringList& Names) {
  TPacked packed = Packed(Names);
  if (packed.Count == 0 || (packed.Count == 1 && packed.Bytes == std::string("*", 2)))
    return TPacked{std::string(1, '\0'), 1};
  return packed;
}

WORD FlagsOf(const TNotesLookupOptions& Options) {
  WORD flags = 0;
  if (Options.count(nloAll)) flags |= NAME_LOOKUP_ALL;
  if (Options.count(nloNoSearch)) flags |= NAME_LOOKUP_NOSEARCHING;
  if (Options.count(nloExhaustive)) flags |= NAME_LOOKUP_EXHAUSTIVE;
  return flags;
}

// Every text value of an item, read whole: the first buffer is sized from the stored value
// and grows when the text form is longer.
std::vector<std::string> ItemValues(void* Match, WORD Item, WORD StoredSize) {
  std::vector<std::string> values;
  const WORD firstSize = static_cast<WORD>(std::min<size_t>(MAXWORD, StoredSize + 256u));
  for (WORD member = 0;; ++member) {
    STATUS status = NOERROR;
    std::string text = ReadUncutText(firstSize, [&](char* Buffer, WORD Size) {
      status = NAMEGetTextItem(Match, Item, member, Buffer, Size);
      return status == NOERROR;
    });
    if (ERR(status) == ERR_NO_MORE_MEMBERS || ERR(status) == ERR_DATATYPE) return values;
    CheckNotesStatus(status);
    values.push_back(Lmbcs2Native(text));
    if (member == MAXWORD) return values;
  }
}

// Text stops at its first NUL, as every text the runtime copies out does.
std::string NativeText(const char* Lmbcs, size_t Size) {
  return Lmbcs2Native(std::string(Lmbcs, strnlen(Lmbcs, Size)));
}

// A single text is read in place, whole; lists, numbers and times through their text members.
std::string ItemLine(void* Match, WORD Item) {
  WORD type = 0, size = 0;
  const char* value = static_cast<const char*>(NAMELocateItem(Match, Item, &type, &size));
  if (!value || size < sizeof(WORD)) return "";
  if (type == TYPE_TEXT) return NativeText(value + sizeof(WORD), size - sizeof(WORD));
  std::string line;
  for (const std::string& value : ItemValues(Match, Item, size)) {
    if (!line.empty()) line += ValueSeparator;
    line += value;
  }
  return line;
}

// Records and matches are walked by their counts; a locator that ends early ends the walk.
void ReadResult(void* Lookup, size_t Records, WORD ItemCount, std::vector<std::string>& Lines) {
  void* record = nullptr;
  for (size_t recordIndex = 0; recordIndex < Records; ++recordIndex) {
    WORD matches = 0;
    record = NAMELocateNextName(Lookup, record, &matches);
    if (!record) return;
    void* match = nullptr;
    for (WORD matchIndex = 0; matchIndex < matches; ++matchIndex) {
      match = NAMELocateNextMatch(Lookup, record, match);
      if (!match) break;
      for (WORD item = 0; item < ItemCount; ++item) Lines.push_back(ItemLine(match, item));
    }
  }
}

}  // namespace

bool TNotesName::LookupName(const std::string& Server, const std::vector<std::string>& Views,
                            const std::vector<std::string>& Names,
                            const std::vector<std::string>& Items,
                            const TNotesLookupOptions& Options, TStringList& Results) {
  TStringList views, names, items;
  for (const std::string& view : Views) views.Add(view);
  for (const std::string& name : Names) names.Add(name);
  for (const std::string& item : Items) items.Add(item);
  return LookupNameList(Server, views, names, items, Options, Results);
}

bool TNotesName::LookupNameList(const std::string& Server, TStringList& Views,
                                const TStringList& Names, const TStringList& Items,
                                const TNotesLookupOptions& Options, TStringList& Results) {
  if (Views.Count() == 0)
    Views.Add(DefaultView);
  else if (Views.Strings(0).empty())
    Views.Put(0, DefaultView);
  const TPacked views = Packed(Views);
  const TPacked names = PackedNames(Names);
  const TPacked items = Packed(Items);
  const std::string server = Native2Lmbcs(Server);
  TMemoryHandle result;
  CheckNotesStatus(NAMELookup(server.empty() ? nullptr : server.c_str(), FlagsOf(Options),
                              views.Count, views.Bytes.data(), names.Count, names.Bytes.data(),
                              items.Count, items.Count ? items.Bytes.data() : nullptr,
                              result.Receive()));
  std::vector<std::string> lines;
  TNotesLock lock(result.Get());
  if (!lock.Data()) throw ELotusNotes(-1, "The lookup result cannot be read");
  ReadResult(lock.Data(), size_t{views.Count} * names.Count, items.Count, lines);
  Results.Clear();
  Results.SetCapacity(static_cast<int>(lines.size()));
  for (std::string& line : lines) Results.Add(std::move(line));
  return Results.Count() > 0;
}

bool TNotesName::CheckAddress(const std::string& Server, const std::string& Name) {
  TStringList lines;
  return LookupName(Server, {DefaultView}, {Name}, {"FullName"}, {nloExhaustive}, lines);
}
