#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "NotesSession.h"
#include "TNotesDatabase.h"
#include "TNotesDocument.h"
#include "TestNotesEnv.h"

// A mail set-up in a private Notes environment: the current user Jane Doe, whose mail file
// mail/jdoe.nsf lies on the mail server Mail1; the server has a directory (names.nsf) listing
// Jane and John Smith, a router mailbox (MAIL.BOX) and both mail files, made from the mail
// template. The object library is started and the user's mail file is open.
class MailFixture : public testing::Test {
 public:
  static constexpr const char* Server = "CN=Mail1/O=Acme";
  static constexpr const char* User = "CN=Jane Doe/O=Acme";
  static constexpr const char* Other = "CN=John Smith/O=Acme";

 protected:
  MailFixture();
  void SetUp() override;
  void TearDown() override;

  std::filesystem::path ServerDir() const;
  // Documents in the server's MAIL.BOX.
  int MailBoxCount();
  // The documents of a database, opened afresh.
  int DocumentCount(const std::string& ServerName, const std::string& FileName);
  // A new memo in the user's mail file, addressed and with a subject, not saved.
  std::unique_ptr<TNotesDocument> NewMemo(const std::string& SendTo, const std::string& Subject);

  vesktest::TestNotesEnv FEnv;
  std::unique_ptr<TNotesDatabase> FMail;
};

// The set-up of MailFixture in the environment whose root is Root (its user, mail server and
// mail file set): the server's directory, MAIL.BOX and both mail files. Returns Jane's mail file,
// open.
std::unique_ptr<TNotesDatabase> MakeMailServer(const std::filesystem::path& Root);
std::filesystem::path MailServerDir(const std::filesystem::path& Root);

// Trials of a kill test: VESK_KILL_TRIALS, else 30 (the soak targets run 1,000).
inline int KillTrials() {
  const char* trials = std::getenv("VESK_KILL_TRIALS");
  return trials ? std::atoi(trials) : 30;
}
