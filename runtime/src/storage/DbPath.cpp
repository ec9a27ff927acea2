#include "storage/DbPath.h"

#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "core/EStatus.h"
#include "core/Runtime.h"
#include "core/Settings.h"
#include "notesapi/oserr.h"
#include "storage/Servers.h"
#include "text/TextFold.h"

namespace notesrt {

namespace {

constexpr std::string_view NetSeparator = "!!";

struct TSplitPath {
  std::filesystem::path Root;
  std::vector<std::string> Components;
  std::string Server;
};

std::filesystem::path DataDirectory() {
  std::optional<std::string> directory = TSettings::Instance().Get("Directory");
  if (!directory || directory->empty()) throw EStatus(ERR_NOEXIST);
  return *directory;
}

// "port!!server!!file": the port is irrelevant here; an empty server means this machine.
std::filesystem::path RootOf(std::string_view& Path, std::string& Server) {
  size_t last = Path.rfind(NetSeparator);
  if (last == Path.npos) return DataDirectory();
  std::string_view server = Path.substr(0, last);
  Path.remove_prefix(last + NetSeparator.size());
  if (size_t port = server.rfind(NetSeparator); port != server.npos)
    server.remove_prefix(port + NetSeparator.size());
  if (server.empty()) throw EStatus(ERR_INV_SERVER_NAME);
  std::filesystem::path directory = ServerDirectory(server);
  Server = ServerNameOf(directory);
  return directory;
}

TSplitPath Split(std::string_view LmbcsPath) {
  std::string_view rest = LmbcsPath;
  bool local = rest.find(NetSeparator) == rest.npos;
  TSplitPath split;
  split.Root = RootOf(rest, split.Server);
  std::string path = LmbcsToUtf8(rest);
  if (local && !path.empty() && path[0] == '/') split.Root = "/";
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find_first_of("/\\", start);
    if (end == path.npos) end = path.size();
    std::string component = path.substr(start, end - start);
    if (component == "..") throw EStatus(ERR_INV_FILE_NAME);
    if (!component.empty() && component != ".") split.Components.push_back(component);
    start = end + 1;
  }
  return split;
}

// The entry of Directory named Name, matched exactly first and then without regard to case.
std::optional<std::filesystem::path> FindEntry(const std::filesystem::path& Directory,
                                               const std::string& Name) {
  std::error_code error;
  std::filesystem::path exact = Directory / Name;
  if (std::filesystem::exists(exact, error)) return exact;
  std::string key = FoldUtf8(Name);
  for (const auto& entry : std::filesystem::directory_iterator(Directory, error))
    if (FoldUtf8(entry.path().filename().string()) == key) return entry.path();
  return std::nullopt;
}

bool HasExtension(const std::string& Name) {
  size_t dot = Name.rfind('.');
  return dot != Name.npos && dot > 0;
}

}  // namespace

TDbPath ResolveExisting(std::string_view Path) {
  RequireInitialized();
  TSplitPath split = Split(Path);
  std::filesystem::path current = split.Root;
  for (size_t index = 0; index < split.Components.size(); ++index) {
    const std::string& name = split.Components[index];
    std::optional<std::filesystem::path> found = FindEntry(current, name);
    bool last = index + 1 == split.Components.size();
    if (!found && last && !HasExtension(name)) found = FindEntry(current, name + ".nsf");
    if (!found) throw EStatus(ERR_NOEXIST);
    current = *found;
  }
  std::error_code error;
  if (std::filesystem::is_directory(current, error)) return {current, true, split.Server};
  if (!std::filesystem::is_regular_file(current, error)) throw EStatus(ERR_NOEXIST);
  return {current, false, split.Server};
}

std::filesystem::path ResolveNew(std::string_view Path) {
  RequireInitialized();
  TSplitPath split = Split(Path);
  if (split.Components.empty()) throw EStatus(ERR_INV_FILE_NAME);
  std::filesystem::path current = split.Root;
  bool onDisk = true;
  for (const std::string& name : split.Components) {
    std::optional<std::filesystem::path> found = onDisk ? FindEntry(current, name) : std::nullopt;
    onDisk = found.has_value();
    current = found ? *found : current / name;
  }
  return current;
}

std::string ServerOfPath(std::string_view Path) {
  return Split(Path).Server;
}

}  // namespace notesrt
