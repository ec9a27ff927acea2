#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "TestNotesEnv.h"
#include "notesapi/global.h"
#include "notesapi/idtable.h"
#include "notesapi/nif.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsfdb.h"
#include "notesapi/nsferr.h"
#include "notesapi/nsfnote.h"
#include "notesapi/oserr.h"
#include "notesapi/osmem.h"
#include "notesapi/osmisc.h"
#include "notesapi/ossignal.h"

namespace runtimetest {

// A private notes.ini and an initialised runtime for each test.
class RuntimeTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(NotesInit(), NOERROR); }
  void TearDown() override { NotesTerm(); }

  vesktest::TestNotesEnv FEnv;
};

// A break handler that stops whatever asks, as a user pressing Ctrl+Break.
inline OSSIGPROC BreakPressed() {
  return reinterpret_cast<OSSIGPROC>(+[]() -> STATUS { return ERR_CANCEL; });
}

// The text of a status, or "" when the runtime has none.
inline std::string StatusText(unsigned Status) {
  char text[256];
  WORD length = OSLoadString(nullptr, static_cast<STATUS>(Status), text, sizeof text - 1);
  return std::string(text, length);
}

// Rich-text records built by hand, so that tests do not rely on the runtime's own writer.
inline std::string Bytes(std::initializer_list<int> Values) {
  std::string bytes;
  for (int value : Values) bytes += static_cast<char>(value);
  return bytes;
}
// A CDPARAGRAPH record.
inline std::string ParagraphRecord() {
  return Bytes({0x81, 0x02});
}
// A CDTEXT record of Text in the default font, padded to an even length.
inline std::string TextRun(const std::string& Text) {
  const auto length = static_cast<int>(8 + Text.size());
  std::string run = Bytes({0x85, 0xFF, length & 0xFF, length >> 8, 1, 0, 0, 10}) + Text;
  return Text.size() % 2 ? run + '\0' : run;
}

// An open database handle, closed at scope exit.
class DbRef {
 public:
  explicit DbRef(const std::string& Path) {
    EXPECT_EQ(NSFDbOpen(Path.c_str(), &FHandle), NOERROR) << Path;
  }
  ~DbRef() { Close(); }
  DbRef(const DbRef&) = delete;
  DbRef& operator=(const DbRef&) = delete;
  DBHANDLE Get() const { return FHandle; }
  void Close() {
    if (FHandle) {
      EXPECT_EQ(NSFDbClose(FHandle), NOERROR);
    }
    FHandle = NULLHANDLE;
  }

 private:
  DBHANDLE FHandle = NULLHANDLE;
};

// An open note handle, closed at scope exit.
class NoteRef {
 public:
  NoteRef() = default;
  explicit NoteRef(NOTEHANDLE Handle) : FHandle(Handle) {}
  ~NoteRef() {
    if (FHandle) {
      EXPECT_EQ(NSFNoteClose(FHandle), NOERROR);
    }
  }
  NoteRef(const NoteRef&) = delete;
  NoteRef& operator=(const NoteRef&) = delete;
  NOTEHANDLE Get() const { return FHandle; }
  NOTEHANDLE* Out() { return &FHandle; }

 private:
  NOTEHANDLE FHandle = NULLHANDLE;
};

// The bytes of a plain value, as an item or a buffer holds them.
template <class T>
std::string Raw(const T& Value) {
  return std::string(reinterpret_cast<const char*>(&Value), sizeof Value);
}

// The WORD at Offset of Bytes, 0 past their end.
inline WORD WordAt(std::string_view Bytes, size_t Offset) {
  WORD word = 0;
  if (Offset + sizeof word <= Bytes.size()) std::memcpy(&word, Bytes.data() + Offset, sizeof word);
  return word;
}

// One item of a note: flags, type, the value without its type word, and where the whole value
// lies while the note is open.
struct ItemValue {
  WORD Flags = 0, Type = 0;
  std::string Value;
  BLOCKID Block{};
  DWORD Length = 0;
};
// Every item of Name, in the note's order.
inline std::vector<ItemValue> ItemValues(NOTEHANDLE Note, const std::string& Name) {
  std::vector<ItemValue> items;
  const auto length = static_cast<WORD>(Name.size());
  ItemValue next;
  BLOCKID item{};
  STATUS status =
      NSFItemInfo(Note, Name.c_str(), length, &item, nullptr, &next.Block, &next.Length);
  while (status == NOERROR) {
    NSFItemQuery(Note, item, nullptr, 0, nullptr, &next.Flags, &next.Type, nullptr, nullptr);
    next.Value.assign(OSLockBlock(char, next.Block) + sizeof(WORD), next.Length - sizeof(WORD));
    OSUnlockBlock(next.Block);
    items.push_back(next);
    status = NSFItemInfoNext(Note, item, Name.c_str(), length, &item, nullptr, &next.Block,
                             &next.Length);
  }
  EXPECT_EQ(status, ERR_ITEM_NOT_FOUND) << Name;
  return items;
}

