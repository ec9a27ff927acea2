#include "MailMessageCommands.h"

#include <filesystem>
#include <memory>

#include "DateUtils.h"
#include "ELotusNotes.h"
#include "Exception.h"
#include "MailAttachments.h"
#include "MailBodyText.h"
#include "MailCommands.h"
#include "MailHostOptions.h"
#include "NotesCharset.h"
#include "NotesUpperCase.h"
#include "StringList.h"
#include "TNotesDatabase.h"
#include "TempFiles.h"
#include "TerminalText.h"

namespace fs = std::filesystem;

namespace {

// A mail as GetMail hands it over; the record's lists are the caller's, so they go with it.
struct TReadMail {
  TMailItemData Data;
  std::unique_ptr<TStringList> Body;
  std::unique_ptr<TStringList> Attachments;
};

std::unique_ptr<TReadMail> ReadMail(IMailInterface& Mail, uint32_t NoteID) {
  ConnectOrRaise(Mail);
  auto read = std::make_unique<TReadMail>();
  try {
    Mail.GetMail(static_cast<int32_t>(NoteID), "", read->Data);
  } catch (const std::exception& Error) {
    read->Body.reset(read->Data.Body);
    read->Attachments.reset(read->Data.Attachments);
    throw Exception("No mail " + std::to_string(NoteID) + " in " +
                    Lmbcs2Native(TNotesDatabase::MailFileName()) + ": " + Error.what());
  }
  read->Body.reset(read->Data.Body);
  read->Attachments.reset(read->Data.Attachments);
  return read;
}

std::vector<std::string> Names(const TStringList& List) {
  std::vector<std::string> names;
  for (int index = 0; index < List.Count(); ++index) names.push_back(List.Strings(index));
  return names;
}

// The listed name NAME stands for: itself, else the one equal without regard to case.
std::string ListedName(const std::vector<std::string>& Listed, const std::string& Name,
                       uint32_t NoteID) {
  for (const std::string& listed : Listed)
    if (listed == Name) return listed;
  for (const std::string& listed : Listed)
    if (NotesUpperCase(listed) == NotesUpperCase(Name)) return listed;
  std::string known;
  for (const std::string& listed : Listed) known += "\n  " + TerminalText(listed);
  throw Exception("Mail " + std::to_string(NoteID) + " has no attachment \"" + TerminalText(Name) +
                  "\"" + (known.empty() ? " (it has none)" : "; it has:" + known));
}

// Only a listed name, checked again, is joined to the folder: no name leaves it.
fs::path TargetIn(const fs::path& Dir, const std::string& Name) {
  if (SafeAttachmentName(Name) != Name)
    throw Exception("The attachment name \"" + TerminalText(Name) + "\" is no safe file name");
  return (Dir.empty() ? fs::current_path() : Dir) / Name;
}

void Detach(IMailInterface& Mail, uint32_t NoteID, const std::string& Name, const fs::path& Path) {
  if (!Mail.Detach(static_cast<int32_t>(NoteID), "", Name, Path.string()))
    throw Exception("Mail " + std::to_string(NoteID) + " has no attachment \"" +
                    TerminalText(Name) + "\"");
}

void WriteBodyText(const TStringList& Body, std::ostream& Out) {
  std::string text = MailBodyText(Body.Text());
  // The body's text is a mail's: it may not drive the terminal either, but keeps its lines.
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find('\n', start);
    const std::string line = text.substr(start, end == std::string::npos ? end : end - start);
    std::string printable;
    size_t cell = 0;
    for (size_t tab; (tab = line.find('\t', cell)) != std::string::npos; cell = tab + 1)
      printable += TerminalText(line.substr(cell, tab - cell)) + "\t";
    Out << printable << TerminalText(line.substr(cell)) << "\n";
    if (end == std::string::npos) break;
    start = end + 1;
  }
}

}  // namespace

