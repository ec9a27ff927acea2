// Settings in notes.ini, the runtime's initialisation, threads and signal handlers, and the texts
// of its statuses.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "FileText.h"
#include "StorageFixture.h"
#include "TestNotesEnv.h"
#include "core/SignalHandlers.h"
#include "notesapi/acl.h"
#include "notesapi/bsafeerr.h"
#include "notesapi/clerr.h"
#include "notesapi/foldman.h"
#include "notesapi/fterr.h"
#include "notesapi/idtable.h"
#include "notesapi/mailserv.h"
#include "notesapi/miscerr.h"
#include "notesapi/names.h"
#include "notesapi/niferr.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsferr.h"
#include "notesapi/nsfsearc.h"
#include "notesapi/odserr.h"
#include "notesapi/osenv.h"
#include "notesapi/oserr.h"
#include "notesapi/osfile.h"
#include "notesapi/osmem.h"
#include "notesapi/osmisc.h"
#include "notesapi/ossignal.h"
#include "notesapi/srverr.h"

namespace {

using vesktest::ReadFileText;
using vesktest::WriteFileText;

std::string Setting(const char* Name) {
  char value[MAXENVVALUE];
  if (!OSGetEnvironmentString(Name, value, sizeof value - 1)) return "<unset>";
  return value;
}

using Settings = runtimetest::RuntimeTest;

void Busy() {}

}  // namespace

TEST_F(Settings, NamesIgnoreCaseAndAnUnsetNameGivesFalseAndAnEmptyString) {
  for (const char* name : {"Directory", "DIRECTORY", "directory"})
    EXPECT_EQ(Setting(name), FEnv.DataDir().string()) << name;
  char value[16];
  std::memset(value, 'x', sizeof value);
  EXPECT_FALSE(OSGetEnvironmentString("NoSuchSetting", value, sizeof value - 1));
  EXPECT_STREQ(value, "");
  EXPECT_EQ(OSGetEnvironmentLong("NoSuchSetting"), 0);
  EXPECT_FALSE(OSGetEnvironmentString(nullptr, value, sizeof value - 1));
}

TEST_F(Settings, ValuesAreCutAtACharacterAndUnstorableOnesLeaveTheFileAlone) {
  // "ab" and a Cyrillic letter: group byte 0x05 and its data byte.
  WriteFileText(FEnv.IniFile(), "[Notes]\nName=ab\x05\xC6z\n");
  char value[8];
  std::memset(value, 'x', sizeof value);
  EXPECT_TRUE(OSGetEnvironmentString("Name", value, 4));
  EXPECT_STREQ(value, "ab");
  EXPECT_EQ(value[4], 'x');
  EXPECT_TRUE(OSGetEnvironmentString("Name", value, 5));
  EXPECT_STREQ(value, "ab\x05\xC6");
  std::string before = ReadFileText(FEnv.IniFile());
  OSSetEnvironmentVariable("Bad\nName", "1");
  OSSetEnvironmentVariable("Name", "two\nlines");
  OSSetEnvironmentVariable("A=B", "1");
  OSSetEnvironmentVariable("", "1");
  OSSetEnvironmentVariable(nullptr, "1");
  EXPECT_EQ(ReadFileText(FEnv.IniFile()), before);
}

