#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "DataTransfer.h"

// What a Linux desktop delivers in a drag and drop (MIME payloads, as Qt and GTK hand them over)
// as a data object of the Windows formats, and back.

// RFC 8089 file URIs, percent-encoded byte by byte so that names that are not UTF-8 survive;
// the characters GLib leaves as they are stay unescaped, so both write the same URIs.
std::string FileNameToUri(const std::string& FileName);
// The file name of a "file:" URI whose host is empty or "localhost"; nothing for any other URI.
std::optional<std::string> FileNameFromUri(std::string_view Uri);
// RFC 2483 text/uri-list: lines ending in CR LF or LF, comment lines ("#") and blank ones skipped.
std::vector<std::string> ParseUriList(std::string_view Text);
std::string BuildUriList(const std::vector<std::string>& Uris);

// The private type our own drags carry the object descriptor under.
inline constexpr const char* MimeObjectDescriptor = "application/x-vesk-object-descriptor";

using TMimePayloads = std::vector<std::pair<std::string, std::string>>;  // type, bytes

// text/uri-list of local files becomes CF_HDROP, of anything else "UniformResourceLocator" and
// CF_TEXT (the first URI); text/x-moz-url and _NETSCAPE_URL a URL; text/plain, its UTF-8 form
// and UTF8_STRING CF_TEXT with CR LF line ends.
std::unique_ptr<TStaticDataObject> DataObjectFromMime(const TMimePayloads& Payloads);
// CF_HDROP as text/uri-list; a URL as text/uri-list, text/x-moz-url and text/plain; FileContents
// as application/x-mswinurl; CF_TEXT as text/plain;charset=utf-8 without its NUL.
TMimePayloads MimeFromDataObject(IDataObject& Object);
