// The process the send kill test runs and kills: sends mails from the user's mail file, keeping
// sent copies, one after another, writing each mail's number to stdout before sending it.
//   send_child <subject prefix>
#include <cstdio>
#include <string>

#include "NotesSession.h"
#include "TNotesDatabase.h"
#include "TNotesDocument.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  NotesObjectsInitialize();
  {
    TNotesDatabase mailFile;
    mailFile.OpenMail();
    mailFile.KeepSentCopy = true;
    for (int index = 0; index < 100000; ++index) {
      std::printf("%d\n", index);
      std::fflush(stdout);
      std::unique_ptr<TNotesDocument> memo = mailFile.CreateDocument();
      memo->SetItemByNum(MAIL_SENDTO_ITEM_NUM, "John Smith");
      memo->SetItemByNum(MAIL_SUBJECT_ITEM_NUM, argv[1] + std::to_string(index));
      memo->Send(false, "");
    }
  }
  NotesObjectsFinalize();
}
