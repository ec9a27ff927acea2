// The attachments of TNotesRichTextItem: file hotspots in the context, "$FILE" items in the note.
#include <algorithm>
#include <cstdio>

#include "ELotusNotes.h"
#include "FileIconBitmap.h"
#include "NotesCharset.h"
#include "NotesFileObject.h"
#include "NotesItemValues.h"
#include "NotesLock.h"
#include "SysUtils.h"
#include "TNotesDocument.h"
#include "TNotesRichTextItem.h"
#include "TempFiles.h"

namespace {

// Attachment links share an internal name "file" and four digits.
constexpr char InternalPrefix[] = "file";
// EFLAGS_INDOC, stored on this host, Huffman compression asked for.
constexpr WORD AttachEncoding = 0x1F01;
// The text shown when no icon is: monospace, underlined, colour 4, 10 points.
constexpr DWORD AttachTextFont = DWORD{FONT_FACE_TYPEWRITER} << FONT_FACE_SHIFT |
                                 DWORD{ISUNDERLINE} << FONT_STYLE_SHIFT |
                                 DWORD{4} << FONT_COLOR_SHIFT | DWORD{10} << FONT_SIZE_SHIFT;

// The number of an internal name "fileNNNN" (any case), or -1.
int InternalNumber(const std::string& Name) {
  const std::string prefix = InternalPrefix;
  if (Name.size() != prefix.size() + 4 || !SameText(Name.substr(0, prefix.size()), prefix))
    return -1;
  int number = 0;
  for (size_t at = prefix.size(); at < Name.size(); ++at) {
    if (Name[at] < '0' || Name[at] > '9') return -1;
    number = number * 10 + (Name[at] - '0');
  }
  return number;
}

// A pending entry: the path, "=", the internal name; the internal name holds no "=".
std::pair<std::string, std::string> SplitPending(const std::string& Entry) {
  const size_t equals = Entry.rfind('=');
  if (equals == std::string::npos) return {Entry, ""};
  return {Entry.substr(0, equals), Entry.substr(equals + 1)};
}

}  // namespace

// The next internal name: after the document's counter, after every "fileNNNN" already in the
// note and after those waiting to be attached, so that a reopened note never gets a second
// file0000.
std::string TNotesRichTextItem::NextInternalName() {
  int next = Document().AttachCounter();
  for (const TItemValue& file : ItemValuesAfter(NoteHandle(), ITEM_NAME_ATTACHMENT, BLOCKID{})) {
    TNotesLock lock(file.Value);
    TFileObjectInfo info;
    if (lock.Data() != nullptr && ReadFileObject(lock.Data(), file.Length, info))
      next = std::max(next, InternalNumber(info.FileName) + 1);
  }
  for (int index = 0; index < FPendingFiles.Count(); ++index)
    next = std::max(next, InternalNumber(SplitPending(FPendingFiles.Strings(index)).second) + 1);
  if (next > 9999) throw ELotusNotes(-1, "Too many attachments in the note");
  Document().SetAttachCounter(static_cast<WORD>(next + 1));
  char name[16];
  std::snprintf(name, sizeof name, "%s%.4d", InternalPrefix, next);
  return name;
}

void TNotesRichTextItem::Attach(const std::string& FileName, bool ShowIcon) {
  RaiseUnlessWritable();
  if (!FileExists(FileName)) throw ELotusNotes(0, "File " + FileName + " does not exist");
  const std::string shown = Native2Lmbcs(ExtractFileName(FileName));
  if (ODSLength(_CDHOTSPOTBEGIN) + shown.size() + 16 > MAXWORD)
    throw ELotusNotes(-1, "The file name is too long to attach: " + FileName);
  const std::string internal = NextInternalName();
  std::string data = internal;
  data += '\0';
  data += shown;
  data += '\0';
  const DWORD length = ODSLength(_CDHOTSPOTBEGIN) + static_cast<DWORD>(data.size());
  CheckContext();
  AddMem(CheckOdd(length));
  const CDHOTSPOTBEGIN hotspot{{SIG_CD_HOTSPOTBEGIN, static_cast<WORD>(length)},
                               HOTSPOTREC_TYPE_FILE,
                               HOTSPOTREC_RUNFLAG_BEGIN,
                               static_cast<WORD>(data.size())};
  PutStructure(_CDHOTSPOTBEGIN, &hotspot);
  PutData(data.data(), static_cast<DWORD>(data.size()));
  if (!ShowIcon || !AddIcon(FileName)) {
    const std::string text = "<" + shown + ">";
    AddRun(AttachTextFont, text.data(), static_cast<WORD>(text.size()));
  }
  AddMem(ODSLength(_CDHOTSPOTEND));
  const CDHOTSPOTEND end{{SIG_CD_HOTSPOTEND, static_cast<BYTE>(ODSLength(_CDHOTSPOTEND))}};
  PutStructure(_CDHOTSPOTEND, &end);
  FPendingFiles.Add(FileName + "=" + internal);
}

// An import that failed before it stored anything leaves the hotspot to show the name as text;
// one that failed later has stored the hotspot's start, so the failure goes on to the caller.
bool TNotesRichTextItem::AddIcon(const std::string& FileName) {
  TTempFile icon(MakeFileIconBitmap(FileName));
  if (icon.Path().empty()) return false;
  try {
    AddFile(icon.Path());
    return true;
  } catch (const ELotusNotes&) {
    if (!HasContext()) throw;
    return false;
  }
}

// Each file leaves the list as soon as it is in the note, so that a failure part-way never
// attaches the first files twice.
void TNotesRichTextItem::AttachFiles() {
  RaiseUnlessWritable();
  while (FPendingFiles.Count() > 0) {
    const auto [path, internal] = SplitPending(FPendingFiles.Strings(0));
    if (!FileExists(path)) throw ELotusNotes(0, "File " + path + " does not exist");
    std::string lmbcsPath = Native2Lmbcs(path);
    CheckNotesStatus(NSFNoteAttachFile(NoteHandle(), ITEM_NAME_ATTACHMENT,
                                       static_cast<WORD>(sizeof ITEM_NAME_ATTACHMENT - 1),
                                       lmbcsPath.c_str(), internal.c_str(), AttachEncoding));
    FPendingFiles.Delete(0);
    Document().ItemsChanged();
  }
}

void TNotesRichTextItem::Detach(int Index, const std::string& FileName) const {
  if (Index < 0 || Index >= FAttachments.Count())
    throw ELotusNotes(-1, "There is no attachment " + IntToStr(Index));
  const auto& attachment = *static_cast<const BLOCKIDcl*>(FAttachments.Objects(Index));
  std::string target = FileName;
  if (target.empty()) {
    // The name came with the mail: only its last part, in its own case, and never a name that
    // leaves the current directory.
    target = SafeAttachmentFileName(attachment.Name);
    if (target.empty())
      throw ELotusNotes(-1, "The attachment's name is no usable file name: " + attachment.Name);
  }
  const std::string path = Native2Lmbcs(target);
  CheckNotesStatus(NSFNoteExtractFile(NoteHandle(), attachment.Value, path.c_str(), nullptr));
}
