// The router and the repair of databases meet damaged files and mails they cannot finish: one
// mail never stops a pass, a damaged mailbox is set aside with what it still holds delivered,
// and a stopped router makes the next pass wait once, not once per mail.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <set>
#include <thread>

#include "DamageTools.h"
#include "RouterFixture.h"
#include "notesapi/mailserv.h"
#include "notesapi/names.h"
#include "notesapi/nif.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsferr.h"
#include "notesapi/nsfnote.h"
#include "notesapi/osenv.h"

namespace {

using runtimetest::DbRef;
using vesktest::LogCapture;
using Strings = std::vector<std::string>;

class RouterDamage : public runtimetest::RouterTest {
 protected:
  void SetUp() override {
    RouterTest::SetUp();
    AddPeople();
  }

  // Files beside File (itself included) named as its backups are: its stem, then anything,
  // then its extension.
  size_t FilesLike(const std::filesystem::path& File) const {
    size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(File.parent_path())) {
      const std::filesystem::path& path = entry.path();
      if (path.filename().string().rfind(File.stem().string(), 0) == 0 &&
          path.extension() == File.extension())
        ++count;
    }
    return count;
  }
};

// Each case leaves one mail that cannot be finished before a mail that can: the pass goes on,
// says what it did, and the next pass has nothing left to do.
TEST_F(RouterDamage, OneMailNeverStopsAPass) {
  const struct {
    const char* Name;
    std::function<void()> Prepare;
    DWORD Dead;     // mails left as dead mail
    bool Reported;  // the sender gets a report
  } Cases[] = {
      // Without cutting the report to fit, it could not be made at all.
      {"a group of thousands of unknown members",
       [&] {
         Strings crowd;
         for (int index = 0; index < 2000; ++index)
           crowd.push_back("Nobody " + std::to_string(index));
         AddDirectoryGroup(Srv1, "Crowd", crowd);
         Deposit(Srv1, "to the crowd", {"Crowd", "Carol White"});
       },
       0, true},
      {"a mail file that is not a database",
       [&] {
         std::ofstream(OnSrv1("mail/bob.nsf"), std::ios::trunc) << "not a database";
         Deposit(Srv1, "to a broken mail file", {"Bob Jones", "Carol White"});
       },
       0, true},
      {"a mail whose items are damaged",
       [&] {
         Deposit(Srv1, "damaged", {"Carol White"});
         vesktest::ExecuteOn(OnSrv1("mail.box"),
                             "UPDATE notes SET items = x'" + std::string(64, 'F') +
                                 "' WHERE note_id = (SELECT max(note_id) FROM notes)");
       },
       1, false},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    const size_t reportsBefore = Inbox(FAlice).size();
    Case.Prepare();
    Deposit(Srv1, "after", {"Carol White"});
    Counts counts = Route(Srv1);
    EXPECT_EQ(counts.Dead, Case.Dead);
    EXPECT_EQ(Inbox(FCarol).back(), "after");
    EXPECT_EQ(Inbox(FAlice).size(), reportsBefore + (Case.Reported ? 1 : 0));
    EXPECT_EQ(Route(Srv1), Counts{});
  }
}

// A pass that ends between putting a mail into a mail file and taking it out of the mailbox (a
// crash, a full disk) finds it again next time: it must not arrive twice.
TEST_F(RouterDamage, AMailDeliveredButStillInTheMailboxIsNotDeliveredAgain) {
  Deposit(Srv1, "once", {"Carol White"});
  vesktest::ExecuteOn(OnSrv1("mail.box"),
                      "CREATE TRIGGER kept_deleted BEFORE UPDATE OF deleted ON notes "
                      "BEGIN SELECT RAISE(ABORT, 'kept'); END;"
                      "CREATE TRIGGER kept_removed BEFORE DELETE ON notes "
                      "BEGIN SELECT RAISE(ABORT, 'kept'); END;");
  NotesRTRouteMail(Srv1, nullptr, nullptr, nullptr, nullptr);
  ASSERT_EQ(Inbox(FCarol), Strings{"once"});
  ASSERT_EQ(Subjects(Box()), Strings{"once"}) << "the mail left the mailbox after all";
  vesktest::ExecuteOn(OnSrv1("mail.box"), "DROP TRIGGER kept_deleted; DROP TRIGGER kept_removed;");
  Route(Srv1);
  EXPECT_EQ(Inbox(FCarol), Strings{"once"});
  EXPECT_TRUE(Subjects(Box()).empty());
}

