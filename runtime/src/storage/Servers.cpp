#include "storage/Servers.h"

#include <algorithm>
#include <optional>
#include <system_error>
#include <vector>

#include "core/EStatus.h"
#include "core/Settings.h"
#include "notesapi/clerr.h"
#include "notesapi/notesrt.h"
#include "notesapi/oserr.h"
#include "text/DistinguishedName.h"
#include "text/TextFold.h"
#include "text/TextTrim.h"

namespace notesrt {

namespace {

bool SafeByte(unsigned char Byte) {
  return Byte >= 0x80 || (Byte >= '0' && Byte <= '9') || (Byte >= 'A' && Byte <= 'Z') ||
         (Byte >= 'a' && Byte <= 'z') ||
         std::string_view("=._- ").find(static_cast<char>(Byte)) != std::string_view::npos;
}

std::string CanonicalOf(std::string_view Server) {
  return FoldUtf8(LmbcsToUtf8(TDistinguishedName(Server).Canonical()));
}

std::vector<std::string> UnreachableServers() {
  std::vector<std::string> servers;
  std::string list = TSettings::Instance().Get(NOTESRT_UNREACHABLE_VAR).value_or("");
  for (std::string_view entry : CommaPieces(list)) servers.push_back(CanonicalOf(entry));
  return servers;
}

bool IsDirectory(const std::filesystem::path& Path) {
  std::error_code error;
  return std::filesystem::is_directory(Path, error);
}

// A flat name ("Srv1") stands for the one server whose common name it is.
std::optional<std::filesystem::path> FindByCommonName(const std::filesystem::path& Root,
                                                      std::string_view CommonName) {
  std::string prefix = ServerDirectoryName("CN=" + std::string(CommonName));
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(Root, error)) {
    std::string name = entry.path().filename().string();
    bool match = name == prefix || name.rfind(prefix + "%2F", 0) == 0;
    if (match && entry.is_directory(error)) return entry.path();
  }
  return std::nullopt;
}

int HexDigit(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  return -1;
}

// The reverse of ServerDirectoryName; nullopt for a folder name it cannot have made.
std::optional<std::string> DecodedDirectoryName(std::string_view Name) {
  std::string decoded;
  for (size_t at = 0; at < Name.size(); ++at) {
    if (Name[at] != '%') {
      if (!SafeByte(static_cast<unsigned char>(Name[at]))) return std::nullopt;
      decoded += Name[at];
      continue;
    }
    int high = at + 2 < Name.size() ? HexDigit(Name[at + 1]) : -1;
    int low = high >= 0 ? HexDigit(Name[at + 2]) : -1;
    if (low < 0) return std::nullopt;
    decoded += static_cast<char>(high * 16 + low);
    at += 2;
  }
  return decoded;
}

[[noreturn]] void NotResponding() {
  throw EStatus(ERR_SERVER_NOT_RESPONDING);
}

}  // namespace

std::string ServerDirectoryName(std::string_view CanonicalUtf8) {
  static constexpr char Hex[] = "0123456789ABCDEF";
  std::string upper = UpperUtf8(TrimBlanks(CanonicalUtf8));
  // These would name the servers directory itself or its parent.
  if (upper.empty() || upper == "." || upper == "..") throw EStatus(ERR_INV_SERVER_NAME);
  std::string name;
  for (char c : upper) {
    auto byte = static_cast<unsigned char>(c);
    if (SafeByte(byte)) {
      name += c;
    } else {
      name += '%';
      name += Hex[byte >> 4];
      name += Hex[byte & 0x0F];
    }
  }
  return name;
}

std::string ServerNameOf(const std::filesystem::path& Directory) {
  std::optional<std::string> name = DecodedDirectoryName(Directory.filename().string());
  return name ? Utf8ToLmbcs(*name) : std::string();
}

std::vector<std::string> KnownServers() {
  std::vector<std::string> servers;
  std::string root = TSettings::Instance().Get(NOTESRT_SERVERS_DIR_VAR).value_or("");
  if (root.empty()) return servers;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(root, error)) {
    if (!entry.is_directory(error)) continue;
    std::string name = ServerNameOf(entry.path());
    if (!name.empty()) servers.push_back(std::move(name));
  }
  std::sort(servers.begin(), servers.end());
  return servers;
}

std::filesystem::path ServerDirectory(std::string_view Server) {
  std::string canonical = CanonicalOf(Server);
  for (const std::string& unreachable : UnreachableServers())
    if (unreachable == canonical) NotResponding();
  std::optional<std::string> root = TSettings::Instance().Get(NOTESRT_SERVERS_DIR_VAR);
  // Not a server that is down: the setting that says where servers live is missing.
  if (!root || root->empty()) throw EStatus(ERR_NOTESRT_NO_SERVERS_DIR);
  std::string utf8 = LmbcsToUtf8(TDistinguishedName(Server).Canonical());
  std::filesystem::path directory = std::filesystem::path(*root) / ServerDirectoryName(utf8);
  if (IsDirectory(directory)) return directory;
  if (TDistinguishedName(Server).Form() == TDistinguishedName::TForm::Flat) {
    if (auto found = FindByCommonName(*root, utf8)) return *found;
  }
  NotResponding();
}

}  // namespace notesrt
