#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "notesapi/notesrt.h"

namespace vesktest {

// Runs one statement on a database file as another program would, behind the runtime's back.
inline void ExecuteOn(const std::filesystem::path& File, const std::string& Sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(File.c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, Sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << Sql;
  sqlite3_close(db);
}

// The first column of the first row of a query on a database file; -1 when there is none.
inline int64_t ValueOn(const std::filesystem::path& File, const std::string& Sql) {
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

// Rewrites the stored items of one note of a closed database file with Edit, as flipped bits on
// disk would change them.
inline void EditNoteItems(const std::filesystem::path& File, int64_t NoteId,
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

// Overwrites one page of the file that holds rows of Table (the middle one of its leaf pages)
// with garbage, as a failing disk would. The file must be closed. Returns the page number.
inline int DamageLeafPage(const std::filesystem::path& File, const std::string& Table) {
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

// A small file system of its own (tmpfs of SizeKb), mounted at Folder while the object lives.
// Mounting needs root: Mounted() says whether it worked.
class SmallDisk {
 public:
  SmallDisk(const std::filesystem::path& Folder, int SizeKb)
      : FFolder(Folder), FOptions("size=" + std::to_string(SizeKb) + "k") {
    std::filesystem::create_directories(Folder);
    FMounted = geteuid() == 0 && mount("tmpfs", Folder.c_str(), "tmpfs", 0, FOptions.c_str()) == 0;
  }
  ~SmallDisk() {
    if (FMounted) umount2(FFolder.c_str(), MNT_DETACH);
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool Mounted() const { return FMounted; }
  // Writes a file until the disk has no room left.
  void Fill() {
    std::ofstream filler(FFolder / "filler", std::ios::binary);
    const std::string chunk(4096, 'f');
    while (filler.write(chunk.data(), static_cast<std::streamsize>(chunk.size())) &&
           filler.flush()) {
    }
  }
  // No more writes, as on read-only media.
  bool MakeReadOnly() {
    return mount(nullptr, FFolder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, FOptions.c_str()) == 0;
  }

 private:
  std::filesystem::path FFolder;
  std::string FOptions;
  bool FMounted = false;
};

// The runtime's log lines while it lives.
class LogCapture {
 public:
  LogCapture() {
    FLines.clear();
    NotesRTSetLogHandler([](const char* Line) { FLines.emplace_back(Line); });
  }
  ~LogCapture() { NotesRTSetLogHandler(nullptr); }
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  const std::vector<std::string>& Lines() const { return FLines; }
  // Every line joined, for messages and searching.
  std::string Text() const {
    std::string text;
    for (const std::string& line : FLines) text += line + "\n";
    return text;
  }

 private:
  static inline std::vector<std::string> FLines;
};

}  // namespace vesktest
