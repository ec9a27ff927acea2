// vesk-mail's desktop commands and its log, run as child processes: opening documents with the
// desktop's default program, network names from a crafted mount table, errors through the
// exception handler, and "VESK.log" in the XDG state folder.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <regex>

#include "CompoundFileBuilder.h"
#include "DesktopHandler.h"
#include "FileText.h"
#include "TempDir.h"
#include "VeskMailRun.h"

namespace {

class VeskMailDesktopTest : public testing::Test {
 protected:
  VeskMailDesktopTest() {
    vesktest::WriteFileText(Mounts(),
                            "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
                            "2 1 0:40 / /mnt/team rw - cifs //fileserver/Team rw\n"
                            "3 1 0:42 / /net/home rw - nfs4 files:/export/home rw\n");
  }

  std::filesystem::path Mounts() const { return FDir.Path() / "mountinfo"; }
  std::filesystem::path StateHome() const { return FDir.Path() / "state"; }
  // Without Notes settings: the desktop commands must not need them.
  TRun Run(const std::string& Arguments) {
    return RunVeskMail("-u NOTES_INI HOME=" + Quoted(FDir.Path().string()) +
                           " VESK_MOUNTINFO=" + Quoted(Mounts().string()) +
                           " XDG_STATE_HOME=" + Quoted(StateHome().string()),
                       Arguments);
  }

