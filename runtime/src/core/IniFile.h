#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace notesrt {

// The lines of a notes.ini: an optional "[Notes]" header, then Name=Value lines. Names are
// case-insensitive; the first line of a name wins. Every other line is kept as it was, so a
// rewrite changes only the variable set.
class TIniFile {
 public:
  // Null when the file does not exist or cannot be read.
  static std::optional<TIniFile> Load(const std::filesystem::path& Path);

  std::optional<std::string> Get(std::string_view Name) const;
  // Whether a variable's name begins with Prefix, in any case.
  bool HasNameStarting(std::string_view Prefix) const;
  void Set(std::string_view Name, std::string_view Value);
  // Writes a temporary file beside Path and renames it over Path, so a reader never sees half a
  // file. Returns false when the file cannot be written.
  bool Save(const std::filesystem::path& Path) const;

 private:
  std::optional<size_t> LineOf(std::string_view Name) const;
  size_t EndOfNotesSection() const;

  std::vector<std::string> FLines;
};

}  // namespace notesrt
