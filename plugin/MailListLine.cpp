#include "MailListLine.h"

#include <cstring>

#include "DateTimeFormat.h"
#include "TNotesDocument.h"

namespace {

// Appends Value to Line as a field.
void AppendField(std::string& Line, const std::string& Value) {
  // Most fields hold nothing to replace: what comes before the first such character is copied
  // whole. strcspn searches many bytes at a time; a NUL in the value only ends the fast part.
  size_t index = strcspn(Value.c_str(), "|\r\n");
  Line.append(Value, 0, index);
  for (; index < Value.size(); ++index) {
    const char c = Value[index];
    if (c == '|') {
      Line += '/';
    } else if (c == '\r' || c == '\n') {
      // CR LF is one line break.
      if (c == '\r' && index + 1 < Value.size() && Value[index + 1] == '\n') ++index;
      Line += ' ';
    } else {
      Line += c;
    }
  }
}

void AppendFieldOrBlank(std::string& Line, const std::string& Value) {
  if (Value.empty())
    Line += ' ';
  else
    AppendField(Line, Value);
}

}  // namespace

std::string MailListLine(TNotesDocument& Document, const TDateTimeFormat& Date) {
  std::string line;
  line.reserve(160);  // most lines fit: one allocation per line
  line += std::to_string(Document.NoteID());
  line += '|';
  Date.AppendTo(line, Document.GetLastModified());
  line += '|';
  AppendField(line, Document.GetItemByNum(MAIL_FROM_ITEM_NUM));
  line += '|';
  AppendFieldOrBlank(line, Document.GetItemByNum(MAIL_SENDTO_ITEM_NUM));
  line += '|';
  AppendFieldOrBlank(line, Document.GetItemByNum(MAIL_SUBJECT_ITEM_NUM));
  line += '|';
  line += std::to_string(Document.GetAttachmentCount());
  return line;
}

std::string MailFolderAlias(mfType Folder) {
  switch (Folder) {
    case mfInbox:
      return "($Inbox)";
    case mfOutbox:
    case mfSent:
      return "($Sent)";
    case mfDrafts:
      return "($Drafts)";
  }
  return "";
}
