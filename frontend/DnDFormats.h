#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Types.h"

// The byte formats of files, URLs, text and object descriptors in OLE drag and drop, kept
// byte-exact because other programs and stored references read them. Readers take blocks from
// other programs: every read is bounded by the block.

// The readable form of an OLE object descriptor.
struct TObjectDescriptor {
  TGUID Clsid{};
  uint32_t DrawAspect = 0;
  int32_t SizeX = 0, SizeY = 0;
  int32_t PointX = 0, PointY = 0;
  uint32_t Status = 0;
  std::string FullUserTypeName = "unkown";
  std::string SrcOfCopy;
};

// An OBJECTDESCRIPTOR block: a 52-byte header, then the two names in UTF-16 at the offsets it
// gives. An offset of 0 gives "" for the type name and "<Unknown Source>" for the source; an
// offset outside the block or the descriptor's size gives "", and a name without its NUL ends
// at the end of the block.
TObjectDescriptor XlatObjectDescriptor(std::string_view Block);
std::string BuildObjectDescriptor(const TObjectDescriptor& Descriptor);

// A DROPFILES block of 8-bit names: the 20-byte header, each name and its NUL, one more NUL.
std::string BuildDropFiles(const std::vector<std::string>& Files);
// The names of a DROPFILES block, 8-bit or UTF-16 (as UTF-8). A name-list offset past the end
// gives none; a missing terminator ends the list at the end of the block; an odd byte count of a
// wide list drops the half character.
std::vector<std::string> ReadDropFiles(std::string_view Block);

// CF_TEXT: the lines joined by CR LF, the last followed by one NUL; nothing for no lines.
std::string BuildDroppedText(const std::vector<std::string>& Lines);
// The lines of a CF_TEXT block up to its first NUL: CR LF ends a line (empty lines kept), a lone
// CR or LF stays in its line, and a trailing CR LF adds no line.
std::vector<std::string> SplitDroppedText(std::string_view Block);
// The text of a block up to its first NUL within the block.
std::string TextUpToNul(std::string_view Block);

// "[InternetShortcut]\r\nURL=" (24 bytes), the URL and its NUL: the .url file's content.
std::string UrlStream(const std::string& Url);
inline constexpr size_t UrlStreamHeaderSize = 24;
// The shortcut's file name: URLName with ".url" appended unless it already ends so (in any case),
// "URL Link.url" for no name; \ / : * ? " < > | and control characters become "_", and the stem is
// cut, never inside a UTF-8 sequence, so that name and NUL fit 260 bytes.
std::string ShortcutFileName(const std::string& URLName);
// A FILEGROUPDESCRIPTOR of one FILEDESCRIPTOR (336 bytes): flags FD_LINKUI, the file name.
std::string BuildFileGroupDescriptor(const std::string& FileName);
// The first file name of a FILEGROUPDESCRIPTOR; "" when the block holds none.
std::string ReadFileGroupDescriptor(std::string_view Block);
