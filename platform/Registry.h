#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Exception.h"

class TStringList;

// The registry roots the system uses.
enum class HKEY : uint8_t { HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT };
constexpr HKEY HKEY_CURRENT_USER = HKEY::HKEY_CURRENT_USER;
constexpr HKEY HKEY_LOCAL_MACHINE = HKEY::HKEY_LOCAL_MACHINE;
// File types: extension keys naming a class, classes with their DefaultIcon.
constexpr HKEY HKEY_CLASSES_ROOT = HKEY::HKEY_CLASSES_ROOT;

class VESK_API ERegistryException : public Exception {
 public:
  using Exception::Exception;
};

// Stand-in for the Windows registry: each root is one file under the registry directory
// (environment variable VESK_REGISTRY_DIR; default $XDG_CONFIG_HOME/vesk/registry, or
// ~/.config/vesk/registry). Key paths use "\" as on Windows and compare case-insensitively.
// Writes are saved at once and atomically (a temporary file renamed over the old one).
class TRegistry {
 public:
  TRegistry();  // RootKey starts as HKEY_CURRENT_USER
  ~TRegistry();
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  HKEY RootKey() const;
  void SetRootKey(HKEY Root);  // closes the current key

  bool OpenKey(const std::string& Key, bool CanCreate);
  bool OpenKeyReadOnly(const std::string& Key);
  void CloseKey();
  bool KeyExists(const std::string& Key);
  bool DeleteKey(const std::string& Key);
  const std::string& CurrentPath() const;

  bool HasSubKeys();
  void GetKeyNames(TStringList& Strings);    // subkeys of the open key, in registry order
  void GetValueNames(TStringList& Strings);  // values of the open key
  bool ValueExists(const std::string& Name);
  bool DeleteValue(const std::string& Name);

  // Reading a value of another type raises ERegistryException; a missing string reads as "".
  std::string ReadString(const std::string& Name);
  void WriteString(const std::string& Name, const std::string& Value);
  int32_t ReadInteger(const std::string& Name);  // DWORD values
  void WriteInteger(const std::string& Name, int32_t Value);
  std::vector<uint8_t> ReadBinaryData(const std::string& Name);
  void WriteBinaryData(const std::string& Name, const std::vector<uint8_t>& Value);

  // Where the root files live (for tests and tools).
  static std::filesystem::path Directory();

 private:
  struct TImpl;
  std::unique_ptr<TImpl> FImpl;
};