void ShowMailThroughPlugin(IMailInterface& Mail, const TMailHostOptions& Options,
                           std::ostream& Out) {
  const std::unique_ptr<TReadMail> read = ReadMail(Mail, Options.NoteID);
  if (Options.Rtf) {
    for (int index = 0; index < read->Body->Count(); ++index)
      Out << read->Body->Strings(index) << "\n";
    return;
  }
  Out << "From: " << TerminalText(read->Data.From) << "\n"
      << "To: " << TerminalText(read->Data.SendTo) << "\n"
      << "Subject: " << TerminalText(read->Data.Subject) << "\n"
      << "Date: " << DateTimeToStr(read->Data.Date) << "\n";
  for (const std::string& name : Names(*read->Attachments))
    Out << "Attachment: " << TerminalText(name) << "\n";
  Out << "\n";
  WriteBodyText(*read->Body, Out);
}

void SaveAttachments(IMailInterface& Mail, const TMailHostOptions& Options, std::ostream& Out) {
  const std::unique_ptr<TReadMail> read = ReadMail(Mail, Options.NoteID);
  const std::vector<std::string> listed = Names(*read->Attachments);
  const std::vector<std::string> names =
      Options.AllAttachments
          ? listed
          : std::vector<std::string>{ListedName(listed, Options.AttachmentName, Options.NoteID)};
  std::vector<fs::path> targets;
  for (const std::string& name : names) {
    targets.push_back(TargetIn(Options.SaveDir, name));
    if (!Options.Force && fs::symlink_status(targets.back()).type() != fs::file_type::not_found)
      throw Exception(TerminalText(targets.back().string()) +
                      " exists; --force overwrites it (nothing was saved)");
  }
  for (size_t index = 0; index < names.size(); ++index) {
    Detach(Mail, Options.NoteID, names[index], targets[index]);
    Out << TerminalText(targets[index].string()) << "\n";
  }
}

void SendThroughPlugin(IMailInterface& Mail, const TMailHostOptions& Options, std::ostream& Out) {
  ConnectOrRaise(Mail);
  TStringList body, attachments;
  if (!Options.RtfFile.empty()) {
    if (!fs::is_regular_file(Options.RtfFile))
      throw Exception("The RTF file " + Options.RtfFile + " does not exist");
    body.LoadFromFile(Options.RtfFile);
  } else {
    body.SetText(Options.Text);
  }
  for (const std::string& file : Options.AttachFiles) attachments.Add(file);
  TMailItemData data;
  data.SendTo = Options.SendTo;
  data.CopyTo = Options.CopyTo;
  data.Subject = Options.Subject;
  data.KeepSentCopy = !Options.NoCopy;
  data.Body = &body;
  data.Attachments = &attachments;
  if (Options.Draft) {
    Mail.MailToFolder(data, mfDrafts);
    Out << "saved among the drafts\n";
    return;
  }
  Mail.SendMail(data);
  Out << "sent to " << TerminalText(Options.SendTo)
      << (Options.CopyTo.empty() ? "" : ", " + TerminalText(Options.CopyTo))
      << " through MAIL.BOX; \"vesk-mail route\" delivers it\n";
}

void FileMail(IMailInterface& Mail, const TMailHostOptions& Options, std::ostream& Out) {
  const std::unique_ptr<TReadMail> read = ReadMail(Mail, Options.NoteID);
  // The files hold the mail's attachments: they live in a private folder, gone afterwards.
  TPrivateTempDir files;
  TStringList paths;
  for (const std::string& name : Names(*read->Attachments)) {
    const fs::path target = TargetIn(files.Path(), name);
    Detach(Mail, Options.NoteID, name, target);
    paths.Add(target.string());
  }
  TMailItemData data = read->Data;
  data.Body = read->Body.get();
  data.Attachments = &paths;
  const mfType folder = Options.Folder == "inbox"  ? mfInbox
                        : Options.Folder == "sent" ? mfSent
                                                   : mfDrafts;
  Mail.MailToFolder(data, folder);
  Out << "filed a copy of mail " << Options.NoteID << " into " << Options.Folder << "\n";
}
