#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "TestNotesEnv.h"
#include "notesapi/nif.h"
#include "notesapi/nsfdb.h"
#include "notesapi/nsfnote.h"
#include "notesapi/ossignal.h"

namespace runtimetest {

// A private notes.ini and an initialised runtime for each test.
class RuntimeTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  vesktest::TestNotesEnv FEnv;
};

// A break handler that stops whatever asks, as a user pressing Ctrl+Break.
OSSIGPROC BreakPressed();

// The text of a status, or "" when the runtime has none.
std::string StatusText(unsigned Status);

// Rich-text records built by hand, so that tests do not rely on the runtime's own writer.
std::string Bytes(std::initializer_list<int> Values);
// A CDPARAGRAPH record.
std::string ParagraphRecord();
// A CDTEXT record of Text in the default font, padded to an even length.
std::string TextRun(const std::string& Text);

// An open database handle, closed at scope exit.
class DbRef {
 public:
  explicit DbRef(const std::string& Path);
  ~DbRef();
  DbRef(const DbRef&) = delete;
  DbRef& operator=(const DbRef&) = delete;
  DBHANDLE Get() const { return FHandle; }
  void Close();

 private:
  DBHANDLE FHandle = NULLHANDLE;
};

// An open note handle, closed at scope exit.
class NoteRef {
 public:
  NoteRef() = default;
  explicit NoteRef(NOTEHANDLE Handle) : FHandle(Handle) {}
  ~NoteRef();
  NoteRef(const NoteRef&) = delete;
  NoteRef& operator=(const NoteRef&) = delete;
  NOTEHANDLE Get() const { return FHandle; }
  NOTEHANDLE* Out() { return &FHandle; }

 private:
  NOTEHANDLE FHandle = NULLHANDLE;
};

// One item of a note: flags, type, the value without its type word, and where the whole value
// lies while the note is open.
struct ItemValue {
  WORD Flags = 0, Type = 0;
  std::string Value;
  BLOCKID Block{};
  DWORD Length = 0;
};
// Every item of Name, in the note's order.
std::vector<ItemValue> ItemValues(NOTEHANDLE Note, const std::string& Name);

// A text list as an item stores it, after the type word.
std::string TextListValue(const std::vector<std::string>& Texts);
// A typed value (type word first) as text: a text as it is, a number as %g, a text list
// joined with ";", any other type as "type <number>".
std::string ValueText(std::string_view Typed);

// The note IDs NIFReadEntries gives from Position: skipping one entry by Skip, then up to
// Count entries stepping by Return.
std::vector<NOTEID> ReadIds(HCOLLECTION Collection, COLLECTIONPOSITION& Position,
                            WORD Skip = NAVIGATE_NEXT, WORD Return = NAVIGATE_NEXT,
                            DWORD Count = 0xFFFF);
// The note IDs of the view or folder View of Db, in its order.
std::vector<NOTEID> ViewIds(DBHANDLE Db, const char* View);
// What NIFOpenCollection says of the view or folder note View; a failure leaves no collection,
// and one opened is closed again.
STATUS OpenCollectionStatus(DBHANDLE Db, NOTEID View);
// The IDs of an ID table in scan order.
std::vector<NOTEID> TableIds(DHANDLE Table);

// The bytes of a plain value, as an item or a buffer holds them.
template <class T>
std::string Raw(const T& Value) {
  return std::string(reinterpret_cast<const char*>(&Value), sizeof Value);
}

// A memory handle (a buffer, an ACL, a results block) freed at scope exit.
class MemoryRef {
 public:
  MemoryRef() = default;
  ~MemoryRef();
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
  explicit ActingAs(const std::string& Name);
  ~ActingAs();
  ActingAs(const ActingAs&) = delete;
  ActingAs& operator=(const ActingAs&) = delete;
};

// A runtime with a data directory and helpers to make databases and notes in it.
class StorageTest : public RuntimeTest {
 protected:
  // Creates "<Name>" in the data directory and returns the name.
  std::string NewDatabase(const std::string& Name = "test.nsf");
  std::filesystem::path FileOf(const std::string& Name) const { return FEnv.DataDir() / Name; }

  // Appends an item of any type: its value without the type word.
  static void AppendItem(NOTEHANDLE Note, const std::string& Name, WORD Type,
                         const std::string& Value, WORD Flags = ITEM_SUMMARY);
  static void AppendText(NOTEHANDLE Note, const std::string& Name, const std::string& Text,
                         WORD Flags = ITEM_SUMMARY) {
    AppendItem(Note, Name, TYPE_TEXT, Text, Flags);
  }
  static std::string Text(NOTEHANDLE Note, const std::string& Name);
  // Item Name of stored note Id as text, or "status <status>" when the note does not open.
  static std::string TextOf(DBHANDLE Db, NOTEID Id, const std::string& Name = "Subject");
  // UTF-8 text in LMBCS, as items hold it.
  static std::string Lmbcs(const std::string& Utf8);
  static NOTEID IdOf(NOTEHANDLE Note);
  // A new document with one Subject item, saved; returns its note ID.
  static NOTEID SaveDocument(DBHANDLE Db, const std::string& Subject);
  // What NSFDbOpen says of Path (the database closed again at once).
  static STATUS OpenStatus(const std::string& Path);
  // Makes To from From (a template, say) with From's notes of Classes, and closes it.
  static void CopyDatabase(const std::string& From, const std::string& To,
                           WORD Classes = NOTE_CLASS_ALLNONDATA, DWORD Flags = 0);
};

// A new, unsaved note in a fresh database, for tests of items.
class NewNoteTest : public StorageTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  NOTEHANDLE Note() const { return FNote->Get(); }
  // Saves the note, closes it and opens it again from the file.
  void Reopen();

  std::unique_ptr<DbRef> FDb;
  std::unique_ptr<NoteRef> FNote;
};

}  // namespace runtimetest