// The file is replaced by renaming a complete new one over it, never rewritten in place.
TEST_F(Settings, WritesAreReadBackKeepTheOtherLinesAndRewriteTheFileWhole) {
  WriteFileText(FEnv.IniFile(),
                "[Notes]\n; a comment\nDirectory=/data\nKeepMe=1\n\n[Other]\nOtherKey=2\n");
  OSSetEnvironmentVariable("directory", "/elsewhere");
  OSSetEnvironmentVariable("MailServer", "CN=Srv1/O=Acme");
  OSSetEnvironmentInt("Count", -42);
  EXPECT_EQ(Setting("Directory"), "/elsewhere");
  EXPECT_EQ(Setting("MailServer"), "CN=Srv1/O=Acme");
  EXPECT_EQ(OSGetEnvironmentLong("Count"), -42);
  EXPECT_EQ(ReadFileText(FEnv.IniFile()),
            "[Notes]\n; a comment\ndirectory=/elsewhere\nKeepMe=1\n\nMailServer=CN=Srv1/O=Acme\n"
            "Count=-42\n[Other]\nOtherKey=2\n");
  // An empty value keeps the line; what others write is seen.
  OSSetEnvironmentVariable("MailFile", "");
  char value[8] = "x";
  EXPECT_TRUE(OSGetEnvironmentString("MailFile", value, sizeof value - 1));
  EXPECT_STREQ(value, "");
  EXPECT_NE(ReadFileText(FEnv.IniFile()).find("\nMailFile=\n"), std::string::npos);
  WriteFileText(FEnv.IniFile(), "[Notes]\nPorts=TCPIP,LAN0\n");
  EXPECT_EQ(Setting("Ports"), "TCPIP,LAN0");
  ASSERT_EQ(chmod(FEnv.IniFile().c_str(), 0600), 0);
  struct stat before = {}, after = {};
  ASSERT_EQ(stat(FEnv.IniFile().c_str(), &before), 0);
  OSSetEnvironmentVariable("Ports", "TCPIP");
  ASSERT_EQ(stat(FEnv.IniFile().c_str(), &after), 0);
  EXPECT_NE(before.st_ino, after.st_ino);
  EXPECT_EQ(after.st_mode & 0777, 0600u);
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(FEnv.Root()))
    ++files;
  EXPECT_EQ(files, 3);  // notes.ini, data/, registry/: no temporary file left
}

TEST(SettingsBeforeInit, AreReadFromTheFile) {
  vesktest::TestNotesEnv env(std::map<std::string, std::string>{{"NAMES", "names.nsf,extra.nsf"}});
  EXPECT_EQ(Setting("names"), "names.nsf,extra.nsf");
  setenv(NOTESRT_INI_ENV, (env.Root() / "missing.ini").c_str(), 1);
  EXPECT_EQ(Setting("names"), "<unset>");
}

TEST_F(Settings, DirectoriesFitMaxPathOrComeBackEmpty) {
  char path[MAXPATH + 1];
  path[MAXPATH] = 'x';
  OSGetIniFileName(path);
  EXPECT_EQ(path, FEnv.IniFile().string());
  EXPECT_EQ(OSGetDataDirectory(path), FEnv.DataDir().string().size());
  EXPECT_EQ(path, FEnv.DataDir().string());
  OSGetExecutableDirectory(path);
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(path) / "libnotesrt.so")) << path;
  OSSetEnvironmentVariable("Directory", ("/" + std::string(MAXPATH, 'd')).c_str());
  EXPECT_EQ(OSGetDataDirectory(path), 0);
  EXPECT_STREQ(path, "");
  setenv(NOTESRT_INI_ENV, (FEnv.Root() / std::string(MAXPATH, 'i')).c_str(), 1);
  OSGetIniFileName(path);
  EXPECT_STREQ(path, "");
  EXPECT_EQ(path[MAXPATH], 'x');
  setenv(NOTESRT_INI_ENV, FEnv.IniFile().c_str(), 1);
}

