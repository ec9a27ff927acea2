#include "DesktopEntry.h"

#include <sstream>

#include "SysUtils.h"

namespace {

std::string UnescapeValue(const std::string& Value) {
  std::string Result;
  for (size_t Pos = 0; Pos < Value.size(); ++Pos) {
    if (Value[Pos] != '\\' || Pos + 1 == Value.size()) {
      Result += Value[Pos];
      continue;
    }
    switch (char Next = Value[++Pos]) {
      case 's':
        Result += ' ';
        break;
      case 'n':
        Result += '\n';
        break;
      case 't':
        Result += '\t';
        break;
      case 'r':
        Result += '\r';
        break;
      default:
        Result += Next;
    }
  }
  return Result;
}

int HexValue(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  return -1;
}

std::string PercentDecode(const std::string& Text) {
  std::string Result;
  for (size_t Pos = 0; Pos < Text.size(); ++Pos) {
    int High = -1, Low = -1;
    if (Text[Pos] == '%' && Pos + 2 < Text.size()) {
      High = HexValue(Text[Pos + 1]);
      Low = HexValue(Text[Pos + 2]);
    }
    if (High < 0 || Low < 0) {
      Result += Text[Pos];
      continue;
    }
    Result += static_cast<char>(High * 16 + Low);
    Pos += 2;
  }
  return Result;
}

}  // namespace

std::map<std::string, std::string> ParseDesktopEntry(const std::string& Text) {
  std::map<std::string, std::string> Keys;
  std::istringstream Lines(Text);
  std::string Line;
  bool InEntry = false;
  while (std::getline(Lines, Line)) {
    if (!Line.empty() && Line.back() == '\r') Line.pop_back();
    if (Line.empty() || Line[0] == '#') continue;
    if (Line[0] == '[') {
      InEntry = Line == "[Desktop Entry]";
      continue;
    }
    size_t Equals = Line.find('=');
    if (!InEntry || Equals == std::string::npos) continue;
    std::string Key = Trim(Line.substr(0, Equals));
    // The first of two equal keys counts.
    Keys.emplace(Key, UnescapeValue(TrimLeft(Line.substr(Equals + 1))));
  }
  return Keys;
}

std::string DesktopLinkTarget(const std::string& Text) {
  auto Keys = ParseDesktopEntry(Text);
  if (Keys["Type"] != "Link") return "";
  std::string Url = Keys["URL"], Path;
  return DecodeFileUrl(Url, Path) ? Path : Url;
}

bool DecodeFileUrl(const std::string& Url, std::string& Path) {
  const std::string Scheme = "file://";
  if (Url.size() < Scheme.size() || !SameText(Url.substr(0, Scheme.size()), Scheme)) return false;
  size_t PathStart = Url.find('/', Scheme.size());
  if (PathStart == std::string::npos) return false;
  std::string Host = Url.substr(Scheme.size(), PathStart - Scheme.size());
  if (!Host.empty() && !SameText(Host, "localhost")) return false;
  Path = PercentDecode(Url.substr(PathStart));
  return true;
}
