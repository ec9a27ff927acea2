// Network paths: "port!!server!!file", "server!!file" or a file alone.
#include <string>
#include <string_view>
#include <vector>

#include "core/ApiCall.h"
#include "notesapi/miscerr.h"
#include "notesapi/osfile.h"
#include "text/BufferText.h"

namespace {

constexpr std::string_view Separator = "!!";

std::string_view OrEmpty(const char* Text) {
  return Text ? Text : "";
}

std::string Construct(std::string_view Port, std::string_view Server, std::string_view File) {
  if (Server.empty()) return std::string(File);
  std::string path;
  if (!Port.empty()) path.append(Port).append(Separator);
  return path.append(Server).append(Separator).append(File);
}

std::vector<std::string_view> SplitAtSeparators(std::string_view Path) {
  std::vector<std::string_view> parts;
  for (size_t at; (at = Path.find(Separator)) != Path.npos;
       Path.remove_prefix(at + Separator.size()))
    parts.push_back(Path.substr(0, at));
  parts.push_back(Path);
  return parts;
}

struct TNetPath {
  std::string_view Port, Server, File;
};

// ERR_INV_SERVER_NAME for a separator without a server; ERR_INV_FILE_NAME for too many parts.
STATUS Parse(std::string_view Path, TNetPath& Result) {
  std::vector<std::string_view> parts = SplitAtSeparators(Path);
  if (parts.size() > 3) return ERR_INV_FILE_NAME;
  Result.File = parts.back();
  if (parts.size() >= 2) Result.Server = parts[parts.size() - 2];
  if (parts.size() == 3) Result.Port = parts[0];
  if (parts.size() >= 2 && Result.Server.empty()) return ERR_INV_SERVER_NAME;
  return NOERROR;
}

void Clear(char* Buffer) {
  if (Buffer) *Buffer = '\0';
}

}  // namespace

// The output buffer has no size argument and is MAXPATH bytes by contract. A longer result fails
// with ERR_INV_FILE_NAME and "", rather than a cut path naming another file.
STATUS LNPUBLIC OSPathNetConstruct(const char* PortName, const char* ServerName,
                                   const char* FileName, char* retPathName) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!retPathName) return ERR_MISC_INVALID_ARGS;
    std::string path = Construct(OrEmpty(PortName), OrEmpty(ServerName), OrEmpty(FileName));
    return notesrt::CopyWholeToBuffer(path, retPathName, MAXPATH) ? NOERROR : ERR_INV_FILE_NAME;
  });
}

// Each output is MAXPATH bytes and may be null. On failure every given output is "".
STATUS LNPUBLIC OSPathNetParse(const char* PathName, char* retPortName, char* retServerName,
                               char* retFileName) {
  Clear(retPortName);
  Clear(retServerName);
  Clear(retFileName);
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!PathName) return ERR_MISC_INVALID_ARGS;
    TNetPath path;
    if (STATUS status = Parse(PathName, path)) return status;
    if (path.Port.size() >= MAXPATH || path.Server.size() >= MAXPATH) return ERR_INV_SERVER_NAME;
    if (path.File.size() >= MAXPATH) return ERR_INV_FILE_NAME;
    notesrt::CopyWholeToBuffer(path.Port, retPortName, MAXPATH);
    notesrt::CopyWholeToBuffer(path.Server, retServerName, MAXPATH);
    notesrt::CopyWholeToBuffer(path.File, retFileName, MAXPATH);
    return NOERROR;
  });
}