// One damaged page of MAIL.BOX: senders are refused instead of told "sent", and the next pass
// delivers every mail still readable, sets the file aside and goes on with a new one.
TEST_F(RouterDamage, ADamagedMailBoxIsSetAsideAndWhatItHoldsIsDelivered) {
  constexpr int Mails = 60;
  for (int index = 0; index < Mails; ++index)
    Deposit(Srv1, "mail " + std::to_string(index), {"Bob Jones"},
            {{"Body", {std::string(500, 'x')}}});
  vesktest::DamageLeafPage(OnSrv1("mail.box"), "notes");
  LogCapture log;
  EXPECT_EQ(ERR(OpenStatus(Box())), ERR_NOT_NSF);
  Counts counts = Route(Srv1);
  const Strings inbox = Inbox(FBob);
  EXPECT_EQ(counts.Delivered, inbox.size());
  EXPECT_GT(inbox.size(), Mails / 2u);
  EXPECT_LT(inbox.size(), static_cast<size_t>(Mails)) << "the damaged page held none";
  EXPECT_EQ(std::set<std::string>(inbox.begin(), inbox.end()).size(), inbox.size());
  EXPECT_NE(log.Text().find("set aside as"), std::string::npos) << log.Text();
  EXPECT_EQ(FilesLike(OnSrv1("mail.box")), 2u) << "MAIL.BOX and the damaged one beside it";
  EXPECT_TRUE(Subjects(Box()).empty());
  Deposit(Srv1, "new", {"Bob Jones"});
  EXPECT_EQ(Route(Srv1).Delivered, 1u);
}

// The admin's repair of any database: what can be read goes into a new file with its folders and
// unread marks, the damaged one stays beside it, and the log says what could not be read.
TEST_F(RouterDamage, FixupSavesWhatCanBeReadAndKeepsTheDamagedFile) {
  constexpr int Mails = 60;
  for (int index = 0; index < Mails; ++index)
    Deposit(Srv1, "mail " + std::to_string(index), {"Bob Jones"},
            {{"Body", {std::string(500, 'y')}}});
  Route(Srv1);
  vesktest::DamageLeafPage(OnSrv1("mail/bob.nsf"), "notes");
  LogCapture log;
  DWORD saved = 0, lost = 0;
  char backup[MAXPATH] = {};
  ASSERT_EQ(NotesRTFixupDatabase(FBob.c_str(), &saved, &lost, backup), NOERROR);
  EXPECT_GT(lost, 0u);
  EXPECT_NE(log.Text().find("could not read note"), std::string::npos) << log.Text();
  EXPECT_TRUE(std::filesystem::exists(backup));
  const Strings inbox = Inbox(FBob);
  EXPECT_GT(inbox.size(), Mails / 2u);
  EXPECT_EQ(inbox.size() + lost, static_cast<size_t>(Mails));
  EXPECT_EQ(UnreadCount(FBob, "CN=Bob Jones/O=Acme"), inbox.size());
  // A file that holds nothing of a database is left as it is.
  std::ofstream(OnSrv1("mail/carol.nsf"), std::ios::trunc) << "not a database";
  EXPECT_EQ(ERR(NotesRTFixupDatabase(FCarol.c_str(), nullptr, nullptr, nullptr)), ERR_NOT_NSF);
  EXPECT_EQ(FilesLike(OnSrv1("mail/carol.nsf")), 1u);
}

