#include "NameLookupFixture.h"

#include <cstring>

#include "notesapi/niferr.h"
#include "notesapi/osmem.h"

namespace runtimetest {

std::string NameLookupTest::Packed(const std::vector<std::string>& Strings) {
  std::string packed;
  for (const std::string& text : Strings) packed += text + '\0';
  return packed;
}

void NameLookupTest::Append(NOTEHANDLE Note, const std::string& Name,
                            const std::vector<std::string>& Values) {
  if (Values.size() == 1) return AppendText(Note, Name, Values[0]);
  AppendItem(Note, Name, TYPE_TEXT_LIST, TextListValue(Values));
}

NOTEID NameLookupTest::Save(DBHANDLE Db, const TFields& Fields) {
  NoteRef note;
  EXPECT_EQ(NSFNoteCreate(Db, note.Out()), NOERROR);
  for (const auto& [name, values] : Fields) Append(note.Get(), name, values);
  EXPECT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
  return IdOf(note.Get());
}

NOTEID NameLookupTest::AddPerson(DBHANDLE Db, const std::string& First, const std::string& Last,
                                 TFields More) {
  More.emplace("Form", std::vector<std::string>{"Person"});
  More.emplace("Type", std::vector<std::string>{"Person"});
  More.emplace("FirstName", std::vector<std::string>{First});
  More.emplace("LastName", std::vector<std::string>{Last});
  More.emplace("FullName", std::vector<std::string>{"CN=" + First + " " + Last + "/O=Acme"});
  return Save(Db, More);
}

NOTEID NameLookupTest::AddGroup(DBHANDLE Db, const std::string& Name,
                                const std::vector<std::string>& Members) {
  return Save(
      Db, {{"Form", {"Group"}}, {"Type", {"Group"}}, {"ListName", {Name}}, {"Members", Members}});
}

namespace {

std::vector<std::string> Members(void* Match, WORD Item) {
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

}  // namespace

STATUS NameLookupTest::Lookup(const std::string& Server, WORD Flags,
                              const std::vector<std::string>& Spaces,
                              const std::vector<std::string>& Names,
                              const std::vector<std::string>& Items, TLookupResult& Result) {
  std::string spaces = Packed(Spaces), names = Packed(Names), items = Packed(Items);
  DHANDLE handle = NULLHANDLE;
  STATUS status =
      NAMELookup(Server.empty() ? nullptr : Server.c_str(), Flags, static_cast<WORD>(Spaces.size()),
                 spaces.data(), static_cast<WORD>(Names.size()), names.data(),
                 static_cast<WORD>(Items.size()), items.data(), &handle);
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

std::vector<std::string> NameLookupTest::Find(const std::string& Name, WORD Flags,
                                              const std::string& Item) {
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

}  // namespace runtimetest
