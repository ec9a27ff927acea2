#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
  // A value set for the session wins over the file's.
  std::optional<std::string> Get(std::string_view Name);
  // Whether a session value or the file has a variable whose name begins with Prefix.
  bool HasNameStarting(std::string_view Prefix);
  // False when the name or value cannot be stored or the file cannot be written.
  bool Set(std::string_view Name, std::string_view Value);

  // A value for this process only, never written to the file; nullopt forgets it. False for a
  // name or value the file could not hold either.
  bool SetForSession(std::string_view Name, std::optional<std::string_view> Value);
  std::optional<std::string> SessionValue(std::string_view Name) const;
  // Acting as another user (a server, for its administration): the current user is Name until
  // the matching PopUser; what was set for the session before comes back then. Pops without a
  // push do nothing.
  void PushUser(std::string_view Name);
  void PopUser();
  // Forgets every session value (the runtime's last NotesTerm).
  void ClearSession();

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
  // Session values by case-folded name.
  std::vector<std::pair<std::string, std::string>> FSession;
  // The session's user setting before each PushUser.
  std::vector<std::optional<std::string>> FPushedUsers;
};

// The current user is Name while the object lives (TSettings::PushUser).
class TActingUser {
 public:
  explicit TActingUser(std::string_view Name) { TSettings::Instance().PushUser(Name); }
  ~TActingUser() { TSettings::Instance().PopUser(); }
  TActingUser(const TActingUser&) = delete;
  TActingUser& operator=(const TActingUser&) = delete;
};

}  // namespace notesrt
