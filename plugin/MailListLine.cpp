#include "MailListLine.h"

#include "DateUtils.h"
#include "TNotesDocument.h"

namespace {

std::string FieldText(const std::string& Value) {
  std::string text;
  text.reserve(Value.size());
  for (size_t index = 0; index < Value.size(); ++index) {
    const char c = Value[index];
    if (c == '|') {
      text += '/';
    } else if (c == '\r' || c == '\n') {
      // CR LF is one line break.
      if (c == '\r' && index + 1 < Value.size() && Value[index + 1] == '\n') ++index;
      text += ' ';
    } else {
      text += c;
    }
  }
  return text;
}

std::string FieldOrBlank(const std::string& Value) {
  return Value.empty() ? " " : FieldText(Value);
}

}  // namespace

std::string MailListLine(TNotesDocument& Document) {
  std::string line;
  line.reserve(160);  // most lines fit: one allocation per line
  line += std::to_string(Document.NoteID());
  line += '|';
  line += DateTimeToStr(Document.GetLastModified());
  line += '|';
  line += FieldText(Document.GetItemByNum(MAIL_FROM_ITEM_NUM));
  line += '|';
  line += FieldOrBlank(Document.GetItemByNum(MAIL_SENDTO_ITEM_NUM));
  line += '|';
  line += FieldOrBlank(Document.GetItemByNum(MAIL_SUBJECT_ITEM_NUM));
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
