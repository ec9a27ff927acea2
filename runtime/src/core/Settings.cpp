#include "core/Settings.h"

#include <stdlib.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "core/ApiCall.h"
#include "core/FilterSettings.h"
#include "notesapi/miscerr.h"
#include "notesapi/notesrt.h"
#include "notesapi/osenv.h"
#include "text/BufferText.h"

namespace notesrt {

namespace {

// A name or value that would break the line structure of the file.
bool Storable(std::string_view Name, std::string_view Value) {
  auto lineBreak = [](std::string_view text) { return text.find_first_of("\r\n") != text.npos; };
  return !Name.empty() && Name.find('=') == Name.npos && !lineBreak(Name) && !lineBreak(Value) &&
         Name.find_first_of(" \t[;#") == Name.npos;
}

std::string FoldedName(std::string_view Name) {
  std::string folded(Name);
  for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return folded;
}

}  // namespace

TSettings& TSettings::Instance() {
  static TSettings& settings = *new TSettings;
  return settings;
}

std::filesystem::path TSettings::IniPath() {
  if (const char* path = getenv(NOTESRT_INI_ENV); path && *path) return path;
  if (const char* home = getenv("HOME"); home && *home)
    return std::filesystem::path(home) / "notes" / "data" / "notes.ini";
  return {};
}

bool TSettings::Exists() {
  return Current() != nullptr;
}

std::optional<std::string> TSettings::Get(std::string_view Name) {
  if (std::optional<std::string> session = SessionValue(Name)) return session;
  const TIniFile* file = Current();
  return file ? file->Get(Name) : std::nullopt;
}

bool TSettings::HasNameStarting(std::string_view Prefix) {
  std::string folded = FoldedName(Prefix);
  if (std::any_of(FSession.begin(), FSession.end(),
                  [&](const auto& Entry) { return Entry.first.starts_with(folded); }))
    return true;
  const TIniFile* file = Current();
  return file && file->HasNameStarting(Prefix);
}

bool TSettings::Set(std::string_view Name, std::string_view Value) {
  if (!Storable(Name, Value) || IniPath().empty()) return false;
  // Start from what is on disk now, so that changes made by others since the last read survive.
  TIniFile file = Current() ? *FFile : TIniFile();
  file.Set(Name, Value);
  if (!file.Save(FPath)) return false;
  FStamp.reset();
  return true;
}

bool TSettings::SetForSession(std::string_view Name, std::optional<std::string_view> Value) {
  if (!Storable(Name, Value.value_or(""))) return false;
  std::string key = FoldedName(Name);
  auto held = std::find_if(FSession.begin(), FSession.end(),
                           [&](const auto& Entry) { return Entry.first == key; });
  if (held != FSession.end()) FSession.erase(held);
  if (Value) FSession.emplace_back(std::move(key), std::string(*Value));
  return true;
}

std::optional<std::string> TSettings::SessionValue(std::string_view Name) const {
  std::string key = FoldedName(Name);
  for (const auto& [name, value] : FSession)
    if (name == key) return value;
  return std::nullopt;
}

void TSettings::PushUser(std::string_view Name) {
  FPushedUsers.push_back(SessionValue(NOTESRT_USER_NAME_VAR));
  SetForSession(NOTESRT_USER_NAME_VAR, Name);
}

void TSettings::PopUser() {
  if (FPushedUsers.empty()) return;
  std::optional<std::string> previous = std::move(FPushedUsers.back());
  FPushedUsers.pop_back();
  SetForSession(NOTESRT_USER_NAME_VAR, previous);
}

void TSettings::ClearSession() {
  FSession.clear();
  FPushedUsers.clear();
}

const TIniFile* TSettings::Current() {
  std::filesystem::path path = IniPath();
  std::optional<TStamp> stamp = StampOf(path);
  if (path != FPath || !stamp || !FStamp || !(*stamp == *FStamp)) {
    FPath = path;
    FStamp = stamp;
    FFile = stamp ? TIniFile::Load(path) : std::nullopt;
  }
  return FFile ? &*FFile : nullptr;
}

bool TSettings::TStamp::operator==(const TStamp& Other) const {
  return Device == Other.Device && Inode == Other.Inode && Size == Other.Size &&
         Modified.tv_sec == Other.Modified.tv_sec && Modified.tv_nsec == Other.Modified.tv_nsec;
}

std::optional<TSettings::TStamp> TSettings::StampOf(const std::filesystem::path& Path) {
  struct stat info {};
  if (Path.empty() || stat(Path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return TStamp{info.st_dev, info.st_ino, info.st_size, info.st_mtim};
}

}  // namespace notesrt

using notesrt::TSettings;

// Works before NotesInit too: it reads the file directly. BufferLength is published as "size - 1"
// but often passed as the size; writing at most BufferLength bytes with the NUL is safe for both.
BOOL LNPUBLIC OSGetEnvironmentString(const char* VariableName, char* retValueBuffer,
                                     WORD BufferLength) {
  return notesrt::ApiValueCall<BOOL>(FALSE, [&]() -> BOOL {
    std::optional<std::string> value;
    if (VariableName) {
      value = TSettings::Instance().Get(VariableName);
      if (!value) value = notesrt::BuiltInFilterSetting(VariableName);
    }
    notesrt::CopyToBuffer(value.value_or(""), retValueBuffer, BufferLength);
    return value ? TRUE : FALSE;
  });
}

long LNPUBLIC OSGetEnvironmentLong(const char* VariableName) {
  return notesrt::ApiValueCall<long>(0, [&] {
    std::optional<std::string> value =
        VariableName ? TSettings::Instance().Get(VariableName) : std::nullopt;
    return value ? std::strtol(value->c_str(), nullptr, 10) : 0L;
  });
}

// A value of "" keeps the line with an empty value, as the Notes client does.
void LNPUBLIC OSSetEnvironmentVariable(const char* VariableName, const char* Value) {
  notesrt::ApiVoidCall([&] {
    if (VariableName) TSettings::Instance().Set(VariableName, Value ? Value : "");
  });
}

STATUS LNPUBLIC NotesRTSetSessionSetting(const char* Name, const char* Value) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!Name) return ERR_MISC_INVALID_ARGS;
    std::optional<std::string_view> value;
    if (Value) value = Value;
    return TSettings::Instance().SetForSession(Name, value) ? NOERROR : ERR_MISC_INVALID_ARGS;
  });
}

STATUS LNPUBLIC NotesRTSwitchUser(const char* UserName) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!UserName) {
      TSettings::Instance().PopUser();
      return NOERROR;
    }
    if (!*UserName) return ERR_MISC_INVALID_ARGS;
    TSettings::Instance().PushUser(UserName);
    return NOERROR;
  });
}

void LNPUBLIC OSSetEnvironmentInt(const char* VariableName, int Value) {
  OSSetEnvironmentVariable(VariableName, std::to_string(Value).c_str());
}
