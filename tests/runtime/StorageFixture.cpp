#include "StorageFixture.h"

#include <sqlite3.h>

#include "notesapi/osmem.h"

namespace runtimetest {

DbRef::DbRef(const std::string& Path) {
  EXPECT_EQ(NSFDbOpen(Path.c_str(), &FHandle), NOERROR) << Path;
}

DbRef::~DbRef() {
  Close();
}

void DbRef::Close() {
  if (FHandle) {
    EXPECT_EQ(NSFDbClose(FHandle), NOERROR);
  }
  FHandle = NULLHANDLE;
}

NoteRef::~NoteRef() {
  if (FHandle) {
    EXPECT_EQ(NSFNoteClose(FHandle), NOERROR);
  }
}

MemoryRef::~MemoryRef() {
  if (FHandle) {
    EXPECT_EQ(OSMemFree(FHandle), NOERROR);
  }
}

std::string StorageTest::NewDatabase(const std::string& Name) {
  EXPECT_EQ(NSFDbCreate(Name.c_str(), DBCLASS_NOTEFILE, FALSE), NOERROR) << Name;
  return Name;
}

void StorageTest::AppendText(NOTEHANDLE Note, const std::string& Name, const std::string& Text,
                             WORD Flags) {
  ASSERT_EQ(NSFItemAppend(Note, Flags, Name.c_str(), static_cast<WORD>(Name.size()), TYPE_TEXT,
                          Text.data(), Text.size()),
            NOERROR);
}

std::string StorageTest::Text(NOTEHANDLE Note, const std::string& Name) {
  char buffer[1024];
  WORD length = NSFItemGetText(Note, Name.c_str(), buffer, sizeof buffer);
  return std::string(buffer, length);
}

NOTEID StorageTest::IdOf(NOTEHANDLE Note) {
  NOTEID id = 0;
  NSFNoteGetInfo(Note, _NOTE_ID, &id);
  return id;
}

NOTEID StorageTest::SaveDocument(DBHANDLE Db, const std::string& Subject) {
  NoteRef note;
  EXPECT_EQ(NSFNoteCreate(Db, note.Out()), NOERROR);
  AppendText(note.Get(), "Subject", Subject);
  EXPECT_EQ(NSFNoteUpdate(note.Get(), UPDATE_NOCOMMIT), NOERROR);
  return IdOf(note.Get());
}

void StorageTest::ExecuteSql(const std::string& Name, const char* Sql) {
  sqlite3* file = nullptr;
  ASSERT_EQ(sqlite3_open(FileOf(Name).c_str(), &file), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(file, Sql, nullptr, nullptr, nullptr), SQLITE_OK) << Sql;
  sqlite3_close(file);
}

void NewNoteTest::SetUp() {
  StorageTest::SetUp();
  NewDatabase();
  FDb = std::make_unique<DbRef>("test.nsf");
  FNote = std::make_unique<NoteRef>();
  ASSERT_EQ(NSFNoteCreate(FDb->Get(), FNote->Out()), NOERROR);
}

void NewNoteTest::TearDown() {
  FNote.reset();
  FDb.reset();
  StorageTest::TearDown();
}

}  // namespace runtimetest
