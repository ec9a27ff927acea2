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

TPacked Packed(const std::vector<std::string>& Strings) {
  TPacked packed;
  for (const std::string& text : Strings) {
    if (text.empty()) continue;
    if (packed.Count == MAXWORD) throw ELotusNotes(-1, "Too many names for one lookup");
    packed.Bytes += Native2Lmbcs(text);
    packed.Bytes += '\0';
    ++packed.Count;
  }
  return packed;
}

std::vector<std::string> StringsOf(const TStringList& List) {
  std::vector<std::string> strings;
  strings.reserve(static_cast<size_t>(List.Count()));
  for (int index = 0; index < List.Count(); ++index) strings.push_back(List.Strings(index));
  return strings;
}

// No name, or "*" alone, asks for the empty name.
TPacked PackedNames(TPacked Packed) {
  if (Packed.Count == 0 || (Packed.Count == 1 && Packed.Bytes == std::string("*", 2)))
    return TPacked{std::string(1, '\0'), 1};
  return Packed;
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

// The lines of one match after another, as views: a single ASCII text (most values) straight
// from the result, anything else built in a string kept per item for the next match.
class TMatchLines {
 public:
  explicit TMatchLines(WORD ItemCount) : FBuilt(ItemCount), FLines(ItemCount) {}

  const std::vector<std::string_view>& Of(void* Match) {
    for (WORD item = 0; item < FLines.size(); ++item) FLines[item] = Line(Match, item);
    return FLines;
  }

 private:
  // Text stops at its first NUL, as every text the runtime copies out does.
  std::string_view Line(void* Match, WORD Item) {
    WORD type = 0, size = 0;
    const char* value = static_cast<const char*>(NAMELocateItem(Match, Item, &type, &size));
    if (!value || size < sizeof(WORD)) return {};
    std::string& built = FBuilt[Item];
    if (type == TYPE_TEXT) {
      const char* text = value + sizeof(WORD);
      return Lmbcs2NativeView(std::string_view(text, strnlen(text, size - sizeof(WORD))), built);
    }
    built.clear();
    for (const std::string& member : ItemValues(Match, Item, size)) {
      if (!built.empty()) built += ValueSeparator;
      built += member;
    }
    return built;
  }

  std::vector<std::string> FBuilt;
  std::vector<std::string_view> FLines;
};

// Records and matches are walked by their counts; a locator that ends early ends the walk.
bool VisitResult(void* Lookup, size_t Records, WORD ItemCount, const TNotesLookupVisitor& Visit) {
  TMatchLines lines(ItemCount);
  bool found = false;
  void* record = nullptr;
  for (size_t recordIndex = 0; recordIndex < Records; ++recordIndex) {
    WORD matches = 0;
    record = NAMELocateNextName(Lookup, record, &matches);
    if (!record) break;
    if (Visit.Found && matches > 0) Visit.Found(matches);
    void* match = nullptr;
    for (WORD matchIndex = 0; matchIndex < matches; ++matchIndex) {
      match = NAMELocateNextMatch(Lookup, record, match);
      if (!match) break;
      Visit.Document(lines.Of(match));
      found = true;
    }
  }
  return found;
}

bool VisitPacked(const std::string& Server, const TPacked& Views, const TPacked& Names,
                 const TPacked& Items, const TNotesLookupOptions& Options,
                 const TNotesLookupVisitor& Visit) {
  const std::string server = Native2Lmbcs(Server);
  TMemoryHandle result;
  CheckNotesStatus(NAMELookup(server.empty() ? nullptr : server.c_str(), FlagsOf(Options),
                              Views.Count, Views.Bytes.data(), Names.Count, Names.Bytes.data(),
                              Items.Count, Items.Count ? Items.Bytes.data() : nullptr,
                              result.Receive()));
  TNotesLock lock(result.Get());
  if (!lock.Data()) throw ELotusNotes(-1, "The lookup result cannot be read");
  return VisitResult(lock.Data(), size_t{Views.Count} * Names.Count, Items.Count, Visit);
}

}  // namespace

bool TNotesName::LookupName(const std::string& Server, const std::vector<std::string>& Views,
                            const std::vector<std::string>& Names,
                            const std::vector<std::string>& Items,
                            const TNotesLookupOptions& Options, TStringList& Results) {
  const auto perDocument = static_cast<size_t>(std::count_if(
      Items.begin(), Items.end(), [](const std::string& Item) { return !Item.empty(); }));
  std::vector<std::string> lines;
  TNotesLookupVisitor visit;
  visit.Found = [&](int Documents) { lines.reserve(lines.size() + Documents * perDocument); };
  visit.Document = [&](const std::vector<std::string_view>& Lines) {
    lines.insert(lines.end(), Lines.begin(), Lines.end());
  };
  VisitLookup(Server, Views, Names, Items, Options, visit);
  Results.Clear();
  Results.SetCapacity(static_cast<int>(lines.size()));
  for (std::string& line : lines) Results.Add(std::move(line));
  return Results.Count() > 0;
}

bool TNotesName::LookupNameList(const std::string& Server, TStringList& Views,
                                const TStringList& Names, const TStringList& Items,
                                const TNotesLookupOptions& Options, TStringList& Results) {
  if (Views.Count() == 0)
    Views.Add(DefaultView);
  else if (Views.Strings(0).empty())
    Views.Put(0, DefaultView);
  return LookupName(Server, StringsOf(Views), StringsOf(Names), StringsOf(Items), Options, Results);
}

bool TNotesName::VisitLookup(const std::string& Server, const std::vector<std::string>& Views,
                             const std::vector<std::string>& Names,
                             const std::vector<std::string>& Items,
                             const TNotesLookupOptions& Options, const TNotesLookupVisitor& Visit) {
  std::vector<std::string> views = Views;
  if (views.empty())
    views.push_back(DefaultView);
  else if (views.front().empty())
    views.front() = DefaultView;
  return VisitPacked(Server, Packed(views), PackedNames(Packed(Names)), Packed(Items), Options,
                     Visit);
}

bool TNotesName::CheckAddress(const std::string& Server, const std::string& Name) {
  TStringList lines;
  return LookupName(Server, {DefaultView}, {Name}, {"FullName"}, {nloExhaustive}, lines);
}
