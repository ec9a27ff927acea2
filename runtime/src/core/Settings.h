#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/IniFile.h"

namespace notesrt {

// The process's view of notes.ini. The file is located afresh on every access (tests and tools
// point NOTES_INI elsewhere) and re-read whenever it changed on disk. Callers hold the API lock.
class TSettings {
 public:
  static TSettings& Instance();
  // $NOTES_INI, else $HOME/notes/data/notes.ini; empty when neither can be found.
  static std::filesystem::path IniPath();

  bool Exists();
  std::optional<std::string> Get(std::string_view Name);
  // False when the name or value cannot be stored or the file cannot be written.
  bool Set(std::string_view Name, std::string_view Value);

 private:
  TSettings() = default;
  const TIniFile* Current();

  struct TStamp {
    dev_t Device = 0;
    ino_t Inode = 0;
    off_t Size = 0;
    timespec Modified{};
    bool operator==(const TStamp& Other) const;
  };
  static std::optional<TStamp> StampOf(const std::filesystem::path& Path);

  std::filesystem::path FPath;
  std::optional<TStamp> FStamp;
  std::optional<TIniFile> FFile;
};

}  // namespace notesrt
