#include "FreedesktopDrop.h"

#include <cctype>
#include <cstring>

#include "DnDFormats.h"
#include "Unicode.h"

namespace {

// The bytes GLib's file URIs leave unescaped in a path.
bool IsPathSafe(unsigned char C) {
  return std::isalnum(C) || (C != 0 && std::strchr("!$&'()*+,-./:=@_~", C) != nullptr);
}

int HexValue(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  return -1;
}

std::string CrLfLines(std::string_view Text) {
  std::string out;
  for (size_t at = 0; at < Text.size(); ++at) {
    if (Text[at] == '\n' && (at == 0 || Text[at - 1] != '\r')) out += '\r';
    out += Text[at];
  }
  return out;
}

// The URL of a text/x-moz-url (UTF-16LE) or _NETSCAPE_URL payload: its first line.
std::string FirstLine(const std::string& Text) {
  return Text.substr(0, Text.find_first_of("\r\n"));
}

std::string MozUrlText(const std::string& Bytes) {
  std::u16string text;
  for (size_t at = 0; at + 1 < Bytes.size(); at += 2)
    text += static_cast<char16_t>(static_cast<uint8_t>(Bytes[at]) |
                                  static_cast<uint8_t>(Bytes[at + 1]) << 8);
  return Utf16ToUtf8(text);
}

// Calls Take with each URI of a text/uri-list, without copying it.
template <class TTake>
void ForEachUri(std::string_view Text, TTake Take) {
  for (size_t at = 0; at < Text.size();) {
    size_t end = Text.find('\n', at);
    if (end == std::string_view::npos) end = Text.size();
    std::string_view line = Text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty() && line[0] != '#') Take(line);
    at = end + 1;
  }
}

}  // namespace

std::string FileNameToUri(const std::string& FileName) {
  static const char hex[] = "0123456789ABCDEF";
  std::string uri = "file://";
  for (const char c : FileName) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsPathSafe(byte)) {
      uri += c;
    } else {
      uri += '%';
      uri += hex[byte >> 4];
      uri += hex[byte & 15];
    }
  }
  return uri;
}

std::optional<std::string> FileNameFromUri(std::string_view Uri) {
  if (Uri.size() < 5 || (Uri.substr(0, 5) != "file:" && Uri.substr(0, 5) != "FILE:"))
    return std::nullopt;
  std::string_view rest = Uri.substr(5);
  if (rest.substr(0, 2) == "//") {
    rest.remove_prefix(2);
    const size_t slash = rest.find('/');
    if (slash == std::string_view::npos) return std::nullopt;
    const std::string_view host = rest.substr(0, slash);
    if (!host.empty() && host != "localhost") return std::nullopt;
    rest.remove_prefix(slash);
  }
  if (rest.empty() || rest[0] != '/') return std::nullopt;
  // Decoded in place into a buffer of the largest size: a drop of thousands of files takes
  // one allocation a name.
  std::string name(rest.size(), '\0');
  char* out = name.data();
  for (size_t at = 0; at < rest.size(); ++at) {
    const char c = rest[at];
    if (c == '#' || c == '?') return std::nullopt;  // no fragment or query
    if (c != '%') {
      *out++ = c;
      continue;
    }
    const int high = at + 2 < rest.size() ? HexValue(rest[at + 1]) : -1;
    const int low = high >= 0 ? HexValue(rest[at + 2]) : -1;
    if (low < 0) return std::nullopt;
    const char byte = static_cast<char>(high << 4 | low);
    if (byte == '\0') return std::nullopt;  // no file name holds a NUL
    *out++ = byte;
    at += 2;
  }
  name.resize(static_cast<size_t>(out - name.data()));
  return name;
}

std::vector<std::string> ParseUriList(std::string_view Text) {
  std::vector<std::string> uris;
  ForEachUri(Text, [&](std::string_view Uri) { uris.emplace_back(Uri); });
  return uris;
}

std::string BuildUriList(const std::vector<std::string>& Uris) {
  std::string text;
  for (const std::string& uri : Uris) text += uri + "\r\n";
  return text;
}

std::unique_ptr<TStaticDataObject> DataObjectFromMime(const TMimePayloads& Payloads) {
  auto object = std::make_unique<TStaticDataObject>();
  const TClipFormat url = RegisterClipboardFormat(CFSTR_SHELLURL);
  std::optional<std::string> link, text;
  for (const auto& [type, bytes] : Payloads) {
    if (type == "text/uri-list") {
      std::optional<std::string_view> first;
      std::vector<std::string> files;
      bool allFiles = true;
      ForEachUri(bytes, [&](std::string_view Uri) {
        if (!first) first = Uri;
        auto file = allFiles ? FileNameFromUri(Uri) : std::nullopt;
        allFiles = allFiles && file;
        if (file) files.push_back(std::move(*file));
      });
      if (first && allFiles)
        object->Put(CF_HDROP, BuildDropFiles(files));
      else if (first && !link)
        link = std::string(*first);
    } else if ((type == "text/x-moz-url" || type == "_NETSCAPE_URL") && !link) {
      link = FirstLine(type == "text/x-moz-url" ? MozUrlText(bytes) : bytes);
    } else if ((type == "text/plain;charset=utf-8" || type == "UTF8_STRING" ||
                type == "text/plain") &&
               !text) {
      text = CrLfLines(TextUpToNul(bytes));
    } else if (type == MimeObjectDescriptor) {
      object->Put(RegisterClipboardFormat(CFSTR_OBJECTDESCRIPTOR), bytes);
    }
  }
  if (link && !link->empty()) object->Put(url, *link + '\0');
  if (text || link) object->Put(CF_TEXT, (text ? *text : *link) + '\0');
  return object;
}

TMimePayloads MimeFromDataObject(IDataObject& Object) {
  TMimePayloads payloads;
  if (auto drop = GetGlobalData(Object, CF_HDROP)) {
    std::vector<std::string> uris;
    for (const std::string& file : ReadDropFiles(*drop)) uris.push_back(FileNameToUri(file));
    payloads.emplace_back("text/uri-list", BuildUriList(uris));
  }
  if (auto url = GetGlobalData(Object, RegisterClipboardFormat(CFSTR_SHELLURL))) {
    const std::string link = TextUpToNul(*url);
    std::string moz;
    for (char16_t c : Utf8ToUtf16(link + "\n" + link))
      moz += {static_cast<char>(c), static_cast<char>(c >> 8)};
    payloads.emplace_back("text/uri-list", BuildUriList({link}));
    payloads.emplace_back("text/x-moz-url", moz);
  }
  if (auto contents = GetGlobalData(Object, RegisterClipboardFormat(CFSTR_FILECONTENTS), 0))
    payloads.emplace_back("application/x-mswinurl", *contents);
  if (auto text = GetGlobalData(Object, CF_TEXT))
    payloads.emplace_back("text/plain;charset=utf-8", TextUpToNul(*text));
  if (auto descriptor = GetGlobalData(Object, RegisterClipboardFormat(CFSTR_OBJECTDESCRIPTOR)))
    payloads.emplace_back(MimeObjectDescriptor, *descriptor);
  return payloads;
}