// The built-in filter settings stand in only while no filter setting is configured at all.
TEST_F(Settings, BuiltInFilterSettingsAnswerOnlyWhileNotesIniNamesNone) {
  const std::string rtf = "MicrosoftWord RTF,0,_IRTF,,.RTF";
  const struct {
    const char* Name;
    std::string Ini;      // after the directory line
    const char* Session;  // a filter setting for the session, "<name>=<value>", or ""
    std::vector<std::pair<const char*, std::string>> Expected;
  } cases[] = {
      {"none configured",
       "",
       "",
       {{"EDITIMP1", "ASCII Text,0,_ITEXT,,.TXT,.PRN"},
        {"editimp2", rtf},
        {"EDITIMP5", "PNG Image,0,_IPNG,,.PNG"},
        {"EDITEXP1", "MicrosoftWord RTF,2,_XRTF,,.RTF"},
        {"EDITIMP6", "<unset>"},
        {"EDITEXP2", "<unset>"}}},
      {"one import configured",
       "EditImp9=Mine,0,_IMINE,,.MIN\n",
       "",
       {{"EDITIMP9", "Mine,0,_IMINE,,.MIN"}, {"EDITIMP2", "<unset>"}, {"EDITEXP1", "<unset>"}}},
      {"an export configured",
       "EDITEXP1=Other,2,_XOTHER,,.RTF\n",
       "",
       {{"EDITEXP1", "Other,2,_XOTHER,,.RTF"}, {"EDITIMP1", "<unset>"}}},
      {"a commented line is no setting", "; EDITIMP1=Old,0,_IOLD,,.OLD\n", "", {{"EDITIMP2", rtf}}},
      {"set for the session",
       "",
       "EDITIMP2=Session,0,_ISES,,.SES",
       {{"EDITIMP2", "Session,0,_ISES,,.SES"}, {"EDITIMP1", "<unset>"}}},
  };
  for (const auto& c : cases) {
    WriteFileText(FEnv.IniFile(), "[Notes]\nDirectory=" + FEnv.DataDir().string() + "\n" + c.Ini);
    const std::string session = c.Session, name = session.substr(0, session.find('='));
    if (!session.empty()) {
      ASSERT_EQ(NotesRTSetSessionSetting(name.c_str(), session.c_str() + name.size() + 1), NOERROR);
    }
    for (const auto& [setting, value] : c.Expected)
      EXPECT_EQ(Setting(setting), value) << c.Name << ": " << setting;
    if (!session.empty()) NotesRTSetSessionSetting(name.c_str(), nullptr);
  }
}

TEST(Init, WithoutASettingsFileFailsWithAStatus) {
  vesktest::TestNotesEnv env;
  std::filesystem::remove(env.IniFile());
  EXPECT_EQ(NotesInit(), ERR_NOTESRT_NO_INI);
  EXPECT_EQ(NotesInitThread(), ERR_NOTESRT_NOT_INITIALIZED);
}

TEST(Init, NestedInitsNeedAsManyTerms) {
  vesktest::TestNotesEnv env;
  ASSERT_EQ(NotesInit(), NOERROR);
  ASSERT_EQ(NotesInit(), NOERROR);
  DHANDLE memory = NULLHANDLE;
  ASSERT_EQ(OSMemAlloc(0, 10, &memory), NOERROR);
  NotesTerm();
  EXPECT_EQ(OSMemFree(memory), NOERROR);  // still initialised: the handle lives on
  NotesTerm();
  EXPECT_EQ(NotesInitThread(), ERR_NOTESRT_NOT_INITIALIZED);
  NotesTerm();  // one too many: harmless
  ASSERT_EQ(NotesInit(), NOERROR);
  NotesTerm();
}

// Threads bracket their work with NotesInitThread/NotesTermThread and share the runtime.
TEST(Init, TwoThreadsUseTheApiTogether) {
  vesktest::TestNotesEnv env;
  ASSERT_EQ(NotesInit(), NOERROR);
  std::atomic<int> failures{0};
  auto work = [&failures](NOTEID base) {
    if (NotesInitThread() != NOERROR) ++failures;
    for (NOTEID i = 0; i < 500; ++i) {
      DHANDLE memory = NULLHANDLE, table = NULLHANDLE;
      if (OSMemAlloc(0, 64, &memory) != NOERROR || !OSLockObject(memory)) ++failures;
      OSUnlockObject(memory);
      if (IDCreateTable(0, &table) != NOERROR || IDInsert(table, base + i, nullptr) != NOERROR)
        ++failures;
      char out[16];
      if (OSTranslate(OS_TRANSLATE_NATIVE_TO_LMBCS, "\xC3\xBC", 2, out, sizeof out) != 1)
        ++failures;
      if (OSMemFree(memory) != NOERROR || IDDestroyTable(table) != NOERROR) ++failures;
    }
    NotesTermThread();
  };
  std::vector<std::thread> threads;
  threads.emplace_back(work, 1000);
  threads.emplace_back(work, 5000);
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(failures.load(), 0);
  EXPECT_EQ(NotesRTOpenHandleCount(NOTESRT_HANDLE_KINDS), 0u);
  NotesTerm();
}

