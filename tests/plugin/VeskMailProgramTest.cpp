// The command-line host vesk-mail, run as a child process the way a user runs it.
#include <gtest/gtest.h>

#include <fstream>

#include "NotesSession.h"
#include "ScopedEnv.h"
#include "TAddressBookAdmin.h"
#include "TNotesDatabase.h"
#include "TNotesDocument.h"
#include "TNotesFolder.h"
#include "TempDir.h"
#include "VeskMailRun.h"

namespace {

class VeskMailProgramTest : public testing::Test {
 protected:
  std::string Home() const { return "HOME=" + Quoted(FHome.Path().string()); }
  // An environment of the user's own in Dir, with a data directory and nothing else, for the
  // tests that are not about the demo environment vesk-mail would make.
  static std::string OwnEnv(const std::filesystem::path& Dir) {
    std::filesystem::create_directories(Dir / "data");
    std::ofstream(Dir / "notes.ini") << "[Notes]\nDirectory=" << (Dir / "data").string() << "\n";
    return "--env " + Quoted(Dir.string());
  }

  vesktest::TempDir FHome;
  const std::filesystem::path EnvDir = FHome.Path() / "env";
};

TEST_F(VeskMailProgramTest, RegistersThePluginAndMakesItsOwnEnvironmentWhenNoneIsConfigured) {
  TRun Run = RunVeskMail(Home(), "--env " + Quoted(EnvDir.string()));
  EXPECT_EQ(Run.ExitCode, 0) << Run.Output;
  EXPECT_TRUE(
      Has(Run.Output, {"plug-in \"vpiLNMail\" (TvpiLNMail) registered, Version 6.0 Professional\n",
                       "commands registered: 0\n", "service \"MailInterface\" registered\n",
                       "MailInterface: IsConnected = false\n", "plug-in module unloaded\n",
                       "Demo environment ready: " + (EnvDir / "notes.ini").string()}));
  EXPECT_TRUE(Contains(ReadFile(EnvDir / "notes.ini"), "MailFile=mail/jdoe.nsf\n"));
  // Without configured settings it makes an environment of its own.
  std::filesystem::path DataHome = FHome.Path() / "xdg";
  Run = RunVeskMail("-u NOTES_INI XDG_DATA_HOME=" + Quoted(DataHome.string()) + " " + Home(), "");
  EXPECT_EQ(Run.ExitCode, 0) << Run.Output;
  std::filesystem::path Ini = DataHome / "vesk-mail" / "notes.ini";
  EXPECT_TRUE(Has(Run.Output, {"Notes settings: " + Ini.string() + "\n"}));
  EXPECT_TRUE(Contains(ReadFile(Ini), "Directory=" + (DataHome / "vesk-mail" / "data").string()));

  // Without XDG_DATA_HOME the folder is under the home directory; a second run reuses it.
  std::filesystem::path Default = FHome.Path() / ".local" / "share" / "vesk-mail" / "notes.ini";
  for (int Pass = 0; Pass < 2; ++Pass) {
    Run = RunVeskMail("-u NOTES_INI -u XDG_DATA_HOME " + Home(), "");
    EXPECT_EQ(Run.ExitCode, 0) << Run.Output;
    EXPECT_TRUE(Has(Run.Output, {"Notes settings: " + Default.string() + "\n"}));
  }
}

// Bad options and settings fail with exit code 1 and a message; --help prepares nothing; --env
// wins over configured settings.
TEST_F(VeskMailProgramTest, OptionsAndFailuresGiveTheirExitCodes) {
  const std::filesystem::path Chosen = FHome.Path() / "chosen";
  const std::string Missing = "NOTES_INI=/nonexistent/notes.ini ";
  const struct {
    std::string Variables, Arguments;
    int ExitCode;
    const char* Message;
  } Cases[] = {
      {"", OwnEnv(FHome.Path()) + " --plugin /nonexistent/libNothing.so", 1,
       "vesk-mail: Can't load package /nonexistent/libNothing.so"},
      {Missing, "", 1, "vesk-mail: "},
      {"", "--frobnicate", 1, "vesk-mail: Unknown option --frobnicate"},
      {"", "--env", 1, "Option --env needs an argument"},
      {"", "--help", 0, "Usage: vesk-mail [--env DIR] [--plugin PATH]"},
      {Missing, "--env " + Quoted(Chosen.string()), 0, "Demo environment ready"},
  };
  for (const auto& Case : Cases) {
    TRun Run = RunVeskMail(Case.Variables + Home(), Case.Arguments);
    EXPECT_EQ(Run.ExitCode, Case.ExitCode) << Case.Arguments << ": " << Run.Output;
    EXPECT_TRUE(Has(Run.Output, {Case.Message})) << Case.Arguments;
  }
  EXPECT_TRUE(std::filesystem::exists(Chosen / "notes.ini"));
  EXPECT_FALSE(std::filesystem::exists(FHome.Path() / ".local")) << "help prepared an environment";
}

// The address book is made by the admin program in the environment vesk-mail prepared.
TEST_F(VeskMailProgramTest, LookupPrintsThePeopleFound) {
  const std::string Env = OwnEnv(EnvDir);
  std::string Admin =
      "NOTES_INI=" + Quoted((EnvDir / "notes.ini").string()) + " " + Quoted(NABADMIN_PROGRAM) + " ";
  for (const std::string Arguments :
       {"create names.nsf",
        "add-person names.nsf --first John --last Doe --company Acme "
        "--internet john@acme.example",
        "add-person names.nsf --first Joan --last Smith", "add-person names.nsf --last Brown"})
    ASSERT_EQ(system((Admin + Arguments + " >/dev/null").c_str()), 0) << Arguments;

  const auto Lookup = [&](const std::string& Arguments) {
    return RunVeskMail(Home(), Env + " lookup" + Arguments);
  };
  TRun Found = Lookup(" 'jo*'");
  EXPECT_EQ(Found.ExitCode, 0) << Found.Output;
  EXPECT_EQ(Found.Output, "Joan Smith\nJohn Doe, Acme <john@acme.example>\n");
  EXPECT_EQ(Lookup(" --raw 'John Doe'").Output, "John\nDoe\nAcme\njohn@acme.example\n");
  EXPECT_EQ(Lookup("").Output, "Brown\nJoan Smith\nJohn Doe, Acme <john@acme.example>\n");
  TRun Nobody = Lookup(" nobody");
  EXPECT_EQ(Nobody.ExitCode, 0);
  EXPECT_EQ(Nobody.Output, "vesk-mail: nobody in the address books matches \"nobody\"\n");
  EXPECT_TRUE(Fails(Lookup(" John Doe"), {"lookup takes one search text"}));
}

// Texts that would drive a terminal: a window title, a screen clear, colours, a bell, a C1
// control, and a tab and line breaks that would break the output's lines.
const char* const Hostile =
    "\x1b]0;pwned\x07\x1b[2J\x1b[31mRed\tTab\r\nNext\x7f\xc2\x9b"
    "2J";
const char* const Harmless = "?]0;pwned??[2J?[31mRed Tab";

// Control characters in any field, in every output form, are made harmless.
TEST_F(VeskMailProgramTest, FieldsCannotControlTheTerminal) {
  const std::string Env = OwnEnv(EnvDir);
  std::ofstream(EnvDir / "notes.ini", std::ios::app) << "MailFile=mail.nsf\nNAMES=names.nsf\n";
  {
    vesktest::ScopedEnv Ini("NOTES_INI", (EnvDir / "notes.ini").c_str());
    NotesObjectsInitialize();
    {
      TAddressBookAdmin::CreateBook("", "names.nsf", "Names");
      TAddressBookAdmin("", "names.nsf")
          .AddPerson({"Eve", "Hostile", Hostile, "", "", "", "", "", ""});
      TNotesDatabase MailFile;
      MailFile.CreateNew("", "mail.nsf", "mail.ntf");
      std::unique_ptr<TNotesDocument> Mail = MailFile.CreateDocument();
      Mail->SetItemByNum(MAIL_FROM_ITEM_NUM, Hostile);
      Mail->SetItemByNum(MAIL_SUBJECT_ITEM_NUM, Hostile);
      Mail->Save();
      TNotesFolder(MailFile, "($Inbox)").AddDocuments({Mail.get()});
    }
    NotesObjectsFinalize();
  }
  for (const char* Command : {"list inbox", "list inbox --raw", "lookup Eve", "lookup Eve --raw"}) {
    TRun Run = RunVeskMail(Home(), Env + " " + Command);
    EXPECT_EQ(Run.ExitCode, 0) << Command << ": " << Run.Output;
    EXPECT_TRUE(Has(Run.Output, {Harmless})) << Command;
    for (unsigned char C : Run.Output)
      ASSERT_TRUE(C == '\n' || (C >= 0x20 && C != 0x7f)) << Command << ": " << Run.Output;
    EXPECT_FALSE(Contains(Run.Output, "\xc2\x9b")) << Command;
  }
}

// Errors a user can meet name the setting or the file at fault.
TEST_F(VeskMailProgramTest, ErrorsNameTheSettingOrFileAtFault) {
  const std::string Env = OwnEnv(EnvDir);
  const std::string Settings = ReadFile(EnvDir / "notes.ini") +
                               "MailFile=mail.nsf\nNAMES=names.nsf\n"
                               "NotesRT_UserName=CN=Jane Doe/O=Acme\n";
  std::ofstream(EnvDir / "notes.ini") << Settings;
  {
    vesktest::ScopedEnv Ini("NOTES_INI", (EnvDir / "notes.ini").c_str());
    NotesObjectsInitialize();
    TNotesDatabase().CreateNew("", "mail.nsf", "mail.ntf");
    NotesObjectsFinalize();
  }
  std::ofstream(EnvDir / "data" / "names.nsf") << "not an address book";
  std::string Many;
  for (int Index = 0; Index < 10000; ++Index) Many += "P" + std::to_string(Index) + ",";
  const struct {
    const char* Setting;  // added to the settings
    std::string Command;
    const char* Named;
  } Cases[] = {
      {"", "send --to 'John Smith' --text x", "setting MailServer"},
      {"", "lookup John", "names.nsf"},
      {"MailServer=CN=Mail/O=Acme\n", "connect", "NotesRT_ServersDir"},
      {"", "send --to '" + Many + "' --text x", "Too many recipients"},
  };
  for (const auto& Case : Cases) {
    std::ofstream(EnvDir / "notes.ini") << Settings << Case.Setting;
    TRun Run = RunVeskMail(Home(), Env + " " + Case.Command);
    EXPECT_EQ(Run.ExitCode, 1) << Case.Named;
    EXPECT_TRUE(Contains(Run.Output, Case.Named)) << Run.Output.substr(0, 2000);
  }
}

}  // namespace
