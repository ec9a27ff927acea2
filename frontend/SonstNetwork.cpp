// Network names: shares mounted with cifs, smb3 or nfs stand for the mapped network drives.
#include "MountTable.h"
#include "Sonst.h"
#include "StringList.h"
#include "SysUtils.h"

namespace {

std::string Backslashes(std::string Path) {
  for (char& C : Path)
    if (C == '/') C = '\\';
  return Path;
}

// "\\server\share" of a network mount, or empty for a local file system. The folder of the share
// the mount shows (its root) is part of it.
std::string ShareOf(const TMountEntry& Mount) {
  const std::string& Type = Mount.FsType;
  std::string Share;
  if ((Type == "cifs" || Type == "smb3" || Type == "smbfs") && Mount.Source.rfind("//", 0) == 0) {
    Share = Backslashes(Mount.Source);
  } else if (Type == "nfs" || Type == "nfs4") {
    size_t Colon = Mount.Source.find(":/");
    if (Colon == std::string::npos || Colon == 0) return "";
    Share = "\\\\" + Mount.Source.substr(0, Colon) + Backslashes(Mount.Source.substr(Colon + 1));
  } else {
    return "";
  }
  if (Mount.Root != "/") Share += Backslashes(Mount.Root);
  while (Share.size() > 2 && Share.back() == '\\') Share.pop_back();
  return Share;
}

bool HasDriveLetter(const std::string& Name) {
  return Name.size() >= 3 && isalpha(static_cast<unsigned char>(Name[0])) &&
         Name.compare(1, 2, ":\\") == 0;
}

}  // namespace

std::string GetUNCName(const std::string& FileName, bool LocalAsUNC) {
  if (HasDriveLetter(FileName)) {
    // A Windows drive is always local here.
    if (!LocalAsUNC) return FileName;
    return Format("\\\\%s\\%c\\%s", GetComputerName().c_str(), FileName[0],
                  FileName.substr(3).c_str());
  }
  if (FileName.empty() || FileName[0] != '/') return "";
  TMountTable Table = TMountTable::Load();
  std::string Path = ResolvePath(FileName);
  const TMountEntry* Mount = Table.Find(Path);
  std::string Share = Mount ? ShareOf(*Mount) : "";
  if (Share.empty()) return FileName;
  std::string Rest = Path.substr(std::min(Path.size(), Mount->MountPoint.size()));
  return Share + Backslashes(Rest == "/" ? "" : Rest);
}

int GetNetworkDriveMappings(TStringList& List) {
  List.Clear();
  for (const TMountEntry& Mount : TMountTable::Load().Entries)
    if (std::string Share = ShareOf(Mount); !Share.empty())
      List.Add(UpperCase(Share) + "=" + Mount.MountPoint);
  return List.Count();
}
