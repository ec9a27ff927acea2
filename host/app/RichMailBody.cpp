#include "RichMailBody.h"

#include <memory>
#include <vector>

#include "ELotusNotes.h"
#include "Exception.h"
#include "MailHostOptions.h"
#include "StringList.h"
#include "TNotesDatabase.h"
#include "TNotesDocument.h"
#include "TNotesRichTextItem.h"

namespace {

// The text with CR LF between its lines and none at the end: a line break of any kind ends a
// paragraph, and the last one needs no mark.
std::string ParagraphText(const std::string& Text) {
  TStringList lines;
  lines.SetText(Text);
  std::string joined;
  for (int index = 0; index < lines.Count(); ++index)
    joined += (index > 0 ? "\r\n" : "") + lines.Strings(index);
  return joined;
}

std::vector<std::unique_ptr<TNotesDocument>> LinkedMails(TNotesDatabase& MailFile,
                                                         const std::vector<uint32_t>& IDs) {
  std::vector<std::unique_ptr<TNotesDocument>> mails;
  for (uint32_t id : IDs) {
    try {
      mails.push_back(std::make_unique<TNotesDocument>(MailFile, id));
    } catch (const ELotusNotes& Error) {
      throw Exception("No mail " + std::to_string(id) + " to link to in " + MailFile.FileName() +
                      ": " + Error.what());
    }
  }
  return mails;
}

}  // namespace

void WriteRichMailBody(TNotesDocument& Memo, const TMailHostOptions& Options) {
  const auto linked = LinkedMails(Memo.Database(), Options.Links);
  const auto body = TNotesRichTextItem::CreateNew(Memo, "Body");
  body->AddTextPara(ParagraphText(Options.Text));
  // Each URL and link a paragraph of its own, after the text if there is any.
  auto newParagraph = [&body] {
    if (body->HasContext()) body->AddPara();
  };
  for (const std::string& url : Options.Urls) {
    newParagraph();
    body->AddUrl(url, "");
  }
  for (const auto& mail : linked) {
    newParagraph();
    body->AddDocLink(*mail, mail->GetItemByNum(MAIL_SUBJECT_ITEM_NUM));
  }
  body->SaveContext();
}
