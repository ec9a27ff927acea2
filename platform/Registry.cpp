#include "Registry.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "RegistryStore.h"
#include "StringList.h"

namespace {

const char* const RegistryDirEnv = "VESK_REGISTRY_DIR";

std::string EnvOrEmpty(const char* Name) {
  const char* Value = std::getenv(Name);
  return Value ? Value : "";
}

std::filesystem::path HomeDirectory() {
  std::string Home = EnvOrEmpty("HOME");
  if (!Home.empty()) return Home;
  const passwd* User = getpwuid(getuid());
  if (!User) throw ERegistryException("Cannot find the registry: no home directory");
  return User->pw_dir;
}

// Names that would break the one-line layout of the root files are refused, as Windows
// refuses names it cannot store.
bool IsStorableName(const std::string& Path) {
  return std::none_of(Path.begin(), Path.end(),
                      [](char C) { return static_cast<unsigned char>(C) < 0x20; });
}

[[noreturn]] void RaiseDataError(const char* Format, const std::string& Name) {
  throw ERegistryException(std::string(Format) + " '" + Name + "'");
}

}  // namespace

struct TRegistry::TImpl {
  HKEY Root = HKEY_CURRENT_USER;
  bool KeyOpen = false;
  bool ReadOnly = false;
  std::string CurrentPath;

  TRegistryStore Store() const { return TRegistryStore(Root); }

  // Like Windows: a key beginning with "\" is absolute, any other is relative to the open key.
  std::string Resolve(const std::string& Key) const {
    bool Relative = !Key.starts_with('\\');
    return NormalizeKeyPath(Relative && KeyOpen ? CurrentPath + "\\" + Key : Key);
  }

  void Open(std::string Path, bool IsReadOnly) {
    CurrentPath = std::move(Path);
    KeyOpen = true;
    ReadOnly = IsReadOnly;
  }

  std::optional<TRegistryValue> Find(const std::string& Name) const {
    TRegistryHive Hive = Store().Load();
    const TRegistryKey* Key = Hive.FindKey(CurrentPath);
    const TRegistryValue* Value = Key ? Key->FindValue(Name) : nullptr;
    if (!Value) return std::nullopt;
    return *Value;
  }

  template <class T>
  static T Read(std::optional<TRegistryValue> Value, const std::string& Name) {
    if (!Value) RaiseDataError("Failed to get data for", Name);
    if (!std::holds_alternative<T>(Value->Data)) RaiseDataError("Invalid data type for", Name);
    return std::get<T>(std::move(Value->Data));
  }

  void Write(const std::string& Name, TRegistryData Data) {
    if (ReadOnly) RaiseDataError("Failed to set data for", Name);
    Store().Update([&](TRegistryHive& Hive) {
      // The open key may have been deleted meanwhile, here or by another process.
      TRegistryKey* Key = Hive.FindKey(CurrentPath);
      if (!Key) RaiseDataError("Failed to set data for", Name);
      Key->SetValue(Name, std::move(Data));
    });
  }
};

TRegistry::TRegistry() : FImpl(std::make_unique<TImpl>()) {}

TRegistry::~TRegistry() = default;

HKEY TRegistry::RootKey() const {
  return FImpl->Root;
}

void TRegistry::SetRootKey(HKEY Root) {
  CloseKey();
  FImpl->Root = Root;
}

bool TRegistry::OpenKey(const std::string& Key, bool CanCreate) {
  std::string Path = FImpl->Resolve(Key);
  if (!KeyExists(Key)) {
    if (!CanCreate || !IsStorableName(Path)) return false;
    FImpl->Store().Update([&](TRegistryHive& Hive) { Hive.CreateKey(Path); });
  }
  FImpl->Open(std::move(Path), false);
  return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& Key) {
  if (!KeyExists(Key)) return false;
  FImpl->Open(FImpl->Resolve(Key), true);
  return true;
}

void TRegistry::CloseKey() {
  FImpl->KeyOpen = false;
  FImpl->ReadOnly = false;
  FImpl->CurrentPath.clear();
}

bool TRegistry::KeyExists(const std::string& Key) {
  return FImpl->Store().Load().FindKey(FImpl->Resolve(Key)) != nullptr;
}

bool TRegistry::DeleteKey(const std::string& Key) {
  std::string Path = FImpl->Resolve(Key);
  if (Path.empty() || !KeyExists(Key)) return false;
  bool Deleted = false;
  FImpl->Store().Update([&](TRegistryHive& Hive) { Deleted = Hive.DeleteKey(Path); });
  return Deleted;
}

const std::string& TRegistry::CurrentPath() const {
  return FImpl->CurrentPath;
}

bool TRegistry::HasSubKeys() {
  return !FImpl->Store().Load().SubKeyNames(FImpl->CurrentPath).empty();
}

void TRegistry::GetKeyNames(TStringList& Strings) {
  Strings.Clear();
  for (const auto& Name : FImpl->Store().Load().SubKeyNames(FImpl->CurrentPath)) Strings.Add(Name);
}

void TRegistry::GetValueNames(TStringList& Strings) {
  Strings.Clear();
  TRegistryHive Hive = FImpl->Store().Load();
  if (const TRegistryKey* Key = Hive.FindKey(FImpl->CurrentPath))
    for (const auto& Value : Key->Values()) Strings.Add(Value.Name);
}

bool TRegistry::ValueExists(const std::string& Name) {
  return FImpl->Find(Name).has_value();
}

bool TRegistry::DeleteValue(const std::string& Name) {
  if (FImpl->ReadOnly || !ValueExists(Name)) return false;
  bool Deleted = false;
  FImpl->Store().Update([&](TRegistryHive& Hive) {
    TRegistryKey* Key = Hive.FindKey(FImpl->CurrentPath);
    Deleted = Key && Key->DeleteValue(Name);
  });
  return Deleted;
}

std::string TRegistry::ReadString(const std::string& Name) {
  auto Value = FImpl->Find(Name);
  return Value ? TImpl::Read<std::string>(std::move(Value), Name) : std::string();
}

void TRegistry::WriteString(const std::string& Name, const std::string& Value) {
  FImpl->Write(Name, Value);
}

int32_t TRegistry::ReadInteger(const std::string& Name) {
  return static_cast<int32_t>(TImpl::Read<uint32_t>(FImpl->Find(Name), Name));
}

void TRegistry::WriteInteger(const std::string& Name, int32_t Value) {
  FImpl->Write(Name, static_cast<uint32_t>(Value));
}

std::vector<uint8_t> TRegistry::ReadBinaryData(const std::string& Name) {
  return TImpl::Read<std::vector<uint8_t>>(FImpl->Find(Name), Name);
}

void TRegistry::WriteBinaryData(const std::string& Name, const std::vector<uint8_t>& Value) {
  FImpl->Write(Name, Value);
}

std::filesystem::path TRegistry::Directory() {
  std::string Configured = EnvOrEmpty(RegistryDirEnv);
  if (!Configured.empty()) return Configured;
  std::string ConfigHome = EnvOrEmpty("XDG_CONFIG_HOME");
  std::filesystem::path Base =
      ConfigHome.starts_with('/') ? std::filesystem::path(ConfigHome) : HomeDirectory() / ".config";
  return Base / "vesk" / "registry";
}
