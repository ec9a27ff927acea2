#include "storage/Servers.h"

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
