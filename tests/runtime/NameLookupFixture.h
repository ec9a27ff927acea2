#pragma once

#include <map>
#include <string>
#include <vector>

#include "StorageFixture.h"
#include "notesapi/lookup.h"
#include "notesapi/niferr.h"
#include "notesapi/osmem.h"

namespace runtimetest {

// Item name to values: one value is stored as a text, several as a text list.
using TFields = std::map<std::string, std::vector<std::string>>;
// A lookup result read through the locator functions: records, their matches, and per match
// the text values of each item (empty for an item the document lacks).
using TMatchValues = std::vector<std::vector<std::string>>;
using TLookupResult = std::vector<std::vector<TMatchValues>>;

// Owns a locked lookup result.
class LockedLookup {
 public:
  explicit LockedLookup(DHANDLE Handle)
      : FHandle(Handle), FData(static_cast<char*>(OSLockObject(Handle))) {}
  ~LockedLookup() { OSUnlockObject(FHandle); }
  LockedLookup(const LockedLookup&) = delete;
  LockedLookup& operator=(const LockedLookup&) = delete;
  char* Data() const { return FData; }

 private:
  DHANDLE FHandle;
  char* FData;
};

// Address books in the test's data directory, filled through the note API.
class NameLookupTest : public StorageTest {
 protected:
  static std::string Packed(const std::vector<std::string>& Strings) {
    std::string packed;
    for (const std::string& text : Strings) packed += text + '\0';
    return packed;
  }

  static NOTEID Save(DBHANDLE Db, const TFields& Fields) {
    NoteRef note;
    EXPECT_EQ(NSFNoteCreate(Db, note.Out()), NOERROR);
    for (const auto& [name, values] : Fields) Append(note.Get(), name, values);
    EXPECT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
    return IdOf(note.Get());
  }

  static NOTEID AddPerson(DBHANDLE Db, const std::string& First, const std::string& Last,
                          TFields More = {}) {
    More.emplace("Form", std::vector<std::string>{"Person"});
    More.emplace("Type", std::vector<std::string>{"Person"});
    More.emplace("FirstName", std::vector<std::string>{First});
    More.emplace("LastName", std::vector<std::string>{Last});
    More.emplace("FullName", std::vector<std::string>{"CN=" + First + " " + Last + "/O=Acme"});
    return Save(Db, More);
  }

  static NOTEID AddGroup(DBHANDLE Db, const std::string& Name,
                         const std::vector<std::string>& Members) {
    return Save(
        Db, {{"Form", {"Group"}}, {"Type", {"Group"}}, {"ListName", {Name}}, {"Members", Members}});
  }

  static void Append(NOTEHANDLE Note, const std::string& Name,
                     const std::vector<std::string>& Values) {
    if (Values.size() == 1) return AppendText(Note, Name, Values[0]);
    AppendItem(Note, Name, TYPE_TEXT_LIST, TextListValue(Values));
  }

  // NAMELookup on Server ("" for local), read whole; the status when it fails.
  STATUS Lookup(const std::string& Server, WORD Flags, const std::vector<std::string>& Spaces,
                const std::vector<std::string>& Names, const std::vector<std::string>& Items,
                TLookupResult& Result) {
    std::string spaces = Packed(Spaces), names = Packed(Names), items = Packed(Items);
    DHANDLE handle = NULLHANDLE;
    STATUS status =
        NAMELookup(Server.empty() ? nullptr : Server.c_str(), Flags,
                   static_cast<WORD>(Spaces.size()), spaces.data(), static_cast<WORD>(Names.size()),
                   names.data(), static_cast<WORD>(Items.size()), items.data(), &handle);
    if (status != NOERROR) return status;
    {
      LockedLookup lookup(handle);
      WORD count = 0;
      for (void* record = NAMELocateNextName(lookup.Data(), nullptr, &count); record;
           record = NAMELocateNextName(lookup.Data(), record, &count)) {
        std::vector<TMatchValues> matches;
        for (void* match = NAMELocateNextMatch(lookup.Data(), record, nullptr); match;
             match = NAMELocateNextMatch(lookup.Data(), record, match)) {
          TMatchValues values;
          for (WORD item = 0; item < Items.size(); ++item) values.push_back(Members(match, item));
          matches.push_back(values);
        }
        EXPECT_EQ(matches.size(), count);
        Result.push_back(matches);
      }
    }
    EXPECT_EQ(OSMemFree(handle), NOERROR);
    return NOERROR;
  }

  // The first item of every match of a one-record lookup in $Users.
  std::vector<std::string> Find(const std::string& Name, WORD Flags = 0,
                                const std::string& Item = "FullName") {
    TLookupResult result;
    EXPECT_EQ(Lookup("", Flags, {"$Users"}, {Name}, {Item}, result), NOERROR) << Name;
    std::vector<std::string> found;
    if (result.size() != 1) return found;
    for (const TMatchValues& match : result[0]) {
      std::string line;
      for (const std::string& value : match[0]) line += (line.empty() ? "" : ";") + value;
      found.push_back(line);
    }
    return found;
  }

 private:
  // The text members of item Item of a match.
  static std::vector<std::string> Members(void* Match, WORD Item) {
    std::vector<std::string> values;
    if (!NAMELocateItem(Match, Item, nullptr, nullptr)) return values;
    for (WORD member = 0;; ++member) {
      char text[512];
      STATUS status = NAMEGetTextItem(Match, Item, member, text, sizeof text);
      if (status == ERR_NO_MORE_MEMBERS) return values;
      EXPECT_EQ(status, NOERROR);
      if (status != NOERROR) return values;
      values.push_back(text);
    }
  }
};

}  // namespace runtimetest
