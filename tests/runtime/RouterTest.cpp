// The mail router: one explicit pass over a server's mailbox delivers into mail files, expands
// groups, hands mail on to other servers, reports failures to the sender and keeps dead mail.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <thread>
#include "ChildProcess.h"
#include "RouterFixture.h"
#include "notesapi/clerr.h"
#include "notesapi/mailserv.h"
#include "notesapi/miscerr.h"
#include "notesapi/niferr.h"
#include "notesapi/notesrt.h"
#include "notesapi/osenv.h"
#include "notesapi/oserr.h"
#include "notesapi/ossignal.h"

namespace {

using runtimetest::DbRef;
using Strings = std::vector<std::string>;

class Router : public runtimetest::RouterTest {
 protected:
  void SetUp() override {
    RouterTest::SetUp();
    AddPeople();
  }
};

TEST_F(Router, GroupsExpandRecursivelyAndEachPersonGetsOneCopy) {
  AddDirectoryGroup(Srv1, "Team", {"Bob Jones", "Inner"});
  AddDirectoryGroup(Srv1, "Inner", {"carol", "Team", " "});
  Deposit(Srv1, "All hands", {" Team", "bob jones", ""});
  EXPECT_EQ(Route(Srv1), (Counts{2, 0, 0, 0}));
  EXPECT_EQ(Inbox(FBob), Strings{"All hands"});
  EXPECT_EQ(Inbox(FCarol), Strings{"All hands"});
  EXPECT_TRUE(Subjects(FAlice).empty());
}

// Each mail with recipients the router cannot deliver to gives the sender one report naming
// them and why; what can be delivered is, and the mail is done: it leaves the mailbox, and a
// second pass reports nothing again.
TEST_F(Router, FailuresAreReportedToTheSenderOnceAndTheRestIsDelivered) {
  Deposit(Srv1, "Lost", {"Nobody Here"});
  Deposit(Srv1, "Partly", {"Bob Jones", "ghost@elsewhere.example", "Bob"},
          {{"Body", {"the text"}}});
  AddUser("Bob", "Other");  // "Bob" is now two people
  EXPECT_EQ(Route(Srv1), (Counts{1, 0, 3, 0}));
  EXPECT_EQ(Subjects(FAlice).at(0), "DELIVERY FAILURE: User not listed in the directory");
  EXPECT_EQ(Values(FAlice, "Form"), (Strings{"NonDelivery Report", "NonDelivery Report"}));
  EXPECT_EQ(Values(FAlice, "OriginalSubject"), (Strings{"Lost", "Partly"}));
  EXPECT_EQ(Values(FAlice, "IntendedRecipient"),
            (Strings{"Nobody Here", "ghost@elsewhere.example;Bob"}));
  EXPECT_EQ(Values(FAlice, "FailureReason"),
            (Strings{"User not listed in the directory",
                     "No route to the Internet for this address;"
                     "Ambiguous name: several people in the directory have it"}));
  EXPECT_EQ(Values(FAlice, "Body"), (Strings{"", "the text"}));
  EXPECT_EQ(Subjects(FBob), Strings{"Partly"});
  EXPECT_TRUE(Subjects(FCarol).empty());
  EXPECT_TRUE(Subjects(Box(Srv1)).empty());
  EXPECT_EQ(Route(Srv1), Counts{});
  EXPECT_EQ(Subjects(FAlice).size(), 2u);
}

// Delivery and unread marks in a pass at all: the router reliability test.
TEST_F(Router, DeliveredMailIsStampedAndBlindCopiesAreShownOnlyToThemselves) {
  Deposit(Srv1, "Secret", {"Bob Jones", "carol", "Alice Smith"},
          {{"SendTo", {"Bob Jones"}}, {"BlindCopyTo", {"carol, Alice Smith"}}});
  Route(Srv1);
  EXPECT_NE(Values(FBob, "DeliveredDate"), Strings{""});
  EXPECT_NE(Values(FBob, "$MessageID"), Strings{""});
  EXPECT_EQ(Values(FBob, "Recipients"), Strings{"Bob Jones"});
  EXPECT_EQ(Values(FBob, "BlindCopyTo"), Strings{""});
  EXPECT_EQ(Values(FCarol, "Recipients"), Strings{"Bob Jones;carol"});
  EXPECT_EQ(Values(FCarol, "BlindCopyTo"), Strings{"carol"});
  EXPECT_EQ(Values(FAlice, "BlindCopyTo"), Strings{"Alice Smith"});
}

// People the server's directory does not list are looked for in the other configured books,
// here a secondary directory on the server; the server's own directory still comes first.
TEST_F(Router, RecipientsOnlyInAnotherConfiguredBookAreDeliveredToo) {
  const std::string partners = std::string(Srv1) + "!!partners.nsf";
  const std::string erin = std::string(Srv1) + "!!mail/erin.nsf";
  CopyDatabase("pubnames.ntf", partners);
  CopyDatabase("mail.ntf", erin);
  {
    DbRef book(partners);
    AddPerson(book.Get(), "Erin", "Gray", {{"MailServer", {Srv1}}, {"MailFile", {"mail/erin"}}});
    AddPerson(book.Get(), "Bob", "Jones",
              {{"MailServer", {Srv1}}, {"MailFile", {"mail/elsewhere.nsf"}}});
  }
  Deposit(Srv1, "Before", {"Erin Gray"});
  EXPECT_EQ(Route(Srv1).Failed, 1u);
  OSSetEnvironmentVariable("NAMES", ("names.nsf, " + partners).c_str());
  Deposit(Srv1, "Partners", {"Erin Gray", "Bob Jones"});
  EXPECT_EQ(Route(Srv1), (Counts{2, 0, 0, 0}));
  EXPECT_EQ(Inbox(erin), Strings{"Partners"});
  EXPECT_EQ(Inbox(FBob), Strings{"Partners"});
}

// Mail waits in the mailbox while the other server cannot be reached, then goes once.
TEST_F(Router, MailForAnotherServerIsHandedOnOnceItCanBeReached) {
  OSSetEnvironmentVariable(NOTESRT_UNREACHABLE_VAR, "Srv2/Acme");
  Deposit(Srv1, "Across", {"Dave Brown", "Bob Jones"}, {{"BlindCopyTo", {"Dave Brown"}}});
  EXPECT_EQ(Route(Srv1), (Counts{1, 0, 0, 0}));
  EXPECT_EQ(Subjects(Box(Srv1)), Strings{"Across"});
  OSSetEnvironmentVariable(NOTESRT_UNREACHABLE_VAR, "");
  EXPECT_EQ(Route(Srv1), (Counts{0, 1, 0, 0}));
  EXPECT_TRUE(Subjects(Box(Srv1)).empty());
  EXPECT_EQ(Values(Box(Srv2), "Recipients"), Strings{"CN=Dave Brown/O=Acme"});
  EXPECT_EQ(Values(Box(Srv2), "BlindCopyTo"), Strings{"CN=Dave Brown/O=Acme"});
  EXPECT_EQ(Values(Box(Srv2), "RouteServers"), Strings{Srv1});
  EXPECT_EQ(Route(Srv2), (Counts{1, 0, 0, 0}));
  EXPECT_EQ(Inbox(FDave), Strings{"Across"});
  EXPECT_EQ(UnreadCount(FDave, "Dave Brown/Acme"), 1u);
  EXPECT_EQ(Subjects(FBob), Strings{"Across"});
  EXPECT_EQ(Values(FBob, "$MessageID"), Values(FDave, "$MessageID"));
}

TEST_F(Router, TheLocalMailboxGoesWholeToTheMailServer) {
  ASSERT_EQ(NotesRTCreateServer(""), NOERROR);
  ASSERT_EQ(NotesRTCreateServer(""), NOERROR);  // what exists is kept
  Deposit("", "Offline", {"Bob Jones", "Dave Brown"});
  EXPECT_EQ(Route("").Forwarded, 0u);  // no mail server configured: it stays
  OSSetEnvironmentVariable("MailServer", "Srv1/Acme");
  OSSetEnvironmentVariable(NOTESRT_UNREACHABLE_VAR, "Srv1/Acme");
  EXPECT_EQ(Route("").Forwarded, 0u);
  EXPECT_EQ(Subjects(MAILBOX_NAME), Strings{"Offline"});
  OSSetEnvironmentVariable(NOTESRT_UNREACHABLE_VAR, "");
  EXPECT_EQ(Route("").Forwarded, 2u);
  EXPECT_TRUE(Subjects(MAILBOX_NAME).empty());
  EXPECT_EQ(Values(Box(Srv1), "Recipients"), Strings{"Bob Jones;Dave Brown"});
  EXPECT_EQ(Route(Srv1).Delivered, 1u);
  EXPECT_EQ(Subjects(FBob), Strings{"Offline"});
}

// Every failure reported to the sender finishes the mail; only one whose failure nobody can be
// told of stays, as dead mail, whatever was delivered besides.
TEST_F(Router, OnlyMailWhoseFailureCannotBeReportedStaysDead) {
  DbRef names(std::string(Srv1) + "!!names.nsf");
  AddPerson(names.Get(), "Fay", "Nofile", {{"MailServer", {Srv1}}, {"MailFile", {"mail/fay"}}});
  const struct {
    const char* Subject;
    Strings Recipients;
    const char* From;
    bool Dead;
  } cases[] = {{"Nobody", {}, "CN=Alice Smith/O=Acme", false},
               {"No file", {"Fay Nofile", "Bob Jones"}, "CN=Alice Smith/O=Acme", false},
               {"Unknown", {"Nobody Here"}, "CN=Alice Smith/O=Acme", false},
               {"Strange", {"Nobody Here", "Bob Jones"}, "Unknown Sender", true},
               {"No sender", {"Nobody Here"}, "", true}};
  for (const auto& c : cases) Deposit(Srv1, c.Subject, c.Recipients, {{"From", {c.From}}});
  Counts counts = Route(Srv1);
  Strings dead;
  for (const auto& c : cases)
    if (c.Dead) dead.push_back(c.Subject);
  EXPECT_EQ(counts.Dead, dead.size());
  EXPECT_EQ(counts.Delivered, 2u);
  EXPECT_EQ(Subjects(Box(Srv1)), dead);
  EXPECT_EQ(Values(Box(Srv1), "RoutingState"), (Strings{"DEAD", "DEAD"}));
  EXPECT_EQ(Values(Box(Srv1), "FailureReason"),
            (Strings{"User not listed in the directory", "User not listed in the directory"}));
  EXPECT_EQ(Subjects(FAlice).size(), 3u);
  EXPECT_EQ(Subjects(FBob), (Strings{"No file", "Strange"}));
  EXPECT_EQ(Route(Srv1).Dead, 0u);  // dead mail is never routed again
}

std::vector<std::string>* ProgressLog = nullptr;

WORD LNCALLBACK LogProgress(WORD Option, DWORD Data1, DWORD) {
  ProgressLog->push_back(std::to_string(Option) + ":" + std::to_string(Data1));
  return 0;
}

// The break handler stops the pass; the progress signal gets one step per mail (dead ones too).
TEST_F(Router, ThePassStopsAtTheBreakSignalAndReportsItsProgress) {
  Deposit(Srv1, "Stopped", {"Bob Jones"});
  OSSIGPROC previous = OSSetSignalHandler(OS_SIGNAL_CHECK_BREAK, runtimetest::BreakPressed());
  EXPECT_EQ(Route(Srv1, ERR_CANCEL).Delivered, 0u);
  OSSetSignalHandler(OS_SIGNAL_CHECK_BREAK, previous);
  EXPECT_EQ(Route(Srv1).Delivered, 1u);
  Deposit(Srv1, "One", {"Bob Jones"});
  Deposit(Srv1, "Two", {"Nobody Here"}, {{"From", {""}}});  // stays: nobody to report to
  std::vector<std::string> log;
  ProgressLog = &log;
  previous = OSSetSignalHandler(OS_SIGNAL_PROGRESS, (OSSIGPROC)LogProgress);
  Route(Srv1);
  EXPECT_EQ(log, (Strings{"0:0", "2:2", "4:1", "4:2", "1:0"}));
  log.clear();
  Route(Srv1);  // the dead mail stays and is counted
  EXPECT_EQ(log, (Strings{"0:0", "2:1", "4:1", "1:0"}));
  OSSetSignalHandler(OS_SIGNAL_PROGRESS, previous);
  ProgressLog = nullptr;
}

TEST_F(Router, ServersWithoutMailboxOrDirectoryAreErrors) {
  EXPECT_EQ(NotesRTRouteMail(nullptr, nullptr, nullptr, nullptr, nullptr), ERR_MISC_INVALID_ARGS);
  Route("Srv9/Acme", ERR_SERVER_NOT_RESPONDING);
  std::filesystem::remove(FEnv.Root() / "servers" / "CN=SRV2%2FO=ACME" / "names.nsf");
  Route(Srv2, ERR_NO_NAMES_FILE);
  OSSetEnvironmentVariable(NOTESRT_SERVERS_DIR_VAR, "");
  EXPECT_EQ(NotesRTCreateServer("Srv3/Acme"), ERR_NOTESRT_NO_SERVERS_DIR);
}

// The router killed at random moments of a pass over 200 mails and run again: every mail
// arrives exactly once in every mailbox it was for, none is lost, and the mailbox ends empty.

constexpr int MailCount = 200;

class RouterReliability : public runtimetest::RouterTest {
 protected:
  void SetUp() override {
    RouterTest::SetUp();
    AddPeople();
    AddDirectoryGroup(Srv1, "Team", {"Bob Jones", "Carol White"});
    for (int index = 0; index < MailCount; ++index)
      Deposit(Srv1, Subject(index), {"Team", "alice", "Dave Brown"});
  }

