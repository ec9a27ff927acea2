#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "DemoContent.h"

class TNotesDatabase;
class TNotesDocument;

// The steps that fill the demo world, each through the object library: the server with its
// directory, the mail files, mails sent and routed, drafts and the user's local replicas.
// Needs the Notes runtime started with the demo's settings.
class TDemoMail {
 public:
  // Attachment files are written to AttachmentDir while the samples are sent.
  TDemoMail(std::filesystem::path AttachmentDir, std::ostream& Progress);

  void CreateServer();
  void CreateMailFiles();
  // Every received and sent sample, deposited in the server's MAIL.BOX by its sender.
  void SendSamples();
  // One router pass on the server; raises unless every mail was delivered.
  void Route();
  void WriteDrafts();
  // The user's mail file and the directory, as replicas in the local data directory.
  void MakeLocalReplicas();

 private:
  void Send(const DemoContent::TSampleMail& Mail);
  std::string AttachmentFile(int Index);
  void AttachFiles(TNotesDocument& Memo, const std::vector<DemoContent::TDemoFile>& Files);
  std::string WriteFile(const DemoContent::TDemoFile& File);

  std::filesystem::path FAttachmentDir;
  std::ostream& FProgress;
  int FFilesWritten = 0;
};
