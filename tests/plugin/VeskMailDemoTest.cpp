// vesk-mail's demo environment and mail commands, run as child processes: listing the demo
// folders, sending to another demo user and routing, non-delivery, the local replica.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "TempDir.h"
#include "VeskMailRun.h"

namespace {

class VeskMailDemoTest : public testing::Test {
 protected:
  std::string Home() const { return "HOME=" + Quoted(FHome.Path().string()); }
  std::filesystem::path EnvDir() const { return FHome.Path() / "demo"; }
  std::string Env() const { return "--env " + Quoted(EnvDir().string()); }

  // vesk-mail on the demo environment, made on first use; stdout only.
  TRun Demo(const std::string& Arguments) {
    return RunVeskMail(Home(), Env() + " " + Arguments, false);
  }

  // vesk-mail with the demo's settings changed as Changes says, in a settings file of its own.
  TRun WithSettings(const std::map<std::string, std::string>& Changes,
                    const std::string& Arguments) {
    std::istringstream Original(ReadFile(EnvDir() / "notes.ini"));
    std::ostringstream Changed;
    for (std::string Line; std::getline(Original, Line);) {
      const std::string Name = Line.substr(0, Line.find('='));
      if (!Changes.count(Name)) Changed << Line << "\n";
    }
    for (const auto& [Name, Value] : Changes) Changed << Name << "=" << Value << "\n";
    const std::filesystem::path Ini = FHome.Path() / "changed.ini";
    std::ofstream(Ini) << Changed.str();
    return RunVeskMail(Home() + " NOTES_INI=" + Quoted(Ini.string()), Arguments, false);
  }
  TRun AsJohn(const std::string& Arguments) {
    return WithSettings(
        {{"MailFile", "mail/jsmith.nsf"}, {"NotesRT_UserName", "CN=John Smith/O=Demo"}}, Arguments);
  }

