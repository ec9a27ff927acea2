// vesk-mail killed (SIGKILL) at random points while it sends an RTF mail with files through the
// plug-in's SendMail, or while it saves an attachment through Detach. The next vesk-mail finds
// the mail whole or nothing, and the saved file whole, as it was, or absent.
// VESK_KILL_TRIALS sets the number of trials of each (the soak target runs 1,000).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <random>
#include <string>

#include "DamageTools.h"
#include "FileText.h"
#include "MailFixture.h"
#include "TNotesDocumentCollection.h"
#include "TNotesRichTextItem.h"
#include "TempDir.h"
#include "VeskMailRun.h"

namespace {

std::string RandomBytes(size_t Size, unsigned Seed) {
  std::mt19937 random(Seed);
  std::string bytes(Size, '\0');
  for (char& byte : bytes) byte = static_cast<char>(random());
  return bytes;
}

// What one mail holds, read back from the database.
struct TMailContent {
  std::string Body;
  std::map<std::string, std::string> Files;
  bool operator==(const TMailContent&) const = default;
};

class MailKillTest : public MailFixture {
 protected:
  void SetUp() override {
    MailFixture::SetUp();
    std::filesystem::create_directories(FTemp);
    std::filesystem::create_directories(FFiles.Path() / "out");
    FSources = {{"figures.csv", "Region;Q3\nNorth;1344\n"}, {"scan.bin", RandomBytes(2 << 20, 7)}};
    for (const auto& [name, bytes] : FSources) vesktest::WriteFileText(FFiles.Path() / name, bytes);
  }

  // vesk-mail with Arguments, its temporary files under FTemp.
  std::vector<std::string> Command(const std::vector<std::string>& Arguments) const {
    std::vector<std::string> command{"/usr/bin/env", "TMPDIR=" + FTemp.string(), VESK_MAIL_PROGRAM};
    command.insert(command.end(), Arguments.begin(), Arguments.end());
    return command;
  }

  std::vector<std::string> SendCommand(const std::string& Subject) const {
    return Command({"send", "--to", "John Smith", "--subject", Subject, "--rtf", RTF_MAIL_BODY,
                    "--attach", (FFiles.Path() / "figures.csv").string(), "--attach",
                    (FFiles.Path() / "scan.bin").string()});
  }

  // Runs Arguments to its end, or kills it after Delay; true when it ended by itself.
  static bool RunOrKill(const std::vector<std::string>& Arguments,
                        std::chrono::microseconds Delay) {
    vesktest::ChildProcess child(Arguments);
    int exitCode = -1;
    return child.FinishesWithin(std::chrono::duration_cast<std::chrono::milliseconds>(Delay),
                                exitCode) &&
           exitCode == 0;
  }

  // The next start of vesk-mail, as a user's next run: it finishes what a killed send left.
  void NextStart() {
    vesktest::ChildProcess connect(Command({"connect"}));
    ASSERT_EQ(connect.Wait(), 0);
  }

  TMailContent Content(TNotesDocument& Mail) {
    TMailContent content;
    content.Body = TNotesRichTextItem::Create(Mail, "Body")->GetRichText().Text();
    for (int index = 0; index < Mail.GetAttachmentCount(); ++index) {
      const std::filesystem::path file = FFiles.Path() / "out" / "file";
      Mail.Detach(index, file.string());
      content.Files[Mail.GetAttachment(index)] = vesktest::ReadFileText(file);
    }
    return content;
  }

  // Each document of Database that Formula selects, by subject, with its content.
  std::multimap<std::string, TMailContent> Mails(const std::string& ServerName,
                                                 const std::string& File,
                                                 const std::string& Formula) {
    TNotesDatabase database;
    database.Open(ServerName, File);
    std::multimap<std::string, TMailContent> mails;
    auto found = database.Search(Formula, 0);
    for (int index = 0; index < found->Count(); ++index) {
      std::unique_ptr<TNotesDocument> mail = found->GetDocument(index);
      mails.emplace(mail->GetItemByNum(MAIL_SUBJECT_ITEM_NUM), Content(*mail));
    }
    return mails;
  }

  bool TempFilesLeft() const { return !std::filesystem::is_empty(FTemp); }

  vesktest::TempDir FFiles;
  const std::filesystem::path FTemp = FFiles.Path() / "tmp";
  std::map<std::string, std::string> FSources;
};

// How long Arguments take to run to their end.
std::chrono::microseconds RunTime(const std::vector<std::string>& Arguments, bool& Ended) {
  const auto start = std::chrono::steady_clock::now();
  vesktest::ChildProcess child(Arguments);
  Ended = child.Wait() == 0;
  return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                               start);
}

