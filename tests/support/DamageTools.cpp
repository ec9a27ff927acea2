#include "DamageTools.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/mount.h>
#include <unistd.h>

#include <fstream>

#include "notesapi/notesrt.h"

namespace vesktest {

namespace {

std::vector<std::string> CapturedLines;

void Capture(const char* Line) {
  CapturedLines.emplace_back(Line);
}

}  // namespace

void ExecuteOn(const std::filesystem::path& File, const std::string& Sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(File.c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, Sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << Sql;
  sqlite3_close(db);
}

int64_t ValueOn(const std::filesystem::path& File, const std::string& Sql) {
  sqlite3* db = nullptr;
  sqlite3_stmt* statement = nullptr;
  int64_t value = -1;
  sqlite3_open(File.c_str(), &db);
  if (sqlite3_prepare_v2(db, Sql.c_str(), -1, &statement, nullptr) == SQLITE_OK &&
      sqlite3_step(statement) == SQLITE_ROW)
    value = sqlite3_column_int64(statement, 0);
  sqlite3_finalize(statement);
  sqlite3_close(db);
  return value;
}

void EditNoteItems(const std::filesystem::path& File, int64_t NoteId,
                   const std::function<void(std::string&)>& Edit) {
  sqlite3* db = nullptr;
  sqlite3_open(File.c_str(), &db);
  sqlite3_stmt* read = nullptr;
  std::string items;
  sqlite3_prepare_v2(db, "SELECT items FROM notes WHERE note_id = ?", -1, &read, nullptr);
  sqlite3_bind_int64(read, 1, NoteId);
  if (sqlite3_step(read) == SQLITE_ROW)
    items.assign(static_cast<const char*>(sqlite3_column_blob(read, 0)),
                 static_cast<size_t>(sqlite3_column_bytes(read, 0)));
  sqlite3_finalize(read);
  EXPECT_FALSE(items.empty()) << "note " << NoteId << " of " << File;
  Edit(items);
  sqlite3_stmt* write = nullptr;
  sqlite3_prepare_v2(db, "UPDATE notes SET items = ? WHERE note_id = ?", -1, &write, nullptr);
  sqlite3_bind_blob(write, 1, items.data(), static_cast<int>(items.size()), SQLITE_TRANSIENT);
  sqlite3_bind_int64(write, 2, NoteId);
  EXPECT_EQ(sqlite3_step(write), SQLITE_DONE);
  sqlite3_finalize(write);
  sqlite3_close(db);
}

int DamageLeafPage(const std::filesystem::path& File, const std::string& Table) {
  const int64_t pageSize = ValueOn(File, "PRAGMA page_size");
  const int64_t leaves = ValueOn(
      File, "SELECT count(*) FROM dbstat WHERE name = '" + Table + "' AND pagetype = 'leaf'");
  const int64_t page = ValueOn(File, "SELECT pageno FROM dbstat WHERE name = '" + Table +
                                         "' AND pagetype = 'leaf' ORDER BY pageno LIMIT 1 "
                                         "OFFSET " +
                                         std::to_string(leaves / 2));
  EXPECT_GT(page, 1) << Table << " has no leaf page of its own in " << File;
  std::fstream file(File, std::ios::in | std::ios::out | std::ios::binary);
  file.seekp((page - 1) * pageSize);
  const std::string garbage(static_cast<size_t>(pageSize), '\x5A');
  file.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
  return static_cast<int>(page);
}

SmallDisk::SmallDisk(const std::filesystem::path& Folder, int SizeKb)
    : FFolder(Folder), FOptions("size=" + std::to_string(SizeKb) + "k") {
  std::filesystem::create_directories(Folder);
  FMounted = geteuid() == 0 && mount("tmpfs", Folder.c_str(), "tmpfs", 0, FOptions.c_str()) == 0;
}

SmallDisk::~SmallDisk() {
  if (FMounted) umount2(FFolder.c_str(), MNT_DETACH);
}

void SmallDisk::Fill() {
  std::ofstream filler(FFolder / "filler", std::ios::binary);
  const std::string chunk(4096, 'f');
  while (filler.write(chunk.data(), static_cast<std::streamsize>(chunk.size())) && filler.flush()) {
  }
}

bool SmallDisk::MakeReadOnly() {
  return mount(nullptr, FFolder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, FOptions.c_str()) == 0;
}

LogCapture::LogCapture() {
  CapturedLines.clear();
  NotesRTSetLogHandler(Capture);
}

LogCapture::~LogCapture() {
  NotesRTSetLogHandler(nullptr);
}

const std::vector<std::string>& LogCapture::Lines() const {
  return CapturedLines;
}

std::string LogCapture::Text() const {
  std::string text;
  for (const std::string& line : CapturedLines) text += line + "\n";
  return text;
}

}  // namespace vesktest