// A text list as an item stores it, after the type word.
inline std::string TextListValue(const std::vector<std::string>& Texts) {
  std::string value = Raw(static_cast<WORD>(Texts.size()));
  for (const std::string& text : Texts) value += Raw(static_cast<WORD>(text.size()));
  for (const std::string& text : Texts) value += text;
  return value;
}

// A typed value (type word first) as text: a text as it is, a number as %g, a text list
// joined with ";", any other type as "type <number>".
inline std::string ValueText(std::string_view Typed) {
  WORD type = WordAt(Typed, 0);
  std::string_view value = Typed.substr(sizeof type);
  if (type == TYPE_TEXT) return std::string(value);
  if (type == TYPE_NUMBER) {
    double number = 0;
    std::memcpy(&number, value.data(), sizeof number);
    char text[32];
    std::snprintf(text, sizeof text, "%g", number);
    return text;
  }
  if (type != TYPE_TEXT_LIST) return "type " + std::to_string(type);
  WORD count = WordAt(value, 0);
  std::string joined;
  size_t offset = sizeof(WORD) * (1 + count);
  for (WORD index = 0; index < count; ++index) {
    WORD length = WordAt(value, sizeof(WORD) * (1 + index));
    joined += (index ? ";" : "") + std::string(value.substr(offset, length));
    offset += length;
  }
  return joined;
}

// The note IDs NIFReadEntries gives from Position: skipping one entry by Skip, then up to
// Count entries stepping by Return.
inline std::vector<NOTEID> ReadIds(HCOLLECTION Collection, COLLECTIONPOSITION& Position,
                                   WORD Skip = NAVIGATE_NEXT, WORD Return = NAVIGATE_NEXT,
                                   DWORD Count = 0xFFFF) {
  DHANDLE buffer = NULLHANDLE;
  DWORD returned = 0;
  EXPECT_EQ(NIFReadEntries(Collection, &Position, Skip, 1, Return, Count, READ_MASK_NOTEID, &buffer,
                           nullptr, nullptr, &returned, nullptr),
            NOERROR);
  std::vector<NOTEID> ids;
  if (!buffer) return ids;
  auto* data = static_cast<NOTEID*>(OSLockObject(buffer));
  ids.assign(data, data + returned);
  OSUnlockObject(buffer);
  EXPECT_EQ(OSMemFree(buffer), NOERROR);
  return ids;
}

// The note IDs of the view or folder View of Db, in its order.
inline std::vector<NOTEID> ViewIds(DBHANDLE Db, const char* View) {
  NOTEID view = 0;
  EXPECT_EQ(NIFFindDesignNote(Db, View, NOTE_CLASS_VIEW, &view), NOERROR) << View;
  HCOLLECTION collection = NULLHANDLE;
  EXPECT_EQ(NIFOpenCollection(Db, Db, view, 0, NULLHANDLE, &collection, nullptr, nullptr, nullptr,
                              nullptr),
            NOERROR)
      << View;
  COLLECTIONPOSITION position{};
  std::vector<NOTEID> ids = ReadIds(collection, position);
  NIFCloseCollection(collection);
  return ids;
}

// What NIFOpenCollection says of the view or folder note View; a failure leaves no collection,
// and one opened is closed again.
inline STATUS OpenCollectionStatus(DBHANDLE Db, NOTEID View) {
  HCOLLECTION collection = 7;
  STATUS status = NIFOpenCollection(Db, Db, View, 0, NULLHANDLE, &collection, nullptr, nullptr,
                                    nullptr, nullptr);
  if (status == NOERROR)
    EXPECT_EQ(NIFCloseCollection(collection), NOERROR);
  else
    EXPECT_EQ(collection, NULLHANDLE) << "status " << status;
  return status;
}

// The IDs of an ID table in scan order.
inline std::vector<NOTEID> TableIds(DHANDLE Table) {
  std::vector<NOTEID> ids;
  DWORD id = 0;
  for (BOOL first = TRUE; IDScan(Table, first, &id); first = FALSE) ids.push_back(id);
  return ids;
}

// A memory handle (a buffer, an ACL, an ID table, a results block) freed at scope exit.
class MemoryRef {
 public:
  MemoryRef() = default;
  ~MemoryRef() {
    if (FHandle) {
      EXPECT_EQ(OSMemFree(FHandle), NOERROR);
    }
  }
  MemoryRef(const MemoryRef&) = delete;
  MemoryRef& operator=(const MemoryRef&) = delete;
  DHANDLE Get() const { return FHandle; }
  DHANDLE* Out() { return &FHandle; }

 private:
  DHANDLE FHandle = NULLHANDLE;
};

// The process acts as Name while the object lives: a server, to look into databases its users
// may not read.
class ActingAs {
 public:
  explicit ActingAs(const std::string& Name) {
    EXPECT_EQ(NotesRTSwitchUser(Name.c_str()), NOERROR) << Name;
  }
  ~ActingAs() { NotesRTSwitchUser(nullptr); }
  ActingAs(const ActingAs&) = delete;
  ActingAs& operator=(const ActingAs&) = delete;
};

