#include "RegistryHive.h"

#include <algorithm>
#include <utility>

#include "SysUtils.h"

namespace {

std::string_view TrimLineEnd(std::string_view Line) {
  while (!Line.empty() && (Line.back() == '\r' || Line.back() == ' ' || Line.back() == '\t'))
    Line.remove_suffix(1);
  return Line;
}

bool IsSection(std::string_view Line) {
  return Line.size() >= 2 && Line.front() == '[' && Line.back() == ']';
}

// Everything after the last "\" of a path.
std::string LastName(const std::string& Path) {
  return Path.substr(Path.rfind('\\') + 1);
}

bool IsBelow(const std::string& UpperPath, const std::string& UpperParent) {
  if (UpperParent.empty()) return !UpperPath.empty();
  return UpperPath.size() > UpperParent.size() && UpperPath.starts_with(UpperParent) &&
         UpperPath[UpperParent.size()] == '\\';
}

}  // namespace

TRegistryHive::TRegistryHive() {
  FKeys.emplace("", TRegistryKey(""));
}

TRegistryHive TRegistryHive::Parse(std::string_view Text) {
  TRegistryHive Hive;
  TRegistryKey* Current = Hive.FindKey("");
  while (!Text.empty()) {
    size_t End = Text.find('\n');
    std::string_view Line = TrimLineEnd(Text.substr(0, End));
    Text.remove_prefix(End == std::string_view::npos ? Text.size() : End + 1);
    if (Line.empty() || Line.front() == ';') continue;
    if (IsSection(Line)) {
      Current = &Hive.CreateKey(NormalizeKeyPath(Line.substr(1, Line.size() - 2)));
    } else if (auto Value = ParseValueLine(Line)) {
      Current->SetValue(Value->Name, std::move(Value->Data));
    } else {
      Current->AddUnreadableLine(std::string(Line));
    }
  }
  return Hive;
}

std::string TRegistryHive::Text() const {
  std::string Result;
  for (const auto& [Upper, Key] : FKeys) {
    bool Empty = Key.Values().empty() && Key.UnreadableLines().empty();
    if (Upper.empty() && Empty) continue;
    Result += "\n[" + Key.Path() + "]\n";
    for (const auto& Value : Key.Values()) Result += FormatValueLine(Value) + "\n";
    for (const auto& Line : Key.UnreadableLines()) Result += Line + "\n";
  }
  return Result;
}

const TRegistryKey* TRegistryHive::FindKey(const std::string& Path) const {
  auto It = FKeys.find(UpperCase(Path));
  return It == FKeys.end() ? nullptr : &It->second;
}

TRegistryKey* TRegistryHive::FindKey(const std::string& Path) {
  return const_cast<TRegistryKey*>(std::as_const(*this).FindKey(Path));
}

TRegistryKey& TRegistryHive::CreateKey(const std::string& Path) {
  for (size_t Pos = Path.find('\\'); Pos != std::string::npos; Pos = Path.find('\\', Pos + 1))
    FKeys.try_emplace(UpperCase(Path.substr(0, Pos)), TRegistryKey(Path.substr(0, Pos)));
  return FKeys.try_emplace(UpperCase(Path), TRegistryKey(Path)).first->second;
}

bool TRegistryHive::DeleteKey(const std::string& Path) {
  std::string Upper = UpperCase(Path);
  if (Upper.empty() || !FKeys.erase(Upper)) return false;
  std::erase_if(FKeys, [&](const auto& Entry) { return IsBelow(Entry.first, Upper); });
  return true;
}

std::vector<std::string> TRegistryHive::SubKeyNames(const std::string& Path) const {
  std::string Upper = UpperCase(Path);
  std::vector<std::string> Names;
  for (const auto& [KeyUpper, Key] : FKeys)
    if (IsBelow(KeyUpper, Upper) && KeyUpper.find('\\', Upper.size() + 1) == std::string::npos)
      Names.push_back(LastName(Key.Path()));
  std::sort(Names.begin(), Names.end(),
            [](const auto& A, const auto& B) { return UpperCase(A) < UpperCase(B); });
  return Names;
}
