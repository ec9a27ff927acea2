#pragma once

#include <cstring>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "StorageFixture.h"
#include "notesapi/miscerr.h"
#include "notesapi/nif.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsferr.h"
#include "notesapi/nsfsearc.h"
#include "notesapi/osenv.h"
#include "notesapi/oserr.h"
#include "notesapi/osmem.h"
#include "notesapi/ostime.h"
#include "search/SearchSummary.h"
#include "views/design/DesignBuilder.h"

namespace runtimetest {

// A field of a test document: a text, a number, a text list or a time.
using FieldValue = std::variant<std::string, double, std::vector<std::string>, TIMEDATE>;
using Fields = std::map<std::string, FieldValue>;

// One entry of a collection as NIFReadEntries returned it, summary values as texts (lists
// joined with ";", numbers as %g).
struct ReadEntry {
  NOTEID Id = 0;
  std::map<std::string, std::string> Values;
  size_t SummaryItems = 0;
};

// A database "views.nsf" open as FDb, with helpers to make documents and design notes and to
// read collections the way the object library does.
class ViewsTest : public StorageTest {
 protected:
  void SetUp() override {
    StorageTest::SetUp();
    NewDatabase("views.nsf");
    ASSERT_EQ(NSFDbOpen("views.nsf", &FDb), NOERROR);
  }

  void TearDown() override {
    if (FDb) {
      EXPECT_EQ(NSFDbClose(FDb), NOERROR);
    }
    StorageTest::TearDown();
  }

  NOTEID Doc(const Fields& Values, NOTEID Parent = 0) {
    NoteRef note;
    EXPECT_EQ(NSFNoteCreate(FDb, note.Out()), NOERROR);
    SetFields(note.Get(), Values);
    if (Parent) {
      ORIGINATORID oid{};
      EXPECT_EQ(NSFDbGetNoteInfo(FDb, Parent, &oid, nullptr, nullptr), NOERROR);
      // A list of one UNID: the parent's, the start of its originator ID.
      const std::string ref = Raw(WORD{1}) + Raw(oid).substr(0, sizeof(UNIVERSALNOTEID));
      AppendItem(note.Get(), "$REF", TYPE_NOTEREF_LIST, ref, 0);
    }
    EXPECT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
    NOTEID parent = 0;  // a response records its parent when saved
    NSFNoteGetInfo(note.Get(), _NOTE_PARENT_NOTEID, &parent);
    EXPECT_EQ(parent, Parent);
    return IdOf(note.Get());
  }

  static void SetFields(NOTEHANDLE Note, const Fields& Values) {
    for (const auto& [name, value] : Values) {
      NSFItemDelete(Note, name.c_str(), static_cast<WORD>(name.size()));
      if (auto* text = std::get_if<std::string>(&value))
        AppendItem(Note, name, TYPE_TEXT, *text);
      else if (auto* number = std::get_if<double>(&value))
        AppendItem(Note, name, TYPE_NUMBER, Raw(*number));
      else if (auto* time = std::get_if<TIMEDATE>(&value))
        AppendItem(Note, name, TYPE_TIME, Raw(*time));
      else
        AppendItem(Note, name, TYPE_TEXT_LIST,
                   TextListValue(std::get<std::vector<std::string>>(value)));
    }
  }

  void Change(NOTEID Note, const Fields& Values) {
    NoteRef note;
    ASSERT_EQ(NSFNoteOpen(FDb, Note, 0, note.Out()), NOERROR);
    SetFields(note.Get(), Values);
    ASSERT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
  }

  NOTEID AddView(const notesrt::design::TViewSpec& Spec) {
    return notesrt::design::TDesignBuilder().View(Spec).Build(FDb).front();
  }

  // Sets the current user (canonical name) in the settings.
  static void SetUser(const std::string& Name) {
    OSSetEnvironmentVariable(NOTESRT_USER_NAME_VAR, Name.c_str());
  }

