#include "StorageFixture.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "notesapi/global.h"
#include "notesapi/idtable.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsferr.h"
#include "notesapi/oserr.h"
#include "notesapi/osmem.h"
#include "notesapi/osmisc.h"

namespace runtimetest {

void RuntimeTest::SetUp() {
  ASSERT_EQ(NotesInit(), NOERROR);
}

void RuntimeTest::TearDown() {
  NotesTerm();
}

namespace {

STATUS LNCALLBACK CancelAtOnce() {
  return ERR_CANCEL;
}

}  // namespace

OSSIGPROC BreakPressed() {
  return reinterpret_cast<OSSIGPROC>(CancelAtOnce);
}

std::string StatusText(unsigned Status) {
  char text[256];
  WORD length = OSLoadString(nullptr, static_cast<STATUS>(Status), text, sizeof text - 1);
  return std::string(text, length);
}

std::string Bytes(std::initializer_list<int> Values) {
  std::string bytes;
  for (int value : Values) bytes += static_cast<char>(value);
  return bytes;
}

std::string ParagraphRecord() {
  return Bytes({0x81, 0x02});
}

std::string TextRun(const std::string& Text) {
  const auto length = static_cast<int>(8 + Text.size());
  std::string run = Bytes({0x85, 0xFF, length & 0xFF, length >> 8, 1, 0, 0, 10}) + Text;
  return Text.size() % 2 ? run + '\0' : run;
}

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

namespace {

void PutWord(std::string& Value, size_t Number) {
  auto word = static_cast<WORD>(Number);
  Value.append(reinterpret_cast<const char*>(&word), sizeof word);
}

WORD WordAt(std::string_view Bytes, size_t Offset) {
  WORD word = 0;
  if (Offset + sizeof word <= Bytes.size()) std::memcpy(&word, Bytes.data() + Offset, sizeof word);
  return word;
}

}  // namespace

std::vector<ItemValue> ItemValues(NOTEHANDLE Note, const std::string& Name) {
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

std::string TextListValue(const std::vector<std::string>& Texts) {
  std::string value;
  PutWord(value, Texts.size());
  for (const std::string& text : Texts) PutWord(value, text.size());
  for (const std::string& text : Texts) value += text;
  return value;
}

std::string ValueText(std::string_view Typed) {
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

MemoryRef::~MemoryRef() {
  if (FHandle) {
    EXPECT_EQ(OSMemFree(FHandle), NOERROR);
  }
}

ActingAs::ActingAs(const std::string& Name) {
  EXPECT_EQ(NotesRTSwitchUser(Name.c_str()), NOERROR) << Name;
}

ActingAs::~ActingAs() {
  NotesRTSwitchUser(nullptr);
}

std::string StorageTest::NewDatabase(const std::string& Name) {
  EXPECT_EQ(NSFDbCreate(Name.c_str(), DBCLASS_NOTEFILE, FALSE), NOERROR) << Name;
  return Name;
}

void StorageTest::AppendItem(NOTEHANDLE Note, const std::string& Name, WORD Type,
                             const std::string& Value, WORD Flags) {
  ASSERT_EQ(NSFItemAppend(Note, Flags, Name.c_str(), static_cast<WORD>(Name.size()), Type,
                          Value.data(), Value.size()),
            NOERROR)
      << Name;
}

std::string StorageTest::Text(NOTEHANDLE Note, const std::string& Name) {
  char buffer[1024];
  WORD length = NSFItemGetText(Note, Name.c_str(), buffer, sizeof buffer);
  return std::string(buffer, length);
}

std::string StorageTest::TextOf(DBHANDLE Db, NOTEID Id, const std::string& Name) {
  NoteRef note;
  if (STATUS status = NSFNoteOpen(Db, Id, 0, note.Out()))
    return "status " + std::to_string(ERR(status));
  return Text(note.Get(), Name);
}

// ASCII is the same in both, and may be longer than OSTranslate takes.
std::string StorageTest::Lmbcs(const std::string& Utf8) {
  if (std::all_of(Utf8.begin(), Utf8.end(), [](char c) { return c > 0; })) return Utf8;
  char out[4096];
  WORD length = OSTranslate(OS_TRANSLATE_UTF8_TO_LMBCS, Utf8.data(), static_cast<WORD>(Utf8.size()),
                            out, sizeof out);
  return std::string(out, length);
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

std::vector<NOTEID> ReadIds(HCOLLECTION Collection, COLLECTIONPOSITION& Position, WORD Skip,
                            WORD Return, DWORD Count) {
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

std::vector<NOTEID> ViewIds(DBHANDLE Db, const char* View) {
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

STATUS OpenCollectionStatus(DBHANDLE Db, NOTEID View) {
  HCOLLECTION collection = 7;
  STATUS status = NIFOpenCollection(Db, Db, View, 0, NULLHANDLE, &collection, nullptr, nullptr,
                                    nullptr, nullptr);
  if (status == NOERROR)
    EXPECT_EQ(NIFCloseCollection(collection), NOERROR);
  else
    EXPECT_EQ(collection, NULLHANDLE) << "status " << status;
  return status;
}

std::vector<NOTEID> TableIds(DHANDLE Table) {
  std::vector<NOTEID> ids;
  DWORD id = 0;
  for (BOOL first = TRUE; IDScan(Table, first, &id); first = FALSE) ids.push_back(id);
  return ids;
}

void StorageTest::CopyDatabase(const std::string& From, const std::string& To, WORD Classes,
                               DWORD Flags) {
  DBHANDLE copy = NULLHANDLE;
  ASSERT_EQ(NSFDbCreateAndCopy(From.c_str(), To.c_str(), Classes, 0, Flags, &copy), NOERROR)
      << From << " to " << To;
  EXPECT_EQ(NSFDbClose(copy), NOERROR);
}

STATUS StorageTest::OpenStatus(const std::string& Path) {
  DBHANDLE db = NULLHANDLE;
  STATUS status = NSFDbOpen(Path.c_str(), &db);
  if (db) NSFDbClose(db);
  return status;
}

void NewNoteTest::SetUp() {
  StorageTest::SetUp();
  NewDatabase();
  FDb = std::make_unique<DbRef>("test.nsf");
  FNote = std::make_unique<NoteRef>();
  ASSERT_EQ(NSFNoteCreate(FDb->Get(), FNote->Out()), NOERROR);
}

void NewNoteTest::Reopen() {
  ASSERT_EQ(NSFNoteUpdate(Note(), 0), NOERROR);
  const NOTEID id = IdOf(Note());
  FNote = std::make_unique<NoteRef>();
  ASSERT_EQ(NSFNoteOpen(FDb->Get(), id, 0, FNote->Out()), NOERROR);
}

void NewNoteTest::TearDown() {
  FNote.reset();
  FDb.reset();
  StorageTest::TearDown();
}

}  // namespace runtimetest
