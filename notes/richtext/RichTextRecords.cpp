#include "RichTextRecords.h"

#include <algorithm>
#include <cstring>

#include "NotesCharset.h"

namespace {

bool IsZero(const UNIVERSALNOTEID& Unid) {
  static const UNIVERSALNOTEID zero{};
  return std::memcmp(&Unid, &zero, sizeof(zero)) == 0;
}

// The comment, the server hint and the anchor text. A server hint must be a canonical name
// ("CN=..."): any other one makes hint and anchor count as empty.
void SplitLinkStrings(const char* Data, size_t Length, LinkDef& Link) {
  std::vector<std::string> strings = CutStrings(Data, Length, 3);
  strings.resize(3);
  if (!strings[1].empty() && strings[1][0] != 'C') strings[1].clear(), strings[2].clear();
  Link.Comment = Lmbcs2Native(strings[0]);
  Link.ServerHint = Lmbcs2Native(strings[1]);
  Link.Anchor = Lmbcs2Native(strings[2]);
  Link.Kind = Link.Anchor.empty() ? LinkKindUnknown : LinkKindAnchor;
}

}  // namespace

std::vector<std::string> CutStrings(const char* Data, size_t Length, size_t Count) {
  std::vector<std::string> strings;
  size_t at = 0;
  while (strings.size() < Count && at < Length) {
    const size_t end = strnlen(Data + at, Length - at);
    strings.emplace_back(Data + at, end);
    at += end + 1;
  }
  return strings;
}

bool ReadStructure(const char* Record, DWORD Length, WORD OdsType, void* Structure) {
  if (Length < ODSLength(OdsType)) return false;
  const char* at = Record;
  ODSReadMemory(&at, OdsType, Structure, 1);
  return true;
}

bool ReadFileHotspot(const char* Record, DWORD Length, std::string& Internal, std::string& Shown) {
  CDHOTSPOTBEGIN hotspot;
  if (!ReadStructure(Record, Length, _CDHOTSPOTBEGIN, &hotspot) ||
      hotspot.Type != HOTSPOTREC_TYPE_FILE)
    return false;
  const size_t fixed = ODSLength(_CDHOTSPOTBEGIN);
  const size_t end = std::min<size_t>(fixed + hotspot.DataLength, Length);
  std::vector<std::string> names = CutStrings(Record + fixed, end - fixed, 2);
  names.resize(2);
  Internal = std::move(names[0]);
  Shown = std::move(names[1]);
  return true;
}

bool ReadLinkRecord(const char* Record, WORD Signature, DWORD Length, LinkDefI& Link) {
  size_t fixed = 0;
  if (Signature == SIG_CD_LINK2) {
    CDLINK2 link;
    if (!ReadStructure(Record, Length, _CDLINK2, &link)) return false;
    Link = LinkDefI{};
    Link.LinkIndex = link.LinkID;
    fixed = ODSLength(_CDLINK2);
  } else if (Signature == SIG_CD_LINKEXPORT2) {
    CDLINKEXPORT2 link;
    if (!ReadStructure(Record, Length, _CDLINKEXPORT2, &link)) return false;
    Link = LinkDefI{};
    Link.ReplicaID = link.NoteLink.File;
    Link.ViewUNID = link.NoteLink.View;
    Link.NoteUNID = link.NoteLink.Note;
    fixed = ODSLength(_CDLINKEXPORT2);
  } else {
    return false;
  }
  SplitLinkStrings(Record + fixed, Length - fixed, Link);
  return true;
}

BYTE LinkKindOf(const NOTELINK& Target) {
  if (!IsZero(Target.Note)) return LinkKindDocument;
  return IsZero(Target.View) ? LinkKindDatabase : LinkKindView;
}

std::vector<NOTELINK> ReadLinkTable(const char* Value, size_t Length) {
  WORD header[2];  // the type word, then the LIST's entry count
  if (Value == nullptr || Length < sizeof(header)) return {};
  std::memcpy(header, Value, sizeof(header));
  if (header[0] != TYPE_NOTELINK_LIST) return {};
  const size_t entry = ODSLength(_NOTELINK);
  std::vector<NOTELINK> links(std::min<size_t>(header[1], (Length - sizeof(header)) / entry));
  const char* at = Value + sizeof(header);
  if (!links.empty()) ODSReadMemory(&at, _NOTELINK, links.data(), static_cast<WORD>(links.size()));
  return links;
}
