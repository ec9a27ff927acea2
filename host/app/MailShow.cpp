#include "MailShow.h"

#include <cstdio>
#include <map>
#include <memory>

#include "DateUtils.h"
#include "ELotusNotes.h"
#include "Exception.h"
#include "MailHostOptions.h"
#include "NotesText.h"
#include "TNotesDatabase.h"
#include "TNotesDocument.h"
#include "TNotesRichTextItem.h"

namespace {

const char* const BodyItem = "Body";

std::string RecordName(WORD Signature) {
  static const std::map<WORD, const char*> names = {{SIG_CD_PARAGRAPH, "CDPARAGRAPH"},
                                                    {SIG_CD_PABDEFINITION, "CDPABDEFINITION"},
                                                    {SIG_CD_PABREFERENCE, "CDPABREFERENCE"},
                                                    {SIG_CD_TEXT, "CDTEXT"},
                                                    {SIG_CD_LINK2, "CDLINK2"},
                                                    {SIG_CD_LINKEXPORT2, "CDLINKEXPORT2"},
                                                    {SIG_CD_HOTSPOTBEGIN, "CDHOTSPOTBEGIN"},
                                                    {SIG_CD_HOTSPOTEND, "CDHOTSPOTEND"},
                                                    {SIG_CD_V4HOTSPOTBEGIN, "CDV4HOTSPOTBEGIN"},
                                                    {SIG_CD_V4HOTSPOTEND, "CDV4HOTSPOTEND"},
                                                    {SIG_CD_BAR, "CDBAR"},
                                                    {SIG_CD_TABLEBEGIN, "CDTABLEBEGIN"},
                                                    {SIG_CD_TABLECELL, "CDTABLECELL"},
                                                    {SIG_CD_TABLEEND, "CDTABLEEND"},
                                                    {SIG_CD_FONTTABLE, "CDFONTTABLE"}};
  const auto found = names.find(Signature);
  if (found != names.end()) return found->second;
  char name[16];
  std::snprintf(name, sizeof name, "0x%04X", unsigned{Signature});
  return name;
}

const char* LinkKindName(BYTE Kind) {
  static const char* const names[] = {"link", "anchor link", "document link", "database link",
                                      "view link"};
  return Kind < std::size(names) ? names[Kind] : names[0];
}

std::string ReplicaText(const TIMEDATE& ReplicaID) {
  char text[20];
  std::snprintf(text, sizeof text, "%08X:%08X", ReplicaID.Innards[1], ReplicaID.Innards[0]);
  return text;
}

// When the mail was sent, else when it was written.
std::string MailDate(TNotesDocument& Mail) {
  for (const char* item : {MAIL_POSTEDDATE_ITEM, MAIL_COMPOSEDDATE_ITEM})
    if (Mail.IsItemExists(item)) return DateTimeToStr(Mail.GetItemByName(item)->GetAsDateTime());
  return "";
}

void WriteHeaders(TNotesDocument& Mail, std::ostream& Out) {
  Out << "From: " << Mail.GetItemByNum(MAIL_FROM_ITEM_NUM) << "\n"
      << "To: " << Mail.GetItemByNum(MAIL_SENDTO_ITEM_NUM) << "\n"
      << "Cc: " << Mail.GetItemByNum(MAIL_COPYTO_ITEM_NUM) << "\n"
      << "Subject: " << Mail.GetItemByNum(MAIL_SUBJECT_ITEM_NUM) << "\n"
      << "Date: " << MailDate(Mail) << "\n\n";
}

// The body as rich text, or none when the mail has no rich-text body.
std::unique_ptr<TNotesRichTextItem> RichBody(TNotesDocument& Mail) {
  if (!Mail.IsItemExists(BodyItem) || Mail.GetItemByName(BodyItem)->DataType() != TYPE_COMPOSITE)
    return nullptr;
  return TNotesRichTextItem::Create(Mail, BodyItem);
}

void WriteBody(TNotesDocument& Mail, TNotesRichTextItem* Body, std::ostream& Out) {
  if (Body == nullptr) {
    const std::string text = Mail.GetBodyAsString();
    Out << text << (text.empty() || text.back() == '\n' ? "" : "\n");
    return;
  }
  const TStringList& lines = Body->GetRichText();
  for (int index = 0; index < lines.Count(); ++index) Out << lines.Strings(index) << "\n";
}

// The document's attachments; those a file hotspot of the body shows are marked.
void WriteAttachments(const TNotesDocument& Mail, const TNotesRichTextItem* Body,
                      std::ostream& Out) {
  Out << "\nAttachments:\n";
  for (int index = 0; index < Mail.GetAttachmentCount(); ++index) {
    const std::string& name = Mail.GetAttachment(index);
    const bool shown = Body != nullptr && Body->FindAttachment(name) >= 0;
    Out << "  " << name << (shown ? " (shown in the body)" : "") << "\n";
  }
  if (Body == nullptr) return;
  for (int index = 0; index < Body->GetAttachmentCount(); ++index)
    if (Mail.FindAttachment(Body->GetAttachment(index)) < 0)
      Out << "  " << Body->GetAttachment(index) << " (shown in the body)\n";
}

void WriteLinks(const TNotesRichTextItem* Body, std::ostream& Out) {
  Out << "Links:\n";
  for (int index = 0; Body != nullptr && index < Body->GetLinkCount(); ++index) {
    const LinkDef link = Body->GetLink(index);
    Out << "  " << LinkKindName(link.Kind) << " \"" << link.Comment << "\": replica "
        << ReplicaText(link.ReplicaID) << ", view " << UNIDtoStr(link.ViewUNID, true) << ", note "
        << UNIDtoStr(link.NoteUNID, true);
    if (!link.Anchor.empty()) Out << ", anchor \"" << link.Anchor << "\"";
    Out << "\n";
  }
}

// Item number, offset in the item's value (its type word first), record and length.
void WriteRecords(TNotesRichTextItem& Body, std::ostream& Out) {
  const char* const format = "  %4s %7s  %-18s %6s\n";
  char line[96];
  std::snprintf(line, sizeof line, format, "item", "offset", "record", "length");
  Out << "Records:\n" << line;
  int number = 1;
  std::unique_ptr<TNotesItem> next;
  for (TNotesItem* item = &Body; item != nullptr; item = next.get(), ++number) {
    DWORD offset = sizeof(WORD);
    // The objects for following items are rich-text items too.
    CheckNotesStatus(static_cast<TNotesRichTextItem*>(item)->ReadItem(
        [&](TNotesRichTextItem&, const char*, WORD Signature, DWORD Length) -> WORD {
          std::snprintf(line, sizeof line, format, std::to_string(number).c_str(),
                        std::to_string(offset).c_str(), RecordName(Signature).c_str(),
                        std::to_string(Length).c_str());
          Out << line;
          offset += Length + Length % 2;
          return NOERROR;
        }));
    next = item->CreateNextItem();
  }
}

}  // namespace

void ShowMail(const TMailHostOptions& Options, std::ostream& Out) {
  TNotesDatabase Database;
  Database.OpenMail();
  std::unique_ptr<TNotesDocument> Mail;
  try {
    Mail = std::make_unique<TNotesDocument>(Database, Options.NoteID);
  } catch (const ELotusNotes& Error) {
    throw Exception("No mail " + std::to_string(Options.NoteID) + " in " + Database.FileName() +
                    ": " + Error.what());
  }
  WriteHeaders(*Mail, Out);
  const std::unique_ptr<TNotesRichTextItem> Body = RichBody(*Mail);
  WriteBody(*Mail, Body.get(), Out);
  WriteAttachments(*Mail, Body.get(), Out);
  WriteLinks(Body.get(), Out);
  if (Options.Records && Body) WriteRecords(*Body, Out);
}
