// What Linux desktops drop: file URIs written as GLib writes them, text/uri-list, Mozilla's URL
// type and plain text, turned into the Windows formats and dropped on the component; and back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ChildProcess.h"
#include "DnDFileURL.h"
#include "FileText.h"
#include "FreedesktopDrop.h"
#include "ListLines.h"
#include "TempDir.h"

namespace {

using TLines = std::vector<std::string>;

const TLines Names = {"/tmp/a b.txt", "/d ir/Gr\u00fc\u00dfe #1 %20 a;b?.txt",
                      "/x/!$&'()*+,-.:=@[]^_`{|}~\"<>\\", "/q/line\nbreak",
                      "/not/utf8/\xFF\xFE.txt"};

TEST(FreedesktopDrop, OnlyLocalFileUrisNameFilesAndFileUrisAreWhatGLibWritesAndReads) {
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"file:///a/b%20c", "/a/b c"},
      {"file://localhost/a", "/a"},
      {"file:/a", "/a"},
      {"file://server/a", std::nullopt},
      {"http://example.org/a", std::nullopt},
      {"file:///a%00b", std::nullopt},
      {"file:///a%G0", std::nullopt},
      {"file:///a%2", std::nullopt},
      {"file:///a#frag", std::nullopt},
      {"file://", std::nullopt}};
  for (const auto& [uri, file] : cases) EXPECT_EQ(FileNameFromUri(uri), file) << uri;
  EXPECT_EQ(ParseUriList("# comment\r\nfile:///a\r\n\r\nfile:///b\nhttp://x"),
            (TLines{"file:///a", "file:///b", "http://x"}));
  // File URIs are what GLib writes and reads.
  for (const std::string& name : Names) EXPECT_EQ(FileNameFromUri(FileNameToUri(name)), name);
  if (vesktest::RunCommand("/usr/bin/python3 -c 'from gi.repository import GLib' 2>&1").ExitCode)
    GTEST_SKIP() << "python3-gi is not installed: GLib not compared";
  vesktest::TempDir dir;
  std::string raw;
  for (const std::string& name : Names) raw += name + '\0';
  vesktest::WriteFileText(dir.Path() / "names", raw);
  const vesktest::CommandRun run = vesktest::RunCommand(
      "/usr/bin/python3 -c \"import os, sys\nfrom gi.repository import GLib\n"
      "for n in open(sys.argv[1], 'rb').read().split(b'\\\\0')[:-1]:\n"
      "  print(GLib.filename_to_uri(os.fsdecode(n), None))\" " +
      (dir.Path() / "names").string() + " 2>&1");
  std::string expected;
  for (const std::string& name : Names) expected += FileNameToUri(name) + "\n";
  EXPECT_EQ(run.Output, expected);
}

std::string Utf16(const std::string& Ascii) {
  std::string bytes;
  for (char c : Ascii) bytes += {c, '\0'};
  return bytes;
}

TEST(FreedesktopDrop, DropsFromTheDesktopReachTheComponent) {
  const struct {
    const char* Name;
    TMimePayloads Payloads;
    TDropType Type;
    TLines Files;
    std::string Url;
  } cases[] = {
      {"a web page",
       {{"text/uri-list", "https://example.org/\r\nfile:///c\r\n"}},
       dtURL,
       {},
       "https://example.org/"},
      {"Firefox",
       {{"text/x-moz-url", Utf16("https://example.org/x\nTitle")}},
       dtURL,
       {},
       "https://example.org/x"},
      {"Netscape", {{"_NETSCAPE_URL", "https://n.example/\nN"}}, dtURL, {}, "https://n.example/"},
      {"text", {{"UTF8_STRING", "one\ntwo\r\nthree\n"}}, dtText, {"one", "two", "three"}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TDragDropFilesURL component(nullptr);
    auto object = DataObjectFromMime(c.Payloads);
    EXPECT_TRUE(component.DropTarget().Drop(*object));
    EXPECT_EQ(component.DropType, c.Type);
    EXPECT_EQ(vesktest::LinesOf(component.Files), c.Files);
    EXPECT_EQ(component.URL, c.Url);
  }
}

// Our drags as MIME payloads, and those payloads dropped back on a component.
TEST(FreedesktopDrop, OurDragsGoOutAndComeBackTheSame) {
  const struct {
    TDropType Type;
    TLines Files;
    std::string Url;
    TLines Types;
  } cases[] = {
      {dtFile, Names, "", {"text/uri-list"}},
      {dtURL,
       {},
       "https://example.org/?q=a b",
       {"text/uri-list", "text/x-moz-url", "application/x-mswinurl", "text/plain;charset=utf-8"}},
      {dtText, {"one", "", "three"}, "", {"text/plain;charset=utf-8"}}};
  for (const auto& c : cases) {
    TDragDropFilesURL from(nullptr), to(nullptr);
    from.DropType = c.Type;
    for (const std::string& file : c.Files) from.Files.Add(file);
    from.URL = c.Url;
    const TMimePayloads payloads = MimeFromDataObject(*from.CreateDataObject());
    TLines types;
    for (const auto& [type, bytes] : payloads) {
      types.push_back(type);
      if (type != "application/x-mswinurl" || vesktest::RunCommand("file -v >/dev/null").ExitCode)
        continue;
      // The shortcut file, its trailing NUL included, is what file managers take it for.
      vesktest::TempDir dir;
      vesktest::WriteFileText(dir.Path() / "link.url", bytes);
      EXPECT_EQ(
          vesktest::RunCommand("file -b --mime-type " + (dir.Path() / "link.url").string()).Output,
          "application/x-mswinurl\n");
    }
    EXPECT_EQ(types, c.Types) << c.Type;
    EXPECT_TRUE(to.DropTarget().Drop(*DataObjectFromMime(payloads)));
    EXPECT_EQ(to.DropType, c.Type);
    EXPECT_EQ(vesktest::LinesOf(to.Files), c.Files);
    EXPECT_EQ(to.URL, c.Url);
  }
}

}  // namespace