  vesktest::TempDir FDir;
};

TEST_F(VeskMailDesktopTest, CommandsPrintTheirResultsAndFailThroughTheExceptionHandler) {
  vesktest::DesktopHandler Handler;
  const std::string Document = (Handler.Dir() / "my report.txt").string();
  vesktest::WriteFileText(Document, "text\n");
  const std::string Binary = (Handler.Dir() / "data.bin").string();
  vesktest::WriteFileText(Binary, std::string("\x00\x01\xff", 3));
  const std::string Word = (Handler.Dir() / "report.doc").string();
  vesktest::WriteFileText(
      Word,
      vesktest::BuildCompoundFile(
          {{u"\005SummaryInformation", vesktest::SummaryStream({vesktest::Lpstr(4, "Jane\tDoe"),
                                                                vesktest::Lpstr(2, "Plans")})}}));
  struct {
    std::string Arguments;
    int ExitCode;
    std::string Output;
  } Cases[] = {
      {"open " + Quoted(Document), 0, "42 opened\n"},
      {"open " + Quoted(Handler.Dir().string() + "/missing.txt"), 1,
       "2 the file is missing\nvesk-mail: Cannot open " + Handler.Dir().string() +
           "/missing.txt: the file is missing\n"},
      {"open " + Quoted(Binary), 1,
       "31 no program handles it\nvesk-mail: Cannot open " + Binary + ": no program handles it\n"},
      {"unc /mnt/team/Plans/2024.xlsx /net/home/jane /var/x", 0,
       "\\\\fileserver\\Team\\Plans\\2024.xlsx\n\\\\files\\export\\home\\jane\n/var/x\n"},
      {"docinfo --raw " + Quoted(Word) + " " + Quoted(Binary), 0,
       Word + "\t1\tJane Doe\tPlans\t\t\t\t\n" + Binary + "\t0\t\t\t\t\t\t\n"},
      {"docinfo " + Quoted(Binary), 0, Binary + ": not a compound document\n"},
      {"drives", 0, "\\\\FILESERVER\\TEAM=/mnt/team\n\\\\FILES\\EXPORT\\HOME=/net/home\n"},
      {"unc", 1, "vesk-mail: unc needs at least one path; vesk-mail --help lists the commands\n"},
  };
  for (const auto& Case : Cases) {
    Handler.Forget();
    TRun Result = Run(Case.Arguments);
    EXPECT_EQ(Result.ExitCode, Case.ExitCode) << Case.Arguments;
    // What gio itself says about a failure may come first.
    EXPECT_TRUE(Result.Output.ends_with(Case.Output)) << Case.Arguments << "\n" << Result.Output;
  }
  Handler.Forget();
  ASSERT_EQ(Run("open " + Quoted(Document)).ExitCode, 0);
  auto Arguments = Handler.Arguments();
  ASSERT_TRUE(Arguments);
  EXPECT_EQ(*Arguments, std::vector<std::string>{Document});

  // A mount table that cannot be read is the system's error, shown in a message box.
  vesktest::WriteFileText(Mounts(), "");
  std::filesystem::remove(Mounts());
  TRun Broken = Run("drives");
  EXPECT_TRUE(Fails(Broken, {Mounts().string()}));
  EXPECT_EQ(Broken.Output.rfind("vesk-mail: ", 0), 0u) << Broken.Output;
}

TEST_F(VeskMailDesktopTest, LogKeepsEveryRunInTheStateFolderAndVerboseShowsIt) {
  Run("--log unc /mnt/team/a");
  TRun Verbose = Run("--log --verbose open /nonexistent/x.txt");
  EXPECT_EQ(Verbose.ExitCode, 1);
  const std::filesystem::path Folder = StateHome() / "vesk";
  struct stat Info;
  ASSERT_EQ(stat(Folder.c_str(), &Info), 0);
  EXPECT_EQ(Info.st_mode & 0777, 0700u);
  const std::string Log = ReadFile(Folder / "VESK.log");
  // The tick count, the date and time, the text.
  std::regex Line(R"((-?\d+) \S+( \S+)? ((---|!!!) .*)\r)");
  std::vector<std::string> Texts;
  std::istringstream Lines(Log);
  for (std::string Text; std::getline(Lines, Text);) {
    std::smatch Match;
    ASSERT_TRUE(std::regex_match(Text, Match, Line)) << Text;
    Texts.push_back(Match[3]);
  }
  EXPECT_EQ(Texts, (std::vector<std::string>{
                       "--- vesk-mail --log unc /mnt/team/a",
                       "--- unc: done",
                       "--- vesk-mail --log --verbose open /nonexistent/x.txt",
                       "--- Opening /nonexistent/x.txt",
                       "!!! open: Cannot open /nonexistent/x.txt: its folder is missing",
                   }));
  // Verbose shows the same texts on stderr.
  for (size_t Index = 2; Index < Texts.size(); ++Index)
    EXPECT_NE(Verbose.Output.find(Texts[Index] + "\n"), std::string::npos) << Verbose.Output;
}

// Drops as a Linux desktop delivers them: files given as paths or as a file manager's uri-list on
// stdin, a link and text; stored references split; shortcuts of dragged links written once.
TEST_F(VeskMailDesktopTest, DropsGiveReferenceLinesAndLinksGiveShortcuts) {
  const std::filesystem::path Dir = FDir.Path() / "drop dir";
  std::filesystem::create_directories(Dir / "Some Folder");
  const std::string Word = (Dir / "report.doc").string();
  vesktest::WriteFileText(
      Word, vesktest::BuildCompoundFile({{u"\005SummaryInformation",
                                          vesktest::SummaryStream({vesktest::Lpstr(2, "Plans"),
                                                                   vesktest::Lpstr(3, "Budget"),
                                                                   vesktest::Lpstr(4, "Jane")})}}));
  const std::string Folder = (Dir / "Some Folder").string();
  const std::string Lines = "1\t" + Word + "\tPlans: Budget, Jane\n1\t" + Folder + "\tORDNER\n";
  const std::string UriList = (FDir.Path() / "uris").string();
  vesktest::WriteFileText(UriList, "# dragged\r\nfile://" + Dir.string() +
                                       "/report.doc\r\nfile://" + Dir.string() +
                                       "/Some%20Folder\r\n");
  vesktest::WriteFileText(FDir.Path() / "text", "From\tSubject\nEva\tPlan\n");
  struct {
    std::string Arguments;
    int ExitCode;
    std::string Output;
  } Cases[] = {
      {"attm " + Quoted(Word) + " " + Quoted(Folder), 0, Lines},
      {"attm --uri-list - < " + Quoted(UriList), 0, Lines},
      {"attm --uri-list " + Quoted(UriList), 0, Lines},
      {"attm --url https://example.org/x", 0, "2\thttps://example.org/x\t\n"},
      {"attm --text " + Quoted((FDir.Path() / "text").string()), 0, ""},
      {"attm --uri-list " + Quoted((FDir.Path() / "none").string()), 1,
       "vesk-mail: I/O error opening \"" + (FDir.Path() / "none").string() +
           "\": No such file or directory\n"},
      {"attm --split 'https://Host:8080/a?b=c:d'", 0,
       "Path:      https://\nFile name: Host:8080/a?b=c:d\nTitle:     INTERNET\n"},
      {"shortcut https://example.org/x --name 'a/b' --dir " + Quoted(Dir.string()), 0,
       (Dir / "a_b.url").string() + "\n"},
      {"shortcut https://example.org/y --name 'a/b' --dir " + Quoted(Dir.string()), 1,
       "vesk-mail: " + (Dir / "a_b.url").string() +
           " exists already; shortcut does not overwrite a file\n"},
      {"shortcut \"$(printf 'https://x\\nIconFile=evil')\" --dir " + Quoted(Dir.string()), 1,
       "vesk-mail: A URL with control characters is no shortcut\n"},
  };
  for (const auto& Case : Cases) {
    TRun Result = RunVeskMail("-u NOTES_INI HOME=" + Quoted(FDir.Path().string()), Case.Arguments);
    EXPECT_EQ(Result.ExitCode, Case.ExitCode) << Case.Arguments;
    EXPECT_EQ(Result.Output, Case.Output) << Case.Arguments;
  }
  // The shortcut holds the link the first run was given, and file(1) knows it for one.
  EXPECT_EQ(ReadFile(Dir / "a_b.url"), "[InternetShortcut]\r\nURL=https://example.org/x");
  if (vesktest::RunCommand("file -v >/dev/null 2>&1").ExitCode != 0) return;
  EXPECT_EQ(
      vesktest::RunCommand("file -b --mime-type " + Quoted((Dir / "a_b.url").string())).Output,
      "application/x-mswinurl\n");
}

}  // namespace