  static std::string Subject(int Index) { return "mail " + std::to_string(Index); }
};

TEST_F(RouterReliability, KilledAtRandomPointsEveryMailArrivesOnce) {
  unsigned seed = std::random_device()();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> delay(10, 1200);
  int kills = 0, exitCode = -1;
  bool finished = false;
  while (!finished && kills < 12) {
    vesktest::ChildProcess pass({ROUTER_CHILD_PATH, Srv1});
    finished = pass.FinishesWithin(std::chrono::milliseconds(delay(random)), exitCode);
    if (!finished) ++kills;
  }
  if (!finished) {
    vesktest::ChildProcess pass({ROUTER_CHILD_PATH, Srv1});
    finished = pass.FinishesWithin(std::chrono::minutes(5), exitCode);
  }
  ASSERT_TRUE(finished);
  EXPECT_EQ(exitCode, 0);
  RecordProperty("kills", kills);
  EXPECT_TRUE(Subjects(Box()).empty());
  Route(Srv2);
  EXPECT_TRUE(Subjects(Box(Srv2)).empty());
  Strings expected;
  for (int index = 0; index < MailCount; ++index) expected.push_back(Subject(index));
  std::sort(expected.begin(), expected.end());
  for (const std::string& file : {FAlice, FBob, FCarol, FDave}) {
    SCOPED_TRACE(file);
    Strings inbox = Inbox(file);
    std::sort(inbox.begin(), inbox.end());
    EXPECT_EQ(inbox, expected);
    EXPECT_EQ(Subjects(file).size(), static_cast<size_t>(MailCount));
  }
  EXPECT_EQ(UnreadCount(FBob, "Bob Jones/Acme"), static_cast<size_t>(MailCount));
}

}  // namespace
