// vesk-mail's demo environment and mail commands, run as child processes: listing the demo
// folders, sending to another demo user and routing, non-delivery, the local replica.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>
#include <vector>

#include "DamageTools.h"
#include "NotesSession.h"
#include "ScopedEnv.h"
#include "TNotesDatabase.h"
#include "TNotesDocument.h"
#include "TempDir.h"
#include "VeskMailRun.h"

namespace {

// The demo user's inbox as "list inbox" counts it.
const char* const InboxCount = "\n27 mails\n";

class VeskMailDemoTest : public testing::Test {
 protected:
  std::string Home() const { return "HOME=" + Quoted(FHome.string()); }
  std::filesystem::path EnvDir() const { return FHome / "demo"; }
  std::string Env() const { return "--env " + Quoted(EnvDir().string()); }
  // Where the demo is made before it is renamed into place.
  std::filesystem::path Workshop() const { return FHome / ".demo.demo-in-progress"; }

  // vesk-mail on the demo environment, made on first use; stdout only.
  TRun Demo(const std::string& Arguments) {
    return RunVeskMail(Home(), Env() + " " + Arguments, false);
  }

  // vesk-mail with the demo's settings changed as Changes says, in a settings file of its own.
  TRun WithSettings(const std::map<std::string, std::string>& Changes, const std::string& Arguments,
                    bool WithErrors = false) {
    std::istringstream Original(ReadFile(EnvDir() / "notes.ini"));
    std::ostringstream Changed;
    for (std::string Line; std::getline(Original, Line);) {
      const std::string Name = Line.substr(0, Line.find('='));
      if (!Changes.count(Name)) Changed << Line << "\n";
    }
    for (const auto& [Name, Value] : Changes) Changed << Name << "=" << Value << "\n";
    const std::filesystem::path Ini = FHome / "changed.ini";
    std::ofstream(Ini) << Changed.str();
    return RunVeskMail(Home() + " NOTES_INI=" + Quoted(Ini.string()), Arguments, WithErrors);
  }
  TRun AsJohn(const std::string& Arguments) { return Demo("--user 'John Smith' " + Arguments); }

  // Mails from Jane to John put straight into the demo server's MAIL.BOX.
  void DepositForJohn(int Count) {
    vesktest::ScopedEnv Ini("NOTES_INI", (EnvDir() / "notes.ini").c_str());
    NotesObjectsInitialize();
    {
      TNotesDatabase Box;
      Box.Open("CN=Mail01/O=Demo", "mail.box");
      for (int Index = 0; Index < Count; ++Index) {
        std::unique_ptr<TNotesDocument> Mail = Box.CreateDocument();
        Mail->SetItemByNum(MAIL_FORM_ITEM_NUM, "Memo");
        Mail->SetItemByNum(MAIL_FROM_ITEM_NUM, "CN=Jane Doe/O=Demo");
        Mail->SetItemByNum(MAIL_SUBJECT_ITEM_NUM, "Bulk " + std::to_string(Index));
        Mail->SetRecipients("John Smith");
        Mail->Save();
      }
    }
    NotesObjectsFinalize();
  }

  size_t JohnsInboxSize() {
    const std::string Lines = AsJohn("list inbox --raw").Output;
    return static_cast<size_t>(std::count(Lines.begin(), Lines.end(), '\n'));
  }

