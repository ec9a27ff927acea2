#pragma once

#include <memory>
#include <string>

#include "RuntimeFixture.h"
#include "notesapi/nsfdb.h"
#include "notesapi/nsfnote.h"

namespace runtimetest {

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

// A runtime with a data directory and helpers to make databases and notes in it.
class StorageTest : public RuntimeTest {
 protected:
  // Creates "<Name>" in the data directory and returns the name.
  std::string NewDatabase(const std::string& Name = "test.nsf");
  std::filesystem::path FileOf(const std::string& Name) const { return FEnv.DataDir() / Name; }

  static void AppendText(NOTEHANDLE Note, const std::string& Name, const std::string& Text,
                         WORD Flags = ITEM_SUMMARY);
  static std::string Text(NOTEHANDLE Note, const std::string& Name);
  static NOTEID IdOf(NOTEHANDLE Note);
  // A new document with one Subject item, saved; returns its note ID.
  static NOTEID SaveDocument(DBHANDLE Db, const std::string& Subject);
  // Runs SQL on a database file directly, as another program (or damage) would.
  void ExecuteSql(const std::string& Name, const char* Sql);
};

// A new, unsaved note in a fresh database, for tests of items.
class NewNoteTest : public StorageTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  NOTEHANDLE Note() const { return FNote->Get(); }

  std::unique_ptr<DbRef> FDb;
  std::unique_ptr<NoteRef> FNote;
};

}  // namespace runtimetest
