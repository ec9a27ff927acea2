#include "RegistryFormat.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace {

const std::string_view DwordPrefix = "dword:";
const std::string_view HexPrefix = "hex:";

std::string HexByte(uint8_t Byte) {
  char Buffer[3];
  std::snprintf(Buffer, sizeof Buffer, "%02x", Byte);
  return Buffer;
}

std::string Quote(std::string_view Text) {
  std::string Result = "\"";
  for (char C : Text) {
    auto Byte = static_cast<unsigned char>(C);
    if (C == '"' || C == '\\')
      Result += {'\\', C};
    else if (C == '\n')
      Result += "\\n";
    else if (C == '\r')
      Result += "\\r";
    else if (C == '\t')
      Result += "\\t";
    else if (Byte < 0x20 || Byte == 0x7f)
      Result += "\\x" + HexByte(Byte);
    else
      Result += C;
  }
  return Result + "\"";
}

std::optional<uint8_t> ParseHexByte(std::string_view Text) {
  uint8_t Byte = 0;
  if (Text.size() != 2) return std::nullopt;
  auto [End, Error] = std::from_chars(Text.data(), Text.data() + 2, Byte, 16);
  if (Error != std::errc() || End != Text.data() + 2) return std::nullopt;
  return Byte;
}

// Reads a quoted text starting at Text[Pos] == '"'; Pos ends after the closing quote.
std::optional<std::string> Unquote(std::string_view Text, size_t& Pos) {
  if (Pos >= Text.size() || Text[Pos] != '"') return std::nullopt;
  std::string Result;
  for (++Pos; Pos < Text.size(); ++Pos) {
    char C = Text[Pos];
    if (C == '"') {
      ++Pos;
      return Result;
    }
    if (C != '\\') {
      Result += C;
      continue;
    }
    if (++Pos >= Text.size()) return std::nullopt;
    switch (Text[Pos]) {
      case '"':
        Result += '"';
        break;
      case '\\':
        Result += '\\';
        break;
      case 'n':
        Result += '\n';
        break;
      case 'r':
        Result += '\r';
        break;
      case 't':
        Result += '\t';
        break;
      case 'x': {
        auto Byte = ParseHexByte(Text.substr(Pos + 1, 2));
        if (!Byte) return std::nullopt;
        Result += static_cast<char>(*Byte);
        Pos += 2;
        break;
      }
      default:
        return std::nullopt;
    }
  }
  return std::nullopt;
}

std::optional<uint32_t> ParseDword(std::string_view Text) {
  uint32_t Value = 0;
  if (Text.empty() || Text.size() > 8) return std::nullopt;
  auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Value, 16);
  if (Error != std::errc() || End != Text.data() + Text.size()) return std::nullopt;
  return Value;
}

std::optional<std::vector<uint8_t>> ParseBytes(std::string_view Text) {
  std::vector<uint8_t> Bytes;
  while (!Text.empty()) {
    auto Byte = ParseHexByte(Text.substr(0, 2));
    if (!Byte) return std::nullopt;
    Bytes.push_back(*Byte);
    Text.remove_prefix(2);
    if (Text.empty()) break;
    if (Text.front() != ',' || Text.size() == 1) return std::nullopt;
    Text.remove_prefix(1);
  }
  return Bytes;
}

std::optional<TRegistryData> ParseData(std::string_view Text) {
  if (Text.starts_with('"')) {
    size_t Pos = 0;
    auto String = Unquote(Text, Pos);
    if (!String || Pos != Text.size()) return std::nullopt;
    return *String;
  }
  if (Text.starts_with(DwordPrefix)) {
    if (auto Dword = ParseDword(Text.substr(DwordPrefix.size()))) return *Dword;
    return std::nullopt;
  }
  if (Text.starts_with(HexPrefix)) {
    if (auto Bytes = ParseBytes(Text.substr(HexPrefix.size()))) return *Bytes;
  }
  return std::nullopt;
}

struct TFormatData {
  std::string operator()(const std::string& Text) const { return Quote(Text); }
  std::string operator()(uint32_t Dword) const {
    char Buffer[9];
    std::snprintf(Buffer, sizeof Buffer, "%08x", static_cast<unsigned>(Dword));
    return std::string(DwordPrefix) + Buffer;
  }
  std::string operator()(const std::vector<uint8_t>& Bytes) const {
    std::string Result(HexPrefix);
    for (size_t I = 0; I < Bytes.size(); ++I) Result += (I ? "," : "") + HexByte(Bytes[I]);
    return Result;
  }
};

}  // namespace

std::string NormalizeKeyPath(std::string_view Path) {
  std::string Result;
  while (!Path.empty()) {
    size_t End = std::min(Path.find('\\'), Path.size());
    if (End > 0) {
      if (!Result.empty()) Result += '\\';
      Result.append(Path.substr(0, End));
    }
    Path.remove_prefix(std::min(End + 1, Path.size()));
  }
  return Result;
}

std::string FormatValueLine(const TRegistryValue& Value) {
  std::string Line = Value.Name.empty() ? "@" : Quote(Value.Name);
  Line += '=';
  Line += std::visit(TFormatData(), Value.Data);
  return Line;
}

std::optional<TRegistryValue> ParseValueLine(std::string_view Line) {
  TRegistryValue Value;
  size_t Pos = 0;
  if (Line.starts_with('@')) {
    Pos = 1;
  } else {
    auto Name = Unquote(Line, Pos);
    if (!Name || Name->empty()) return std::nullopt;
    Value.Name = std::move(*Name);
  }
  if (Pos >= Line.size() || Line[Pos] != '=') return std::nullopt;
  auto Data = ParseData(Line.substr(Pos + 1));
  if (!Data) return std::nullopt;
  Value.Data = std::move(*Data);
  return Value;
}