  // vesk-mail with Arguments on the demo as a child of its own, its errors going to Errors.
  pid_t StartVeskMail(std::vector<std::string> Arguments, const std::filesystem::path& Errors) {
    const std::string HomeVariable = "HOME=" + FHome.string();
    Arguments.insert(Arguments.begin(), {VESK_MAIL_PROGRAM, "--env", EnvDir().string()});
    std::vector<char*> Argv;
    for (std::string& Argument : Arguments) Argv.push_back(Argument.data());
    Argv.push_back(nullptr);
    const char* Environment[] = {HomeVariable.c_str(), "PATH=/usr/bin:/bin", nullptr};
    const int ErrorFile = open(Errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const pid_t Child = fork();
    if (Child == 0) {
      dup2(ErrorFile, STDERR_FILENO);
      execve(VESK_MAIL_PROGRAM, Argv.data(), const_cast<char* const*>(Environment));
      _exit(127);
    }
    close(ErrorFile);
    return Child;
  }

  vesktest::TempDir FOwnHome;
  std::filesystem::path FHome = FOwnHome.Path();
};

// The scenarios that neither damage, interrupt nor count a user's mails share one demo, made by
// the first of them: each routes all it sends, so none finds another's mail in MAIL.BOX.
class VeskMailSharedDemoTest : public VeskMailDemoTest {
 protected:
  VeskMailSharedDemoTest() {
    static const vesktest::TempDir Shared;
    FHome = Shared.Path();
  }
};

// The ID list --raw prints for the mail with Subject.
std::string IdOf(const std::string& RawList, const std::string& Subject) {
  std::istringstream Lines(RawList);
  for (std::string Line; std::getline(Lines, Line);)
    if (Contains(Line, "|" + Subject + "|")) return Line.substr(0, Line.find('|'));
  return "none";
}

TEST_F(VeskMailDemoTest, TheDemoIsMadeOnceItsFoldersListedAndItsServerOrReplicaUsed) {
  TRun First = RunVeskMail(Home(), Env() + " list inbox");
  ASSERT_EQ(First.ExitCode, 0) << First.Output;
  EXPECT_TRUE(Has(First.Output, {"Demo environment ready"}));
  TRun Inbox = Demo("list inbox");
  EXPECT_FALSE(Contains(RunVeskMail(Home(), Env() + " list inbox").Output, "Creating"));
  EXPECT_EQ(Inbox.Output.rfind("ID ", 0), 0u) << Inbox.Output;
  EXPECT_TRUE(Has(Inbox.Output,
                  {"John Smith/Demo", "Quarterly figures", "Lieferung / Teil 2", InboxCount}));
  EXPECT_TRUE(Has(Demo("list sent").Output, {"\n8 mails\n"}));
  EXPECT_TRUE(Has(Demo("list drafts").Output, {"\n3 mails\n"}));
  TRun Sent = Demo("list sent --raw");
  EXPECT_TRUE(Has(Sent.Output, {"|CN=Jane Doe/O=Demo|John Smith|Budget|0\n"}));
  EXPECT_EQ(Demo("list outbox --raw").Output, Sent.Output);

  EXPECT_TRUE(Has(Demo("dir Mail01/Demo mail --raw").Output,
                  {"jsmith.nsf|database|John Smith|mail/jsmith.nsf\n"}));
  EXPECT_EQ(Demo("dir Local '' --dirs --raw").Output.rfind("mail|folder||mail\n", 0), 0u);
  EXPECT_EQ(Demo("servers TCPIP").Output, "Local\nMAIL01/DEMO\n");
  // connect tells whether the server or the local replica serves.
  EXPECT_EQ(Demo("connect").Output,
            "connected to the mail file mail/jdoe.nsf on the mail server CN=Mail01/O=Demo\n");
  const std::map<std::string, std::string> Unreachable = {
      {"NotesRT_Unreachable", "CN=Mail01/O=Demo"}};
  EXPECT_EQ(WithSettings(Unreachable, "connect").Output,
            "connected to the mail file mail/jdoe.nsf, the local replica: the mail "
            "server CN=Mail01/O=Demo cannot be reached\n");
  EXPECT_TRUE(Has(WithSettings(Unreachable, "list inbox").Output, {InboxCount}));
  EXPECT_EQ(WithSettings({{"MailFile", "mail/nobody.nsf"}}, "connect").ExitCode, 1);
}

TEST_F(VeskMailSharedDemoTest, MailsSentToAnotherDemoUserArriveAfterARouterPassAndToNobodyFail) {
  TRun Sent = Demo("send --to 'John Smith' --cc 'Wei Chen' --subject 'Route me' --text 'Hello'");
  ASSERT_EQ(Sent.ExitCode, 0) << Sent.Output;
  EXPECT_EQ(Sent.Output,
            "sent to John Smith, Wei Chen through MAIL.BOX on CN=Mail01/O=Demo; \"vesk-mail "
            "route\" delivers it\n");
  EXPECT_FALSE(Contains(AsJohn("list inbox").Output, "Route me")) << "delivered before routing";
  EXPECT_TRUE(Contains(Demo("list sent").Output, "Route me")) << "no copy kept";
  TRun Routed = Demo("route");
  EXPECT_EQ(Routed.Output,
            "router pass on CN=Mail01/O=Demo: 2 delivered, 0 forwarded, 0 failed, 0 dead\n");
  EXPECT_TRUE(
      Has(AsJohn("list inbox --raw").Output, {"|CN=Jane Doe/O=Demo|John Smith|Route me|0\n"}));

  // Composed rich text goes through MAIL.BOX and the router intact.
  const std::string Budget = IdOf(Demo("list sent --raw").Output, "Budget");
  ASSERT_EQ(Demo("send --to 'John Smith' --subject 'Rich' --text 'Line one' --url "
                 "https://demo.example/a --url https://demo.example/b --link " +
                 Budget)
                .ExitCode,
            0);
  ASSERT_EQ(Demo("route").ExitCode, 0);
  const std::string Rich = IdOf(AsJohn("list inbox --raw").Output, "Rich");
  // As the host gets it: the links with their targets in the text.
  EXPECT_TRUE(Has(AsJohn("show " + Rich).Output,
                  {"\n\nLine one\nhttps://demo.example/a <https://demo.example/a>\n"
                   "https://demo.example/b <https://demo.example/b>\n"}));
  EXPECT_TRUE(Has(AsJohn("show " + Rich + " --records").Output,
                  {"Links:\n  document link \"Budget\": replica "}));
  EXPECT_EQ(Demo("send --to 'John Smith' --link 99999").ExitCode, 1);
  EXPECT_EQ(Demo("route").Output,
            "router pass on CN=Mail01/O=Demo: 0 delivered, 0 forwarded, 0 failed, 0 dead\n");
  // Sending to nobody fails and sends nothing.
  for (const auto& [Arguments, Message] :
       {std::pair{" send --subject x", "send needs --to or --cc"},
        {" send --to ' , ' --subject x", "No recipients"}})
    EXPECT_TRUE(Fails(RunVeskMail(Home(), Env() + Arguments), {Message})) << Arguments;
}

// The commands around a mail the host has: sent without a copy, saved under the names listed
// and never over a file unless told to, filed, and kept as a draft.
TEST_F(VeskMailSharedDemoTest, MailsAreSavedFiledAndKeptAsDrafts) {
  vesktest::TempDir Files;
  const std::filesystem::path File = Files.Path() / "report.txt";
  std::ofstream(File) << "first\n";
  ASSERT_EQ(Demo("send --to 'John Smith' --subject Figures --text x --no-copy --attach " +
                 Quoted(File.string()))
                .ExitCode,
            0);
  EXPECT_FALSE(Contains(Demo("list sent").Output, "Figures")) << "--no-copy kept a copy";
  ASSERT_EQ(Demo("route").ExitCode, 0);
  const std::string Id = IdOf(AsJohn("list inbox --raw").Output, "Figures");
  vesktest::TempDir Saved;
  TRun All = AsJohn("save " + Id + " --all " + Quoted(Saved.Path().string()));
  ASSERT_EQ(All.ExitCode, 0) << All.Output;
  EXPECT_TRUE(Has(All.Output, {(Saved.Path() / "report.txt").string() + "\n"}));
  const std::string One = "save " + Id + " 'REPORT.TXT' " + Quoted(Saved.Path().string());
  EXPECT_EQ(AsJohn(One).ExitCode, 1) << "an existing file was overwritten";
  EXPECT_EQ(AsJohn(One + " --force").ExitCode, 0);
  EXPECT_EQ(AsJohn("save " + Id + " file0000 .").ExitCode, 1) << "an internal name is not listed";
  EXPECT_EQ(AsJohn("save " + Id + " other.txt").ExitCode, 1);
  ASSERT_EQ(AsJohn("file " + Id + " drafts").ExitCode, 0);
  EXPECT_TRUE(Has(AsJohn("list drafts").Output, {"Figures"}));
  ASSERT_EQ(Demo("send --to 'John Smith' --subject 'Unsent' --text draft --draft").ExitCode, 0);
  EXPECT_TRUE(Has(Demo("list drafts").Output, {"Unsent"}));
}

// Each mail file on the server admits its owner and the servers; everybody deposits in MAIL.BOX.
TEST_F(VeskMailSharedDemoTest, EachUserOpensOnlyHisOwnMailFileAndEverybodySends) {
  TRun Johns = AsJohn("list inbox --raw");
  ASSERT_EQ(Johns.ExitCode, 0) << Johns.Output;
  EXPECT_TRUE(Has(Johns.Output, {"|CN=Jane Doe/O=Demo|John Smith|Budget|"}));
  EXPECT_NE(Johns.Output, Demo("list inbox --raw").Output);
  for (const char* Command : {"connect", "list inbox"})
    EXPECT_TRUE(Fails(WithSettings({{"NotesRT_UserName", "CN=John Smith/O=Demo"}}, Command, true),
                      {"You are not authorized to perform that operation"}))
        << Command;
  TRun Sent = AsJohn("send --to 'Jane Doe' --subject 'From John' --text x");
  ASSERT_EQ(Sent.ExitCode, 0) << Sent.Output;
  EXPECT_TRUE(Has(AsJohn("route").Output, {": 1 delivered,"}));
  EXPECT_TRUE(Has(Demo("list inbox --raw").Output, {"|CN=John Smith/O=Demo|Jane Doe|From John|"}));
  EXPECT_TRUE(Has(AsJohn("list sent --raw").Output, {"|From John|"}));
  EXPECT_TRUE(Fails(RunVeskMail(Home(), Env() + " --user 'Nobody Here' list inbox"),
                    {"Nobody in CN=Mail01/O=Demo's directory is called"}));
}

// Every file under Folder with its contents.
std::map<std::string, std::string> FilesUnder(const std::filesystem::path& Folder) {
  std::map<std::string, std::string> Files;
  for (const auto& Entry : std::filesystem::recursive_directory_iterator(Folder))
    Files[Entry.path().lexically_relative(Folder).string()] =
        Entry.is_regular_file() ? ReadFile(Entry.path()) : "(folder)";
  return Files;
}

// The demo is made only in a new or empty folder: a folder with other files, or with settings of
// the user's own, is refused and left exactly as it was, whatever it holds.
TEST_F(VeskMailDemoTest, AFolderOfTheUsersIsRefusedAndLeftAsItWas) {
  const struct {
    const char* Name;
    std::vector<const char*> Files;
    const char* Message;
    bool OwnSettings = false;  // a notes.ini naming the data folder, without a mail file
  } Cases[] = {
      {"own files", {"letter.txt", "attachments/photo.jpg"}, "is not empty and has no Notes"},
      {"own address book", {"data/names.nsf"}, "is not empty and has no Notes"},
      {"half-made demo of an older vesk-mail",
       {"notes.ini", "demo.incomplete", "data/leftover.nsf", "servers/notes.txt"},
       "left half-made"},
      {"own settings without a mail file",
       {"data/own.txt"},
       "vesk-mail: No mail file is set up: the setting MailFile is missing in ",
       true},
  };
  for (const auto& Case : Cases) {
    std::filesystem::remove_all(EnvDir());
    for (const char* File : Case.Files) {
      std::filesystem::create_directories((EnvDir() / File).parent_path());
      std::ofstream(EnvDir() / File) << "the user's " << File;
    }
    if (Case.OwnSettings)
      std::ofstream(EnvDir() / "notes.ini")
          << "[Notes]\nDirectory=" << (EnvDir() / "data").string();
    const auto Before = FilesUnder(EnvDir());
    EXPECT_TRUE(
        Fails(RunVeskMail(Home(), Env() + " list inbox"), {Case.Message, EnvDir().string()}))
        << Case.Name;
    EXPECT_EQ(FilesUnder(EnvDir()), Before) << Case.Name;
    EXPECT_FALSE(std::filesystem::exists(Workshop())) << Case.Name;
  }
}

// A maker killed half-way leaves the folder as it found it; the next run makes the whole demo.
TEST_F(VeskMailDemoTest, AKilledDemoMakerLeavesTheFolderAsItWas) {
  const std::filesystem::path Errors = FHome / "errors.txt";
  const pid_t Child = StartVeskMail({"connect"}, Errors);
  ASSERT_GT(Child, 0);
  while (!Contains(ReadFile(Errors), "mail files from"))
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  kill(Child, SIGKILL);
  waitpid(Child, nullptr, 0);
  EXPECT_TRUE(std::filesystem::is_empty(EnvDir()));
  EXPECT_TRUE(Has(Demo("list inbox").Output, {InboxCount}));
  EXPECT_FALSE(std::filesystem::exists(Workshop()));
  EXPECT_FALSE(std::filesystem::exists(EnvDir() / "demo.incomplete"));
}

// Runs started at once on a new folder take turns: one makes the demo, the others use it.
TEST_F(VeskMailDemoTest, RunsStartedAtOnceAllUseOneDemo) {
  constexpr int Runs = 5;
  std::vector<TRun> Results(Runs);
  std::vector<std::thread> Threads;
  for (int Index = 0; Index < Runs; ++Index)
    Threads.emplace_back(
        [&, Index] { Results[Index] = RunVeskMail(Home(), Env() + " list inbox"); });
  for (std::thread& Thread : Threads) Thread.join();
  int Made = 0;
  for (const TRun& Result : Results) {
    EXPECT_EQ(Result.ExitCode, 0) << Result.Output;
    EXPECT_TRUE(Has(Result.Output, {InboxCount}));
    Made += Contains(Result.Output, "Demo environment ready") ? 1 : 0;
  }
  EXPECT_EQ(Made, 1);
}

// Ctrl+C in the middle of a router pass stops it between two mails; the next pass delivers the
// rest, every mail once.
TEST_F(VeskMailDemoTest, CtrlCStopsARouterPassAndTheNextPassGoesOn) {
  constexpr size_t Mails = 600;
  ASSERT_EQ(Demo("connect").ExitCode, 0);
  const size_t Before = JohnsInboxSize();
  DepositForJohn(Mails);
  const std::filesystem::path Errors = FHome / "route-errors.txt";
  const pid_t Child = StartVeskMail({"route"}, Errors);
  ASSERT_GT(Child, 0);
  int Status = 0;
  bool Stopped = false;
  while (waitpid(Child, &Status, WNOHANG) == 0) {
    if (!Stopped && JohnsInboxSize() > Before) {
      kill(Child, SIGINT);
      Stopped = true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ASSERT_TRUE(Stopped) << "the pass ended before it could be interrupted";
  ASSERT_TRUE(WIFEXITED(Status)) << "killed by the signal instead of stopping";
  EXPECT_EQ(WEXITSTATUS(Status), 1);
  EXPECT_TRUE(Has(ReadFile(Errors), {"Operation stopped at your request"}));
  const size_t Interrupted = JohnsInboxSize();
  EXPECT_LT(Interrupted, Before + Mails);
  EXPECT_EQ(Demo("route").ExitCode, 0);
  EXPECT_EQ(JohnsInboxSize(), Before + Mails);
  EXPECT_EQ(Demo("route").Output,
            "router pass on CN=Mail01/O=Demo: 0 delivered, 0 forwarded, 0 failed, 0 dead\n");
}

// Damage is said, costs only what is damaged, and is never hidden behind a success or another
// failure: exit status 2 is "done, with problems".
TEST_F(VeskMailDemoTest, DamageIsNamedAndCostsOnlyWhatIsDamaged) {
  ASSERT_EQ(Demo("connect").ExitCode, 0);
  const std::filesystem::path Server = EnvDir() / "servers" / "CN=MAIL01%2FO=DEMO";
  const std::filesystem::path Jane = Server / "mail" / "jdoe.nsf";
  const std::string Garbage = "x'" + std::string(64, 'F') + "'";

  ASSERT_EQ(Demo("send --to 'John Smith' --subject Broken --text x").ExitCode, 0);
  vesktest::ExecuteOn(Server / "mail.box",
                      "UPDATE notes SET items = " + Garbage + " WHERE class = 1");
  TRun Routed = RunVeskMail(Home(), Env() + " route");
  EXPECT_EQ(Routed.ExitCode, 0) << Routed.Output;
  EXPECT_TRUE(Has(Routed.Output, {": 0 delivered, 0 forwarded, 0 failed, 1 dead"}));

  vesktest::ExecuteOn(Jane, "DELETE FROM view_entries WHERE note_id % 3 = 0");
  TRun Rebuilt = RunVeskMail(Home(), Env() + " list inbox");
  EXPECT_EQ(Rebuilt.ExitCode, 2) << Rebuilt.Output;
  EXPECT_TRUE(Has(Rebuilt.Output, {InboxCount, "rebuilt"}));

  const int64_t Broken = vesktest::ValueOn(Jane, "SELECT min(note_id) FROM folder_members");
  vesktest::ExecuteOn(
      Jane, "UPDATE notes SET items = " + Garbage + " WHERE note_id = " + std::to_string(Broken));
  TRun Listed = RunVeskMail(Home(), Env() + " list inbox");
  EXPECT_EQ(Listed.ExitCode, 2) << Listed.Output;
  EXPECT_TRUE(Has(Listed.Output, {"\n26 mails\n", "vesk-mail: Mail " + std::to_string(Broken) +
                                                      " of mail/jdoe.nsf could not be read"}));

  // A lost header row: the file no longer opens, while its notes can still be saved (a cut
  // file may lose the schema itself, depending on where SQLite placed its pages).
  vesktest::ExecuteOn(Jane, "DELETE FROM header");
  TRun Refused = RunVeskMail(Home(), Env() + " connect");
  EXPECT_TRUE(Fails(Refused, {"nabadmin fixup mail/jdoe.nsf --server"}));
  EXPECT_FALSE(Contains(Refused.Output, "local replica")) << Refused.Output;
  const std::string Admin = "NOTES_INI=" + Quoted((EnvDir() / "notes.ini").string()) + " " +
                            Quoted(NABADMIN_PROGRAM) + " fixup mail/jdoe.nsf --server " +
                            Quoted("CN=Mail01/O=Demo") + " >/dev/null 2>&1";
  EXPECT_EQ(system(Admin.c_str()), 0);
  EXPECT_TRUE(Has(Demo("connect").Output, {"on the mail server CN=Mail01/O=Demo"}));
}

// The demo's mails with RTF bodies, as the host gets them: sender, names a user sees, the body's
// text with its table, links, pictures and non-ASCII text; a body of several items read whole;
// a composed mail with its records.
TEST_F(VeskMailSharedDemoTest, RtfMailsOfTheDemoAreShownAsTheHostGetsThem) {
  const std::string Inbox = Demo("list inbox --raw").Output;
  const struct {
    const char* Subject;
    std::vector<std::string> Parts;
    std::vector<std::string> Absent;
  } Cases[] = {
      {"Quarterly figures",
       {"From: CN=John Smith/O=Demo\nTo: Jane Doe\nSubject: Quarterly figures\nDate: ",
        "\nAttachment: Quarterly figures.csv\n\nHi Jane,\n",
        "Region\tQ2\tQ3\t\nNorth\t1,200\t1,344", "The chart:\n[picture]\n",
        "figures page <https://intranet.demo.example/figures/q3>.\nJohn\n[picture]"},
       {"file0000", "FILE0000"}},
      {"Demo Ltd newsletter, October",
       {"\n\nDemo Ltd newsletter, October\n", "Sales grew in every region",
        "Two new colleagues in logistics",
        "intranet news page "
        "<https://intranet.demo.example/news?month=10&year=2024>"},
       {"Attachment:"}},
      {"Übersicht für März",
       {"From: CN=Anna Müller/O=Demo\n", "Attachment: Übersicht März.txt\n", "Grüße aus Köln – und",
        "Καλημέρα. Русский: Доброе утро. 中文：早上好。", "한국어: 안녕하세요.",
        "€ £ ¥ © ™ → ✓ 😀\n"},
       {"\xEF\xBF\xBD"}},
      {"Two reports", {"Attachment: report (2).txt\nAttachment: report.txt\n"}, {}},
      {"Annual report",
       {"\n\nAnnual report\nSection 1\n", "entry 1.1 <https://intranet.demo.example/r/1/1>",
        "entry 30.6 <https://intranet.demo.example/r/30/6>", "row 3\t90\tcustomer\t"},
       {}},
  };
  for (const auto& Case : Cases) {
    TRun Shown = Demo("show " + IdOf(Inbox, Case.Subject));
    EXPECT_EQ(Shown.ExitCode, 0) << Case.Subject << ": " << Shown.Output;
    EXPECT_TRUE(Has(Shown.Output, Case.Parts)) << Case.Subject;
    for (const std::string& Part : Case.Absent)
      EXPECT_FALSE(Contains(Shown.Output, Part)) << Case.Subject << ": " << Part;
  }
  // Every section of the long report came through; its body takes more than one item.
  const std::string Report = IdOf(Inbox, "Annual report");
  const std::string Text = Demo("show " + Report).Output;
  for (int Section = 1; Section <= 30; ++Section)
    EXPECT_TRUE(Contains(Text, "\nSection " + std::to_string(Section) + "\n")) << Section;
  EXPECT_EQ(std::count(Text.begin(), Text.end(), '['), 3) << "pictures";
  EXPECT_TRUE(Contains(Demo("show " + Report + " --records").Output, "\n     3 ")) << "one item";
  // A composed mail shows its table, its URL and its links; its records are listed.
  const std::string Id = IdOf(Demo("list sent --raw").Output, "Minutes of the kick-off");
  TRun Shown = Demo("show " + Id + " --records");
  ASSERT_EQ(Shown.ExitCode, 0) << Shown.Output;
  EXPECT_TRUE(
      Has(Shown.Output,
          {"From: CN=Jane Doe/O=Demo\n", "Subject: Minutes of the kick-off\n", "\n\nMinutes of the",
           "Design review\n3 June\n", "Project page\n", "\nAttachments:\n  REPORT.TXT\n",
           "\nLinks:\n  document link \"Budget\": replica ", "CDTABLECELL", "CDLINKEXPORT2"}));
  EXPECT_TRUE(
      Fails(RunVeskMail(Home(), Env() + " show 99999"), {"No mail 99999 in mail/jdoe.nsf"}));
}

// A demo made by an earlier build is made afresh, whatever it holds; one that is not vesk-mail's
// or that a later build made is used as it is.
TEST_F(VeskMailDemoTest, OnlyADemoOfAnEarlierBuildIsMadeAfresh) {
  ASSERT_EQ(Demo("connect").ExitCode, 0);
  const std::string Version = ReadFile(EnvDir() / "demo.version");
  ASSERT_FALSE(Version.empty());
  const std::string Settings = ReadFile(EnvDir() / "notes.ini");
  const struct {
    const char* Name;
    const char* Marker;  // nullptr: none
    const char* Ini;     // nullptr: the demo's own
    bool MadeAfresh;
  } Cases[] = {
      {"older version", "1\n", nullptr, true},
      {"demo from before the marker", nullptr, nullptr, true},
      {"later version", "99\n", nullptr, false},
      {"changed settings without a marker", nullptr, "[Notes]\nKeepIt=1\n", false},
  };
  for (const auto& Case : Cases) {
    std::filesystem::remove(EnvDir() / "demo.version");
    if (Case.Marker) std::ofstream(EnvDir() / "demo.version") << Case.Marker;
    std::ofstream(EnvDir() / "notes.ini") << (Case.Ini ? Case.Ini : Settings);
    std::ofstream(EnvDir() / "data" / "left.txt") << "from before";
    TRun Run = RunVeskMail(Home(), Env() + " connect");
    EXPECT_EQ(Contains(Run.Output, "Replacing the demo Notes environment of an earlier"),
              Case.MadeAfresh)
        << Case.Name << ": " << Run.Output;
    if (Case.MadeAfresh) {
      EXPECT_EQ(Run.ExitCode, 0) << Case.Name << ": " << Run.Output;
      EXPECT_EQ(ReadFile(EnvDir() / "demo.version"), Version) << Case.Name;
      EXPECT_FALSE(std::filesystem::exists(EnvDir() / "data" / "left.txt")) << Case.Name;
      EXPECT_TRUE(Has(Demo("list inbox").Output, {InboxCount})) << Case.Name;
    } else {
      EXPECT_EQ(ReadFile(EnvDir() / "notes.ini"), Case.Ini ? Case.Ini : Settings) << Case.Name;
      EXPECT_EQ(ReadFile(EnvDir() / "data" / "left.txt"), "from before") << Case.Name;
    }
    EXPECT_FALSE(std::filesystem::exists(Workshop())) << Case.Name;
  }
}

}  // namespace