  vesktest::TempDir FHome;
};

TEST_F(VeskMailDemoTest, TheDemoIsMadeOnceAndItsFoldersAreListed) {
  TRun First = RunVeskMail(Home(), Env() + " list inbox");
  ASSERT_EQ(First.ExitCode, 0) << First.Output;
  EXPECT_TRUE(Contains(First.Output, "Demo environment ready")) << First.Output;
  TRun Inbox = Demo("list inbox");
  EXPECT_FALSE(Contains(RunVeskMail(Home(), Env() + " list inbox").Output, "Creating"));
  EXPECT_EQ(Inbox.Output.rfind("ID ", 0), 0u) << Inbox.Output;
  EXPECT_TRUE(Contains(Inbox.Output, "John Smith/Demo")) << Inbox.Output;
  EXPECT_TRUE(Contains(Inbox.Output, "Quarterly figures")) << Inbox.Output;
  EXPECT_TRUE(Contains(Inbox.Output, "Lieferung / Teil 2")) << Inbox.Output;
  EXPECT_TRUE(Contains(Inbox.Output, "\n23 mails\n")) << Inbox.Output;
  EXPECT_TRUE(Contains(Demo("list sent").Output, "\n8 mails\n"));
  EXPECT_TRUE(Contains(Demo("list drafts").Output, "\n3 mails\n"));
  TRun Sent = Demo("list sent --raw");
  EXPECT_TRUE(Contains(Sent.Output, "|CN=Jane Doe/O=Demo|John Smith|Budget|0\n")) << Sent.Output;
  EXPECT_EQ(Demo("list outbox --raw").Output, Sent.Output);
}

TEST_F(VeskMailDemoTest, AMailSentToAnotherDemoUserArrivesAfterARouterPass) {
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
  TRun Johns = AsJohn("list inbox --raw");
  EXPECT_TRUE(Contains(Johns.Output, "|CN=Jane Doe/O=Demo|John Smith|Route me|0\n"))
      << Johns.Output;
  EXPECT_EQ(Demo("route").Output,
            "router pass on CN=Mail01/O=Demo: 0 delivered, 0 forwarded, 0 failed, 0 dead\n");
}

TEST_F(VeskMailDemoTest, AnUnknownRecipientGetsTheSenderANonDeliveryReport) {
  ASSERT_EQ(Demo("send --to 'Nobody Known' --subject 'Lost' --text x").ExitCode, 0);
  EXPECT_TRUE(Contains(Demo("route").Output, "0 delivered, 0 forwarded, 1 failed"));
  EXPECT_TRUE(Contains(Demo("list inbox").Output, "DELIVERY FAILURE")) << Demo("list inbox").Output;
}

TEST_F(VeskMailDemoTest, SendingToNobodyFailsAndSendsNothing) {
  TRun NoOption = RunVeskMail(Home(), Env() + " send --subject x");
  EXPECT_EQ(NoOption.ExitCode, 1);
  EXPECT_TRUE(Contains(NoOption.Output, "send needs --to or --cc")) << NoOption.Output;
  TRun Blank = RunVeskMail(Home(), Env() + " send --to ' , ' --subject x");
  EXPECT_EQ(Blank.ExitCode, 1);
  EXPECT_TRUE(Contains(Blank.Output, "No recipients")) << Blank.Output;
  EXPECT_TRUE(Contains(Demo("route").Output, ": 0 delivered, 0 forwarded, 0 failed, 0 dead"));
}

TEST_F(VeskMailDemoTest, ConnectTellsWhetherTheServerOrTheLocalReplicaServes) {
  TRun Server = Demo("connect");
  EXPECT_EQ(Server.Output,
            "connected to the mail file mail/jdoe.nsf on the mail server "
            "CN=Mail01/O=Demo\n");
  TRun Local = WithSettings({{"NotesRT_Unreachable", "CN=Mail01/O=Demo"}}, "connect");
  EXPECT_EQ(Local.Output,
            "connected to the mail file mail/jdoe.nsf, the local replica: the mail "
            "server CN=Mail01/O=Demo cannot be reached\n");
  TRun Replica = WithSettings({{"NotesRT_Unreachable", "CN=Mail01/O=Demo"}}, "list inbox");
  EXPECT_TRUE(Contains(Replica.Output, "\n23 mails\n")) << Replica.Output;
  TRun Nowhere = WithSettings({{"MailFile", "mail/nobody.nsf"}}, "connect");
  EXPECT_EQ(Nowhere.ExitCode, 1);
}

TEST_F(VeskMailDemoTest, ADemoLeftHalfMadeIsMadeAfresh) {
  std::filesystem::create_directories(EnvDir() / "data");
  std::ofstream(EnvDir() / "notes.ini") << "[Notes]\nDirectory=/nowhere\n";
  std::ofstream(EnvDir() / "demo.incomplete") << "";
  std::ofstream(EnvDir() / "data" / "leftover.nsf") << "junk";
  TRun Inbox = Demo("list inbox");
  EXPECT_EQ(Inbox.ExitCode, 0);
  EXPECT_TRUE(Contains(Inbox.Output, "\n23 mails\n")) << Inbox.Output;
  EXPECT_FALSE(std::filesystem::exists(EnvDir() / "data" / "leftover.nsf"));
  EXPECT_FALSE(std::filesystem::exists(EnvDir() / "demo.incomplete"));
}

TEST_F(VeskMailDemoTest, SettingsOfTheUsersOwnAreNeverReplaced) {
  std::filesystem::create_directories(EnvDir() / "data");
  const std::string Own = "[Notes]\nDirectory=" + (EnvDir() / "data").string() + "\n";
  std::ofstream(EnvDir() / "notes.ini") << Own;
  TRun Inbox = RunVeskMail(Home(), Env() + " list inbox");
  EXPECT_EQ(Inbox.ExitCode, 1);
  EXPECT_TRUE(Contains(Inbox.Output, "Cannot open the mail file")) << Inbox.Output;
  EXPECT_EQ(ReadFile(EnvDir() / "notes.ini"), Own);
}

}  // namespace
