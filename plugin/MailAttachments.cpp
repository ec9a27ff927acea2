#include "MailAttachments.h"

#include <map>
#include <set>

#include "NotesCharset.h"
#include "NotesFileObject.h"
#include "NotesItemValues.h"
#include "NotesLock.h"
#include "NotesUpperCase.h"
#include "RichTextRecords.h"
#include "RichTextWalk.h"
#include "Unicode.h"

namespace {

constexpr size_t MaxNameBytes = 255;
constexpr char BodyItem[] = "Body";
constexpr char NoName[] = "attachment";
// An extension longer than this is part of the name, not kept when cutting.
constexpr size_t MaxKeptExtension = 32;

// The shown names of the file hotspots of every "Body" item by their internal names, folded;
// the first hotspot of a name counts.
std::map<std::string, std::string> ShownNames(NOTEHANDLE Note) {
  std::map<std::string, std::string> shown;
  const TRecordVisitor visit = [&shown](const char* Record, WORD Signature, DWORD Length) {
    std::string internal, name;
    if (Signature == SIG_CD_HOTSPOTBEGIN && ReadFileHotspot(Record, Length, internal, name))
      shown.emplace(NotesUpperCase(Lmbcs2Native(internal)), Lmbcs2Native(name));
    return STATUS{NOERROR};
  };
  for (const TItemValue& body : ItemValuesAfter(Note, BodyItem, BLOCKID{}))
    if (body.DataType == TYPE_COMPOSITE) WalkRecords(body.Value, body.Length, visit);
  return shown;
}

std::string StoredName(const TItemValue& File) {
  TNotesLock lock(File.Value);
  TFileObjectInfo info;
  if (lock.Data() == nullptr || !ReadFileObject(lock.Data(), File.Length, info)) return "";
  return Lmbcs2Native(info.FileName.substr(0, info.FileName.find('\0')));
}

// Where the extension starts ("." and what follows), or the end when there is none to keep.
size_t ExtensionStart(const std::string& Name) {
  const size_t dot = Name.rfind('.');
  if (dot == std::string::npos || dot == 0 || Name.size() - dot > MaxKeptExtension)
    return Name.size();
  return dot;
}

// The longest prefix of Text of at most Bytes bytes that ends at a character boundary.
std::string CutAtCharacter(const std::string& Text, size_t Bytes) {
  size_t end = 0;
  for (size_t at = 0; at < Text.size();) {
    NextUtf8CodePoint(Text, at);
    if (at > Bytes) break;
    end = at;
  }
  return Text.substr(0, end);
}

// Stem and extension together within the limit; the stem gives way.
std::string FitName(const std::string& Stem, const std::string& Extension) {
  if (Stem.size() + Extension.size() <= MaxNameBytes) return Stem + Extension;
  return CutAtCharacter(Stem, MaxNameBytes - Extension.size()) + Extension;
}

}  // namespace

std::string SafeAttachmentName(const std::string& Name) {
  const size_t separator = Name.find_last_of("/\\");
  const std::string last = separator == std::string::npos ? Name : Name.substr(separator + 1);
  std::string safe;
  for (size_t at = 0; at < last.size();) {
    const char32_t character = NextUtf8CodePoint(last, at);
    if (character < 0x20 || (character >= 0x7F && character < 0xA0))
      safe += '_';
    else
      AppendUtf8(safe, character);
  }
  if (safe.empty() || safe == "." || safe == "..") return NoName;
  const size_t extension = ExtensionStart(safe);
  return FitName(safe.substr(0, extension), safe.substr(extension));
}

void MakeNamesDistinct(std::vector<TMailAttachment>& Attachments) {
  std::set<std::string> taken;
  for (TMailAttachment& attachment : Attachments) {
    const size_t extension = ExtensionStart(attachment.Name);
    const std::string stem = attachment.Name.substr(0, extension);
    const std::string suffix = attachment.Name.substr(extension);
    std::string name = attachment.Name;
    for (int number = 2; taken.count(NotesUpperCase(name)) != 0; ++number)
      name = FitName(stem, " (" + std::to_string(number) + ")" + suffix);
    taken.insert(NotesUpperCase(name));
    attachment.Name = name;
  }
}

std::vector<TMailAttachment> ListMailAttachments(NOTEHANDLE Note) {
  const std::map<std::string, std::string> shown = ShownNames(Note);
  std::vector<TMailAttachment> attachments;
  for (const TItemValue& file : ItemValuesAfter(Note, ITEM_NAME_ATTACHMENT, BLOCKID{})) {
    TMailAttachment attachment;
    attachment.Item = file.Item;
    attachment.Stored = StoredName(file);
    const auto found = shown.find(NotesUpperCase(attachment.Stored));
    attachment.Name = SafeAttachmentName(found != shown.end() ? found->second : attachment.Stored);
    attachments.push_back(std::move(attachment));
  }
  MakeNamesDistinct(attachments);
  return attachments;
}

const TMailAttachment* FindMailAttachment(const std::vector<TMailAttachment>& Attachments,
                                          const std::string& Name) {
  const std::string folded = NotesUpperCase(Name);
  for (const TMailAttachment& attachment : Attachments)
    if (NotesUpperCase(attachment.Name) == folded) return &attachment;
  for (const TMailAttachment& attachment : Attachments)
    if (!attachment.Stored.empty() && NotesUpperCase(attachment.Stored) == folded)
      return &attachment;
  return nullptr;
}
