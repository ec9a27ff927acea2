#pragma once

#include <string>
#include <vector>

#include "TAddressBookAdmin.h"

class TNotesDatabase;
class TNotesRichTextItem;

// What the demo Notes world holds: its server, people, group and sample mails.
namespace DemoContent {

extern const char* const Server;
extern const char* const Organization;

// The people of the server's directory; the first one is the demo user.
const std::vector<TPersonFields>& People();
extern const char* const GroupName;
const std::vector<std::string>& GroupMembers();

// A file a demo mail carries: its name, its bytes and whether the body shows it by a hotspot.
struct TDemoFile {
  std::string Name;
  std::string Bytes;
  bool InBody = false;
};

struct TSampleMail {
  int Sender;          // index into People()
  std::string SendTo;  // names as a user types them
  std::string CopyTo;
  std::string Subject;
  std::string Body;
  int Attachments = 0;  // small text files attached
  // Writes a rich-text body in place of Body; the mail file is the one the mail is written in.
  void (*Compose)(TNotesRichTextItem& Body, TNotesDatabase& MailFile) = nullptr;
  // An RTF body in place of Body, imported as a host's RTF body is, and the files it carries.
  const char* Rtf = nullptr;
  std::vector<TDemoFile> Files;
};

// Mails others send to the demo user (some to the group), the demo user's sent mails and drafts.
const std::vector<TSampleMail>& ReceivedMails();
const std::vector<TSampleMail>& SentMails();
const std::vector<TSampleMail>& Drafts();

}  // namespace DemoContent