using Signals = runtimetest::RuntimeTest;

// A module that installed a handler may be unloaded after NotesTerm: nothing may call it then.
TEST_F(Signals, NotesTermForgetsTheHandlers) {
  const OSSIGPROC breakPressed = runtimetest::BreakPressed();
  EXPECT_EQ(OSSetSignalHandler(OS_SIGNAL_CHECK_BREAK, breakPressed), nullptr);
  EXPECT_EQ(OSSetSignalHandler(OS_SIGNAL_BUSY, Busy), nullptr);
  EXPECT_EQ(OSSetSignalHandler(OS_SIGNAL_CHECK_BREAK, breakPressed), breakPressed);  // per signal
  EXPECT_EQ(notesrt::CheckBreak(), ERR_CANCEL);
  NotesTerm();
  ASSERT_EQ(NotesInit(), NOERROR);
  EXPECT_EQ(OSGetSignalHandler(OS_SIGNAL_CHECK_BREAK), nullptr);
  EXPECT_EQ(OSGetSignalHandler(OS_SIGNAL_BUSY), nullptr);
  EXPECT_EQ(notesrt::CheckBreak(), NOERROR);
}

using runtimetest::StatusText;

// A text is found with or without the flag bits; an unknown status gives nothing; a known one
// is cut to the given length, NUL included.
TEST(StatusTexts, FoundWithOrWithoutTheFlagBitsNeverWrittenPastTheGivenLength) {
  EXPECT_EQ(StatusText(ERR_NOEXIST), "File does not exist");
  EXPECT_EQ(StatusText(0x8103), "File does not exist");
  EXPECT_EQ(StatusText(0x4000 | ERR_ITEM_NOT_FOUND), "Note item not found");
  EXPECT_EQ(StatusText(0xC000 | ERR_ACL_NOENTRY), "The name is not in the list.");
  EXPECT_EQ(StatusText(0x9728), "The prompt for password was aborted by user");
  EXPECT_EQ(StatusText(ERR_CANCEL), "Operation stopped at your request");
  char text[16];
  std::memset(text, 'x', sizeof text);
  EXPECT_EQ(OSLoadString(nullptr, 0x3FFE, text, sizeof text - 1), 0);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(OSLoadString(nullptr, 0, text, sizeof text - 1), 0);
  std::memset(text, 'x', sizeof text);
  EXPECT_EQ(OSLoadString(nullptr, ERR_NOEXIST, text, 5), 4);
  EXPECT_STREQ(text, "File");
  EXPECT_EQ(text[5], 'x');
  std::memset(text, 'x', sizeof text);
  EXPECT_EQ(OSLoadString(nullptr, ERR_NOEXIST, text, 1), 0);
  EXPECT_EQ(std::string(text, 2), std::string("\0x", 2));
  EXPECT_EQ(OSLoadString(nullptr, ERR_NOEXIST, text, 0), 0);
  EXPECT_EQ(OSLoadString(nullptr, ERR_NOEXIST, nullptr, 10), 0);
}

// The list is made at build time from every ERR_ name in the runtime's sources.
TEST(StatusTexts, EveryStatusTheRuntimeNamesHasOne) {
  struct TNamed {
    const char* Name;
    STATUS Status;
  };
  const TNamed statuses[] = {
#define STATUS_NAME(name) {#name, name},
#include "RuntimeStatuses.inc"
#undef STATUS_NAME
  };
  ASSERT_GT(std::size(statuses), 100u);
  for (const TNamed& named : statuses) {
    EXPECT_FALSE(StatusText(named.Status).empty()) << named.Name;
    bool own = std::string_view(named.Name).starts_with("ERR_NOTESRT_");
    EXPECT_EQ(own, (named.Status & PKG_MASK) == PKG_NOTESRT)
        << named.Name << " is in package " << std::hex << (named.Status & PKG_MASK);
  }
}