  // Opens a collection of the view (failing the test when it cannot).
  HCOLLECTION Open(NOTEID View, WORD Flags = 0) {
    HCOLLECTION collection = 0;
    EXPECT_EQ(NIFOpenCollection(FDb, FDb, View, Flags, NULLHANDLE, &collection, nullptr, nullptr,
                                nullptr, nullptr),
              NOERROR);
    return collection;
  }

  // Opens the view, reads all of it (0x8001, pages of at most 64 KB) and closes it. Calls and
  // Evaluations, when given, receive the number of reads and the collection's evaluations.
  std::vector<ReadEntry> ReadAll(NOTEID View, size_t* Calls = nullptr,
                                 DWORD* Evaluations = nullptr) {
    HCOLLECTION collection = Open(View);
    if (Evaluations) {
      EXPECT_EQ(NotesRTCollectionEvaluations(collection, Evaluations), NOERROR);
    }
    COLLECTIONPOSITION position{};
    std::vector<ReadEntry> entries;
    WORD signals = 0;
    size_t calls = 0;
    do {
      DHANDLE buffer = NULLHANDLE;
      DWORD count = 0;
      EXPECT_EQ(NIFReadEntries(collection, &position, NAVIGATE_NEXT, 1, NAVIGATE_NEXT, 65535,
                               READ_MASK_NOTEID | READ_MASK_SUMMARY, &buffer, nullptr, nullptr,
                               &count, &signals),
                NOERROR);
      ++calls;
      if ((signals & SIGNAL_MORE_TO_DO) && count == 0) ADD_FAILURE() << "more to do, no entries";
      if (buffer) {
        // An entry that does not fit waits for the next call: none sticks out past the limit.
        DWORD size = 0;
        EXPECT_EQ(OSMemGetSize(buffer, &size), NOERROR);
        EXPECT_LE(size, DWORD{0xFFFF});
        auto* data = static_cast<char*>(OSLockObject(buffer));
        for (ReadEntry& entry : Decode(data, 0xFFFF, count)) entries.push_back(entry);
        OSUnlockObject(buffer);
        OSMemFree(buffer);
      }
    } while ((signals & SIGNAL_MORE_TO_DO) && calls < 10000);
    EXPECT_EQ(NIFCloseCollection(collection), NOERROR);
    if (Calls) *Calls = calls;
    return entries;
  }

  static std::vector<ReadEntry> Decode(const char* Buffer, size_t Size, DWORD Count) {
    std::vector<ReadEntry> entries;
    std::string_view data(Buffer, Size);
    size_t offset = 0;
    for (DWORD index = 0; index < Count; ++index) {
      ReadEntry entry;
      std::memcpy(&entry.Id, data.data() + offset, sizeof entry.Id);
      std::string_view table = data.substr(offset + sizeof(NOTEID));
      USHORT length = 0;
      std::memcpy(&length, table.data(), sizeof length);
      table = table.substr(0, length);
      std::string_view name;
      std::string_view value;
      for (size_t item = 0; notesrt::TSummaryTable::ItemAt(table, item, name, value); ++item) {
        entry.Values[std::string(name)] = ValueText(value);
        ++entry.SummaryItems;
      }
      offset += sizeof(NOTEID) + length;
      entries.push_back(entry);
    }
    return entries;
  }

  static std::vector<NOTEID> Ids(const std::vector<ReadEntry>& Entries) {
    std::vector<NOTEID> ids;
    for (const ReadEntry& entry : Entries) ids.push_back(entry.Id);
    return ids;
  }

  static std::vector<std::string> Column(const std::vector<ReadEntry>& Entries,
                                         const std::string& Name) {
    std::vector<std::string> values;
    for (const ReadEntry& entry : Entries) {
      auto found = entry.Values.find(Name);
      values.push_back(found == entry.Values.end() ? "-" : found->second);
    }
    return values;
  }

  DBHANDLE FDb = NULLHANDLE;
};

}  // namespace runtimetest