// One send that nothing interrupts gives the content every complete mail must have. Kills fall
// between the time vesk-mail takes to start and connect and the time a whole send takes; every
// other one in the last tenth of that, where the mail is stored after its import.
TEST_F(MailKillTest, AKilledSendLeavesTheRtfMailWholeOrNothing) {
  bool ended = false;
  const auto sendTime = RunTime(SendCommand("reference"), ended);
  ASSERT_TRUE(ended);
  const auto startTime = RunTime(Command({"connect"}), ended);
  ASSERT_TRUE(ended);
  const auto window = std::max<int64_t>((sendTime - startTime).count(), 1000);
  const auto reference = Mails(Server, "MAIL.BOX", "");
  ASSERT_EQ(reference.size(), 1u);
  const TMailContent whole = reference.begin()->second;
  ASSERT_GT(whole.Body.size(), 50000u);
  ASSERT_EQ(whole.Files.size(), 2u);
  EXPECT_EQ(whole.Files.at("SCAN.BIN"), FSources["scan.bin"]);

  const unsigned seed = std::random_device()();
  std::mt19937 random(seed);
  std::map<int, int> outcomes;  // 0 nothing, 1 deposited, 2 deposited with its sent copy
  for (int trial = 0, trials = KillTrials(); trial < trials; ++trial) {
    const std::string subject = "trial " + std::to_string(trial);
    const std::string where = subject + ", seed " + std::to_string(seed);
    const int64_t part = trial % 2 == 0 ? window : window / 10;
    const auto delay = startTime + std::chrono::microseconds(window - part + random() % part);
    if (RunOrKill(SendCommand(subject), delay)) continue;
    NextStart();
    const auto deposited = Mails(Server, "MAIL.BOX", "Subject = \"" + subject + "\"");
    ASSERT_LE(deposited.size(), 1u) << where;
    for (const auto& [name, content] : deposited) EXPECT_EQ(content, whole) << where;
    TNotesDatabase mailFile;
    mailFile.Open(Server, "mail/jdoe.nsf");
    const auto copies = Mails(Server, "mail/jdoe.nsf", "Subject = \"" + subject + "\"");
    ASSERT_LE(copies.size(), deposited.size()) << "a sent copy without its mail; " << where;
    for (const auto& [name, content] : copies) EXPECT_EQ(content, whole) << where;
    ++outcomes[static_cast<int>(deposited.size() + copies.size())];
    EXPECT_EQ(mailFile.Search("@IsAvailable($PendingDeposit)", 0)->Count(), 0) << where;
    EXPECT_FALSE(TempFilesLeft()) << where;
    for (const char* file : {"MAIL.BOX", "mail/jdoe.nsf"})
      ASSERT_EQ(vesktest::ValueOn(ServerDir() / file,
                                  "SELECT count(*) FROM pragma_integrity_check WHERE "
                                  "integrity_check <> 'ok'"),
                0)
          << file << "; " << where;
  }
  EXPECT_GT(outcomes[0], 0) << "no kill came before the mail was stored; seed " << seed;
  EXPECT_GT(outcomes[2], 0) << "no kill came after the mail was stored; seed " << seed;
  std::string counts;
  for (const auto& [state, count] : outcomes)
    counts += " " + std::to_string(state) + ":" + std::to_string(count);
  RecordProperty("outcomes", counts);
}

// Saving an attachment over a file, or where there is none, killed at random: the file is as it
// was, or whole, and nothing else is left in the folder.
TEST_F(MailKillTest, AKilledSaveLeavesTheFileAsItWasOrWhole) {
  std::unique_ptr<TNotesDocument> mail = NewMemo("Jane Doe", "scan");
  mail->Attach((FFiles.Path() / "scan.bin").string());
  mail->Save();
  const std::string id = std::to_string(mail->NoteID());
  const std::filesystem::path folder = FFiles.Path() / "saved", target = folder / "scan.bin";
  std::filesystem::create_directories(folder);
  const auto save = Command({"save", id, "scan.bin", folder.string(), "--force"});
  bool ended = false;
  const auto saveTime = RunTime(save, ended);
  ASSERT_TRUE(ended);
  ASSERT_EQ(vesktest::ReadFileText(target), FSources["scan.bin"]);

  const unsigned seed = std::random_device()();
  std::mt19937 random(seed);
  const std::string before = "the user's own file";
  int kept = 0, written = 0;
  for (int trial = 0, trials = KillTrials(); trial < trials; ++trial) {
    const std::string where = "trial " + std::to_string(trial) + ", seed " + std::to_string(seed);
    const bool existed = trial % 2 == 0;
    std::filesystem::remove(target);
    if (existed) vesktest::WriteFileText(target, before);
    RunOrKill(save, std::chrono::microseconds(random() % saveTime.count()));
    if (!std::filesystem::exists(target)) {
      EXPECT_FALSE(existed) << "the file was removed; " << where;
    } else {
      const std::string bytes = vesktest::ReadFileText(target);
      EXPECT_TRUE(bytes == FSources["scan.bin"] || (existed && bytes == before))
          << bytes.size() << " bytes; " << where;
      ++(bytes == before ? kept : written);
    }
    EXPECT_LE(std::distance(std::filesystem::directory_iterator(folder), {}), 1) << where;
  }
  EXPECT_GT(kept, 0) << "no kill came before the file was replaced; seed " << seed;
  EXPECT_GT(written, 0) << "no kill came after the file was written; seed " << seed;
}

}  // namespace