// A runtime with a data directory and helpers to make databases and notes in it.
class StorageTest : public RuntimeTest {
 protected:
  // Creates "<Name>" in the data directory and returns the name.
  static std::string NewDatabase(const std::string& Name = "test.nsf") {
    EXPECT_EQ(NSFDbCreate(Name.c_str(), DBCLASS_NOTEFILE, FALSE), NOERROR) << Name;
    return Name;
  }
  std::filesystem::path FileOf(const std::string& Name) const { return FEnv.DataDir() / Name; }

  // Appends an item of any type: its value without the type word.
  static void AppendItem(NOTEHANDLE Note, const std::string& Name, WORD Type,
                         const std::string& Value, WORD Flags = ITEM_SUMMARY) {
    ASSERT_EQ(NSFItemAppend(Note, Flags, Name.c_str(), static_cast<WORD>(Name.size()), Type,
                            Value.data(), Value.size()),
              NOERROR)
        << Name;
  }
  static void AppendText(NOTEHANDLE Note, const std::string& Name, const std::string& Text,
                         WORD Flags = ITEM_SUMMARY) {
    AppendItem(Note, Name, TYPE_TEXT, Text, Flags);
  }
  static std::string Text(NOTEHANDLE Note, const std::string& Name) {
    char buffer[1024];
    WORD length = NSFItemGetText(Note, Name.c_str(), buffer, sizeof buffer);
    return std::string(buffer, length);
  }
  // Item Name of stored note Id as text, or "status <status>" when the note does not open.
  static std::string TextOf(DBHANDLE Db, NOTEID Id, const std::string& Name = "Subject") {
    NoteRef note;
    if (STATUS status = NSFNoteOpen(Db, Id, 0, note.Out()))
      return "status " + std::to_string(ERR(status));
    return Text(note.Get(), Name);
  }
  // UTF-8 text in LMBCS, as items hold it. ASCII is the same in both, and may be longer than
  // OSTranslate takes.
  static std::string Lmbcs(const std::string& Utf8) {
    if (std::all_of(Utf8.begin(), Utf8.end(), [](char c) { return c > 0; })) return Utf8;
    char out[4096];
    WORD length = OSTranslate(OS_TRANSLATE_UTF8_TO_LMBCS, Utf8.data(),
                              static_cast<WORD>(Utf8.size()), out, sizeof out);
    return std::string(out, length);
  }
  static NOTEID IdOf(NOTEHANDLE Note) {
    NOTEID id = 0;
    NSFNoteGetInfo(Note, _NOTE_ID, &id);
    return id;
  }
  // A new document with one Subject item, saved; returns its note ID.
  static NOTEID SaveDocument(DBHANDLE Db, const std::string& Subject) {
    NoteRef note;
    EXPECT_EQ(NSFNoteCreate(Db, note.Out()), NOERROR);
    AppendText(note.Get(), "Subject", Subject);
    EXPECT_EQ(NSFNoteUpdate(note.Get(), UPDATE_NOCOMMIT), NOERROR);
    return IdOf(note.Get());
  }
  // What NSFDbOpen says of Path (the database closed again at once).
  static STATUS OpenStatus(const std::string& Path) {
    DBHANDLE db = NULLHANDLE;
    STATUS status = NSFDbOpen(Path.c_str(), &db);
    if (db) NSFDbClose(db);
    return status;
  }
  // Makes To from From (a template, say) with From's notes of Classes, and closes it.
  static void CopyDatabase(const std::string& From, const std::string& To,
                           WORD Classes = NOTE_CLASS_ALLNONDATA, DWORD Flags = 0) {
    DBHANDLE copy = NULLHANDLE;
    ASSERT_EQ(NSFDbCreateAndCopy(From.c_str(), To.c_str(), Classes, 0, Flags, &copy), NOERROR)
        << From << " to " << To;
    EXPECT_EQ(NSFDbClose(copy), NOERROR);
  }
};

// A new, unsaved note in a fresh database, for tests of items.
class NewNoteTest : public StorageTest {
 protected:
  void SetUp() override {
    StorageTest::SetUp();
    NewDatabase();
    FDb = std::make_unique<DbRef>("test.nsf");
    FNote = std::make_unique<NoteRef>();
    ASSERT_EQ(NSFNoteCreate(FDb->Get(), FNote->Out()), NOERROR);
  }
  void TearDown() override {
    FNote.reset();
    FDb.reset();
    StorageTest::TearDown();
  }

  NOTEHANDLE Note() const { return FNote->Get(); }
  // Saves the note, closes it and opens it again from the file.
  void Reopen() {
    ASSERT_EQ(NSFNoteUpdate(Note(), 0), NOERROR);
    const NOTEID id = IdOf(Note());
    FNote = std::make_unique<NoteRef>();
    ASSERT_EQ(NSFNoteOpen(FDb->Get(), id, 0, FNote->Out()), NOERROR);
  }

  std::unique_ptr<DbRef> FDb;
  std::unique_ptr<NoteRef> FNote;
};

}  // namespace runtimetest
