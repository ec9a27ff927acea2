// Opening files and programs: parameter words, the desktop's default program through gio, and
// the Windows result codes.
#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>

#include "DesktopHandler.h"
#include "FileText.h"
#include "ShellLauncher.h"
#include "ShellWords.h"
#include "Spawn.h"
#include "TempDir.h"

namespace {

using Words = std::vector<std::string>;

TEST(ShellWords, QuotesAndBackslashesButNoExpansion) {
  const std::pair<const char*, Words> Cases[] = {
      {"", {}},
      {"  a\tb \n c ", {"a", "b", "c"}},
      {"'a b' \"c d\" e\\ f", {"a b", "c d", "e f"}},
      {"\"say \\\"hi\\\" \\\\ \\n\"", {"say \"hi\" \\ \\n"}},
      {"'it''s' '\\'", {"its", "\\"}},
      {"$(rm -rf ~) *.txt `id` ;|&", {"$(rm", "-rf", "~)", "*.txt", "`id`", ";|&"}},
      {"a\"b c\"d 'unclosed x", {"ab cd", "unclosed x"}},
      {"-x --opt=\"1 2\"", {"-x", "--opt=1 2"}},
  };
  for (const auto& [Text, Expected] : Cases) EXPECT_EQ(SplitShellWords(Text), Expected) << Text;
}

// Our children that have exited and were not reaped.
int ZombieChildren() {
  int Count = 0;
  DIR* Proc = opendir("/proc");
  while (dirent* Entry = readdir(Proc)) {
    std::ifstream Stat(std::string("/proc/") + Entry->d_name + "/stat");
    std::string Line;
    if (!std::getline(Stat, Line) || Line.rfind(')') == std::string::npos) continue;
    char State = 0;
    int Parent = 0;
    if (sscanf(Line.c_str() + Line.rfind(')') + 1, " %c %d", &State, &Parent) == 2 &&
        State == 'Z' && Parent == getpid())
      ++Count;
  }
  closedir(Proc);
  return Count;
}

TEST(Spawn, WaitedProgramsReportHowTheyEndedAndNoneStaysOurZombie) {
  using namespace std::chrono_literals;
  using TKind = TSpawnResult::TKind;
  vesktest::TempDir Dir;
  // Exits 0 only when its standard input is empty and it leads a process group of its own.
  const std::string Isolated =
      "[ -z \"$(cat)\" ] && [ \"$(cut -d' ' -f5 /proc/$$/stat)\" = $$ ] && [ $PWD = " +
      Dir.Path().string() + " ]";
  struct {
    const char* Name;
    Words Argv;
    std::string Directory;
    TKind Kind;
    int Value;
  } Cases[] = {
      {"exit status", {"/bin/sh", "-c", "exit 3"}, "", TSpawnResult::skExited, 3},
      {"killed", {"/bin/sh", "-c", "kill -9 $$"}, "", TSpawnResult::skExited, 128 + 9},
      {"own group, no input",
       {"/bin/sh", "-c", Isolated},
       Dir.Path().string(),
       TSpawnResult::skExited,
       0},
      {"missing program", {(Dir.Path() / "none").string()}, "", TSpawnResult::skExecFailed, ENOENT},
      {"missing folder",
       {"/bin/true"},
       (Dir.Path() / "none").string(),
       TSpawnResult::skExecFailed,
       ENOENT},
  };
  for (const auto& Case : Cases) {
    TSpawnResult Result = SpawnDetached(Case.Argv, Case.Directory, true, 10s);
    EXPECT_EQ(Result.Kind, Case.Kind) << Case.Name;
    EXPECT_EQ(Result.Kind == TSpawnResult::skExited ? Result.ExitStatus : Result.Error, Case.Value)
        << Case.Name;
  }
  // No program stays our zombie.
  EXPECT_EQ(SpawnDetached({"/bin/true"}, "", false, 10s).Kind, TSpawnResult::skStarted);
  EXPECT_EQ(SpawnDetached({"/bin/sleep", "0.3"}, "", true, 20ms).Kind, TSpawnResult::skTimedOut);
  usleep(600000);
  // The program waited for in vain has exited; the next start reaps it.
  EXPECT_EQ(ZombieChildren(), 1);
  EXPECT_EQ(SpawnDetached({"/bin/true"}, "", true, 10s).Kind, TSpawnResult::skExited);
  EXPECT_EQ(ZombieChildren(), 0);
}

class LauncherTest : public testing::Test {
 protected:
  vesktest::DesktopHandler Handler;
  vesktest::TempDir Dir;
  TDesktopLauncher Launcher;
};

TEST_F(LauncherTest, DocumentsReachTheDefaultProgramIntactAndProgramsStartDirectly) {
  const char* Names[] = {"plain.txt",        "with blanks.txt",    "quote\"s 'and' more.txt",
                         "semi;colon.txt",   "$(touch pwned).txt", "line\nbreak.txt",
                         "-leading-dash.txt"};
  for (const char* Name : Names) {
    std::string Path = Dir.Write(Name, "some text\n");
    Handler.Forget();
    EXPECT_EQ(Launcher.Open({Path, "", "", 1}), SE_OPEN_SUCCEEDED) << Name;
    auto Arguments = Handler.Arguments();
    ASSERT_TRUE(Arguments) << Name;
    EXPECT_EQ(*Arguments, Words{Path}) << Name;
  }
  // A relative name is found in the given folder.
  Handler.Forget();
  EXPECT_EQ(Launcher.Open({"-leading-dash.txt", "", Dir.Path().string(), 1}), SE_OPEN_SUCCEEDED);
  ASSERT_TRUE(Handler.Arguments());
  EXPECT_EQ(Handler.Arguments()->at(0), (Dir.Path() / "-leading-dash.txt").string());
  EXPECT_FALSE(std::filesystem::exists(Dir.Path() / "pwned"));
  EXPECT_FALSE(std::filesystem::exists("pwned"));
  // Programs start directly with their parameter words.
  std::string Program =
      Dir.Write("program",
                "#!/bin/sh\npwd > \"$0.cwd\"\nprintf '%s\\0' \"$@\" > \"$0.tmp\" && "
                "mv \"$0.tmp\" \"$0.argv\"\n");
  chmod(Program.c_str(), 0755);
  vesktest::TempDir WorkDir;
  ASSERT_EQ(Launcher.Open({Program, "-a 'two words' \"$(id)\" ;", WorkDir.Path().string(), 1}),
            SE_OPEN_SUCCEEDED);
  for (int Wait = 0; Wait < 1000 && !std::filesystem::exists(Program + ".argv"); ++Wait)
    usleep(10000);
  using namespace std::string_literals;
  EXPECT_EQ(vesktest::ReadFileText(Program + ".argv"), "-a\0two words\0$(id)\0;\0"s);
  EXPECT_EQ(vesktest::ReadFileText(Program + ".cwd"), WorkDir.Path().string() + "\n");
}

TEST_F(LauncherTest, FailuresHaveTheirWindowsCodes) {
  std::string Binary = Dir.Write("data.bin", std::string("\x00\x01\x02\xff", 4));
  std::string PlainFile = Dir.Write("plain", "x");
  const std::pair<TShellOpenRequest, int> Cases[] = {
      {{(Dir.Path() / "missing.txt").string(), "", "", 1}, SE_ERR_FNF},
      {{(Dir.Path() / "no-folder/missing.txt").string(), "", "", 1}, SE_ERR_PNF},
      {{PlainFile + "/below-a-file.txt", "", "", 1}, SE_ERR_PNF},
      {{"x.txt", "", (Dir.Path() / "no-folder").string(), 1}, SE_ERR_PNF},
      {{Binary, "", "", 1}, SE_ERR_NOASSOC},
      {{"outlook:00000000ABCDEF", "", "", 1}, SE_ERR_NOASSOC},
  };
  for (const auto& [Request, Expected] : Cases)
    EXPECT_EQ(Launcher.Open(Request), Expected) << Request.File;
  if (geteuid() != 0) {
    std::string Secret = Dir.Write("secret.txt", "x");
    chmod(Secret.c_str(), 0);
    EXPECT_EQ(Launcher.Open({Secret, "", "", 1}), SE_ERR_ACCESSDENIED);
  }
}

}  // namespace
