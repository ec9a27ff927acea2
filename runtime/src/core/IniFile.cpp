#include "core/IniFile.h"

#include <stdio.h>
#include <stdlib.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "text/TextTrim.h"
namespace notesrt {

namespace {

std::string_view WithoutCr(std::string_view Line) {
  return !Line.empty() && Line.back() == '\r' ? Line.substr(0, Line.size() - 1) : Line;
}

bool IsSectionHeader(std::string_view Line) {
  return TrimBlanks(Line).starts_with('[');
}

// The variable name of a Name=Value line, or "" for any other line.
std::string_view NameOf(std::string_view Line) {
  size_t equals = Line.find('=');
  if (equals == std::string_view::npos || IsSectionHeader(Line)) return {};
  std::string_view name = TrimBlanks(Line.substr(0, equals));
  return name.starts_with(';') || name.starts_with('#') ? std::string_view() : name;
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

bool WriteAll(int Fd, const std::string& Text) {
  size_t done = 0;
  while (done < Text.size()) {
    ssize_t n = write(Fd, Text.data() + done, Text.size() - done);
    if (n < 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

std::optional<TIniFile> TIniFile::Load(const std::filesystem::path& Path) {
  std::ifstream in(Path, std::ios::binary);
  if (!in) return std::nullopt;
  TIniFile file;
  for (std::string line; std::getline(in, line);) file.FLines.push_back(line);
  if (in.bad()) return std::nullopt;
  return file;
}

std::optional<std::string> TIniFile::Get(std::string_view Name) const {
  std::optional<size_t> index = LineOf(Name);
  if (!index) return std::nullopt;
  std::string_view line = WithoutCr(FLines[*index]);
  return std::string(line.substr(line.find('=') + 1));
}

bool TIniFile::HasNameStarting(std::string_view Prefix) const {
  return std::any_of(FLines.begin(), FLines.end(), [&](const std::string& Line) {
    std::string_view name = NameOf(WithoutCr(Line));
    return name.size() >= Prefix.size() && SameName(name.substr(0, Prefix.size()), Prefix);
  });
}

void TIniFile::Set(std::string_view Name, std::string_view Value) {
  std::string line = std::string(Name) + "=" + std::string(Value);
  if (std::optional<size_t> index = LineOf(Name))
    FLines[*index] = line;
  else
    FLines.insert(FLines.begin() + static_cast<std::ptrdiff_t>(EndOfNotesSection()), line);
}

bool TIniFile::Save(const std::filesystem::path& Path) const {
  std::string text;
  for (const std::string& line : FLines) text += line + "\n";
  std::string temp = Path.string() + ".XXXXXX";
  int fd = mkstemp(temp.data());
  if (fd < 0) return false;
  // The replacement keeps the permissions of the file it replaces.
  struct stat existing {};
  mode_t mode = stat(Path.c_str(), &existing) == 0 ? existing.st_mode & 07777 : 0644;
  bool written = fchmod(fd, mode) == 0 && WriteAll(fd, text) && fsync(fd) == 0;
  written = close(fd) == 0 && written;
  if (written && rename(temp.c_str(), Path.c_str()) == 0) return true;
  unlink(temp.c_str());
  return false;
}

std::optional<size_t> TIniFile::LineOf(std::string_view Name) const {
  for (size_t index = 0; index < FLines.size(); ++index)
    if (SameName(NameOf(FLines[index]), Name)) return index;
  return std::nullopt;
}

// New variables go to the end of the [Notes] section, before any section that follows it.
size_t TIniFile::EndOfNotesSection() const {
  auto isHeader = [](const std::string& line) { return IsSectionHeader(line); };
  auto first = std::find_if(FLines.begin(), FLines.end(), isHeader);
  if (first == FLines.end()) return FLines.size();
  auto next = std::find_if(first + 1, FLines.end(), isHeader);
  return static_cast<size_t>(next - FLines.begin());
}

}  // namespace notesrt