// A router stopped in the middle of its pass (Ctrl+Z) keeps the mailbox: the next pass waits
// for it once, then stops and names it, instead of waiting for every mail.
TEST_F(RouterDamage, AStoppedRouterMakesTheNextPassWaitOnceAndNameIt) {
  constexpr int Mails = 120;
  for (int index = 0; index < Mails; ++index)
    Deposit(Srv1, "mail " + std::to_string(index), {"Bob Jones"});
  const pid_t child = fork();
  if (child == 0) {
    execl(ROUTER_CHILD_PATH, ROUTER_CHILD_PATH, Srv1, static_cast<char*>(nullptr));
    _exit(127);
  }
  while (Inbox(FBob).empty()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  kill(child, SIGSTOP);
  LogCapture log;
  const auto start = std::chrono::steady_clock::now();
  Route(Srv1, ERR_NOTESRT_BUSY);
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_LT(waited, std::chrono::seconds(25));
  EXPECT_NE(log.Text().find("process " + std::to_string(child)), std::string::npos) << log.Text();
  kill(child, SIGCONT);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  Route(Srv1);
  EXPECT_EQ(Inbox(FBob).size(), static_cast<size_t>(Mails));
}

// The view index is derived from the documents: rows that were lost or changed behind its back
// are found when it is read, and the index is built again, never trusted.
TEST_F(RouterDamage, ADamagedViewIndexIsRebuiltNotTrusted) {
  constexpr size_t Mails = 23;
  for (size_t index = 0; index < Mails; ++index)
    Deposit(Srv1, "mail " + std::to_string(index), {"Bob Jones"});
  Route(Srv1);
  ASSERT_EQ(Inbox(FBob).size(), Mails);
  const char* const Damages[] = {
      "DELETE FROM view_entries WHERE note_id > (SELECT min(note_id) FROM view_entries)",
      "UPDATE view_entries SET selected = 0 WHERE note_id % 8 = 0",
      "UPDATE view_entries SET summary = x'FFFFFFFF' WHERE note_id % 12 = 0",
      "UPDATE view_entries SET sort_key = x'00'",
  };
  size_t expected = Mails;
  for (const char* damage : Damages) {
    vesktest::ExecuteOn(OnSrv1("mail/bob.nsf"), damage);
    // A new mail brings the index up to date before it is read: the damage must not pass for
    // what the index holds.
    Deposit(Srv1, "one more", {"Bob Jones"});
    Route(Srv1);
    LogCapture log;
    EXPECT_EQ(Inbox(FBob).size(), ++expected) << damage;
    EXPECT_NE(log.Text().find("rebuilt"), std::string::npos) << damage;
  }
}

// A full disk is said as such, naming the folder, and reading goes on; so it does on read-only
// media. The mail world is copied onto a small file system of its own (root only).
TEST_F(RouterDamage, AFullDiskIsNamedAndReadsGoOn) {
  Deposit(Srv1, "before", {"Bob Jones"});
  Route(Srv1);
  ASSERT_EQ(Inbox(FBob), Strings{"before"});
  vesktest::SmallDisk disk(FEnv.Root() / "small", 8192);
  if (!disk.Mounted()) GTEST_SKIP() << "mounting a small file system needs root";
  std::filesystem::copy(FEnv.Root() / "servers", FEnv.Root() / "small" / "servers",
                        std::filesystem::copy_options::recursive);
  OSSetEnvironmentVariable(NOTESRT_SERVERS_DIR_VAR, (FEnv.Root() / "small" / "servers").c_str());
  disk.Fill();
  auto save = [&] {
    DBHANDLE box = NULLHANDLE;
    NOTEHANDLE note = NULLHANDLE;
    STATUS status = NSFDbOpen(Box().c_str(), &box);
    if (status == NOERROR) status = NSFNoteCreate(box, &note);
    if (status == NOERROR) status = NSFNoteUpdate(note, UPDATE_NOCOMMIT);
    if (note) NSFNoteClose(note);
    if (box) NSFDbClose(box);
    return ERR(status);
  };
  {
    LogCapture log;
    EXPECT_EQ(Inbox(FBob), Strings{"before"});
    EXPECT_EQ(save(), ERR_NOTESRT_DISK_FULL);
    EXPECT_NE(log.Text().find("The disk is full: " + (FEnv.Root() / "small").string()),
              std::string::npos)
        << log.Text();
  }
  // The runtime keeps the directory open until NotesTerm, and a file open for writing keeps a
  // file system from turning read-only.
  NotesTerm();
  ASSERT_EQ(NotesInit(), NOERROR);
  ASSERT_EQ(NotesRTSwitchUser(Srv1), NOERROR);
  ASSERT_TRUE(disk.MakeReadOnly());
  EXPECT_EQ(Inbox(FBob), Strings{"before"});
  EXPECT_EQ(save(), ERR_NOTESRT_STORAGE);
}

// Flipped bits in a view's design make its formula fail ("Missing )"): the log names the file
// and the view, so the message is not all the user gets.
TEST_F(RouterDamage, ADamagedViewDesignIsNamed) {
  NOTEID sent = 0;
  ASSERT_EQ(NIFFindDesignNote(DbRef(FAlice).Get(), "($Sent)", NOTE_CLASS_VIEW, &sent), NOERROR);
  vesktest::EditNoteItems(OnSrv1("mail/alice.nsf"), sent, [](std::string& Items) {
    std::replace(Items.begin(), Items.end(), ')', '(');
  });
  LogCapture log;
  DbRef alice(FAlice);
  EXPECT_NE(runtimetest::OpenCollectionStatus(alice.Get(), sent), NOERROR);
  EXPECT_NE(log.Text().find(OnSrv1("mail/alice.nsf").string() + ": the design of view note " +
                            std::to_string(sent)),
            std::string::npos)
      << log.Text();
}

}  // namespace
