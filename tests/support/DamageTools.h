#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vesktest {

// Runs one statement on a database file as another program would, behind the runtime's back.
void ExecuteOn(const std::filesystem::path& File, const std::string& Sql);
// The first column of the first row of a query on a database file; -1 when there is none.
int64_t ValueOn(const std::filesystem::path& File, const std::string& Sql);
// Rewrites the stored items of one note of a closed database file with Edit, as flipped bits on
// disk would change them.
void EditNoteItems(const std::filesystem::path& File, int64_t NoteId,
                   const std::function<void(std::string&)>& Edit);
// Overwrites one page of the file that holds rows of Table (the middle one of its leaf pages)
// with garbage, as a failing disk would. The file must be closed. Returns the page number.
int DamageLeafPage(const std::filesystem::path& File, const std::string& Table);

// A small file system of its own (tmpfs of SizeKb), mounted at Folder while the object lives.
// Mounting needs root: Mounted() says whether it worked.
class SmallDisk {
 public:
  SmallDisk(const std::filesystem::path& Folder, int SizeKb);
  ~SmallDisk();
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool Mounted() const { return FMounted; }
  // Writes a file until the disk has no room left.
  void Fill();
  // No more writes, as on read-only media.
  bool MakeReadOnly();

 private:
  std::filesystem::path FFolder;
  std::string FOptions;
  bool FMounted = false;
};

// The runtime's log lines while it lives.
class LogCapture {
 public:
  LogCapture();
  ~LogCapture();
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  const std::vector<std::string>& Lines() const;
  // Every line joined, for messages and searching.
  std::string Text() const;
};

}  // namespace vesktest
