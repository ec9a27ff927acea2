// The host's shared definitions: tree nodes read from the clipboard stream (malformed ones
// included), stored references split into path, file name and title, releases and features.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <optional>
#include <string>

#include "CompoundFileBuilder.h"
#include "DesktopFixture.h"
#include "DnDFileURL.h"
#include "DocSumCorpus.h"
#include "FreedesktopDrop.h"
#include "ListLines.h"
#include "OutLookUtil.h"
#include "StatusBar.h"
#include "StringList.h"
#include "TempDir.h"
#include "VeskExceptions.h"
#include "Vesk_Def.h"

namespace {

std::string Le(int64_t Value, int Size) {
  std::string bytes;
  for (int i = 0; i < Size; ++i) bytes += static_cast<char>(Value >> (8 * i));
  return bytes;
}

std::string Node(int32_t Int1, const std::string& Text, uint8_t Flag, int64_t Int5) {
  return Le(Int1, 4) + Le(static_cast<int64_t>(Text.size()), 4) + Text + Le(2, 4) + Le(3, 4) +
         Le(4, 4) + static_cast<char>(Flag) + Le(Int5, 8);
}

struct TNodeCase {
  const char* Name;
  TVeskClipboardFormat Format;
  std::string Bytes;
  std::vector<TVESKTreeNodeRecord> Nodes;  // read until GetEOF
  bool Moves = true;
};

TEST(Vesk_Def, TreeNodesAreReadOneByOneAndNeverPastTheStream) {
  const TVESKTreeNodeRecord first{7, "Inbox", 2, 3, 4, 1, 5}, second{8, "", 2, 3, 4, 0, -1};
  const TNodeCase cases[] = {
      {"two nodes",
       icfTree,
       Node(7, "Inbox", 1, 5) + Node(8, "", 0, 0x1FFFFFFFFLL),
       {first, second}},
      {"another format", icfAttm, Node(7, "Inbox", 1, 5), {{}}, false},
      {"a tail of 9 bytes", icfTree, Node(7, "Inbox", 1, 5) + std::string(9, 'x'), {first, {}}},
      {"a negative text length",
       icfTree,
       Le(7, 4) + Le(-5, 4) + std::string(30, 'x'),
       {{7, "", 0, 0, 0, 0, 0}}},
      {"a text longer than the stream",
       icfTree,
       Le(7, 4) + Le(0x7FFFFFFF, 4) + "abc",
       {{7, "", 0, 0, 0, 0, 0}}},
      {"cut in the last field",
       icfTree,
       Node(7, "Inbox", 1, 5).substr(0, 30),
       {{7, "Inbox", 2, 3, 4, 1, 0}}},
  };
  for (const TNodeCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TVESKClipBoard board;
    board.Format = c.Format;
    board.Stream.Write(c.Bytes.data(), static_cast<int64_t>(c.Bytes.size()));
    board.Stream.Seek(0, soFromBeginning);
    std::vector<TVESKTreeNodeRecord> read;
    do read.push_back(board.ReadTeeNode());
    while (c.Format == icfTree && !board.GetEOF() && read.size() < 10);
    EXPECT_EQ(read.size(), c.Nodes.size());
    for (size_t i = 0; i < read.size() && i < c.Nodes.size(); ++i)
      EXPECT_TRUE(read[i] == c.Nodes[i]) << "node " << i << ": " << read[i].Text;
    EXPECT_EQ(board.GetEOF(), c.Moves);
  }
}

TEST(Vesk_Def, StoredReferencesSplitIntoPathFileAndTitle) {
  const struct {
    std::string FullName, Descr, Path, FileName, Title;
  } cases[] = {
      {"http://www.example.org/a/b.html", "", "http://", "www.example.org/a/b.html", "INTERNET"},
      {"HTTPS://Host:8080/a?b=c:d", "Page", "https://", "Host:8080/a?b=c:d", "Page"},
      {"OUTLOOK://00000000ABCDEF", "", "outlook://", "00000000ABCDEF", "OUTLOOK"},
      {"outlook:\\\\Personal Folders\\Inbox", "", "outlook://personal folders\\", "Inbox",
       "OUTLOOK folder: \"Inbox\""},
      {"C:\\Data\\Reports\\Q1 Plan.DOC", "Plan", "C:\\Data\\Reports\\", "Q1 Plan.DOC", "Plan"},
      {"/home/Jane/Reports/Q1.odt", "", "/home/Jane/Reports/", "Q1.odt", ""},
      {"D:file.txt", "", "D:", "file.txt", ""},
      {"plain.txt", "", "", "plain.txt", ""},
  };
  for (const auto& c : cases) {
    std::string path, file, title;
    EXPECT_TRUE(GetVeskAttmFilePath(c.FullName, c.Descr, path, file, title));
    EXPECT_EQ(path, c.Path) << c.FullName;
    EXPECT_EQ(file, c.FileName) << c.FullName;
    EXPECT_EQ(title, c.Title) << c.FullName;
  }
  EXPECT_EQ(AttmLine(atURL, "https://example.org/x\t", ""), "2\thttps://example.org/x\t");
  EXPECT_EQ(AttmLine(atFile, "/a.doc", "T: S,\tA\r\n"), "1\t/a.doc\tT: S, A  ");
}

TEST(Vesk_Def, ReleasesTranslateBothWaysAndDecideFeatures) {
  for (int64_t line = 1; line <= 255; line += 127)
    for (int64_t release : {0, 3, 255})
      for (int64_t build : {0, 15, 255}) {
        const int64_t number = ((2 * 65536 + line) * 65536 + release) * 65536 + build;
        EXPECT_EQ(TranslateRelease(TranslateVersionsNr(number)), number) << number;
      }
  EXPECT_EQ(TranslateVersionsNr(int64_t{2} << 48).Line, 255);
  EXPECT_EQ(TranslateVersionsNr(-7).VersionNr, -1);
  const struct {
    uint8_t Line;
    int32_t Release, Build;
    TVeskFeatureSet Features;
  } cases[] = {
      {0, 0, 0, {}},
      {0, 3, 0, {ifVDBhasAttmMemo}},
      {0, 0, 51, {ifVDBhasAttmSortNr, ifVDBhasAttmMemo}},
      {1, 0, 49, {ifVDBhasAttmSortNr}},
      {1, 3, 15, {ifVDBhasAttmSortNr, ifVDBhasAttmMemo, ifVDBhasStatusSortNr, ifVDBhasUNCField}},
      {2, 4, 0, {ifVDBhasStatusSortNr, ifVDBhasUNCField}}};
  for (const auto& c : cases) {
    TVESKRelease release;
    release.Line = c.Line;
    release.Release = c.Release;
    release.Build = c.Build;
    EXPECT_EQ(GetFeatures(release), c.Features)
        << int(c.Line) << "." << c.Release << "." << c.Build;
  }
}

// Drops as a Linux desktop delivers them, through the freedesktop bridge, turned into reference
// lines: documents, folders, unreadable files, URLs and Outlook items.
class AttmFromDnDTest : public vesktest::DesktopTest {
 protected:
  AttmFromDnDTest() {
    Monitor.SetStatusBar(&Bar);
    VeskMonitor = &Monitor;
    OutLookUtilInitialize();
  }
  ~AttmFromDnDTest() override {
    EXPECT_EQ(Model.Session->ConnectCount, Model.Session->DisconnectCount);
    OutLookUtilFinalize();
    VeskMonitor = nullptr;
  }
  std::vector<std::string> Drop(const TMimePayloads& Payloads) {
    TDragDropFilesURL component(nullptr);
    EXPECT_TRUE(component.DropTarget().Drop(*DataObjectFromMime(Payloads)));
    return vesktest::LinesOf(*GetAttmFromDnD(component));
  }
  static TMimePayloads UriList(const std::vector<std::string>& Files) {
    std::vector<std::string> uris;
    for (const std::string& file : Files) uris.push_back(FileNameToUri(file));
    return {{"text/uri-list", BuildUriList(uris)}};
  }

  vesktest::TempDir Dir;
  TStatusBar Bar{3};
  TVeskExceptionMonitor Monitor{nullptr};
  TOutlookModel Model;
};

std::string Summary(const std::vector<vesktest::TProperty>& Properties) {
  return vesktest::BuildCompoundFile(
      {{u"\005SummaryInformation", vesktest::SummaryStream(Properties)}});
}

TEST_F(AttmFromDnDTest, DroppedFilesAreDescribedOneByOne) {
  using vesktest::Lpstr;
  const std::string report = Dir.Write(
      "report.doc", Summary({Lpstr(2, "Plan\t2024"), Lpstr(3, "Budget"), Lpstr(4, "Jane\r\nDoe")}));
  const std::string untitled =
      Dir.Write("Gr\u00fc\u00dfe #1.xls", Summary({Lpstr(3, "Sums"), Lpstr(4, "Bob")}));
  std::string damaged = Summary({Lpstr(2, "Lost")});
  damaged.replace(0x30, 4, "\xFF\xFF\xFF\x7F");  // the directory starts far outside the file
  const std::string broken = Dir.Write("broken.doc", damaged);
  const std::string plain = Dir.Write("notes.txt", "text\n");
  const std::string folder = (Dir.Path() / "Some Folder").string();
  std::filesystem::create_directory(folder);
  const std::string missing = (Dir.Path() / "gone.doc").string();
  const std::string tabbed = Dir.Write("a\tb.doc", "x");
  const std::string pipe = (Dir.Path() / "pipe.doc").string();
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);  // opening it for reading would wait for a writer
  const std::string corpus = DocSumCorpus::Dir();
  const struct {
    const char* Name;
    std::vector<std::string> Files, Lines;
    std::string Warning;
  } cases[] = {
      {"documents, folder, others",
       {report, untitled, folder, plain, broken, missing, pipe},
       {"1\t" + report + "\tPlan 2024: Budget, Jane  Doe", "1\t" + untitled + "\tSums, Bob",
        "1\t" + folder + "\tORDNER", "1\t" + plain + "\tno Doc Info",
        "1\t" + broken + "\tno Doc Info", "1\t" + missing + "\tno Doc Info",
        "1\t" + pipe + "\tno Doc Info"},
       {}},
      // western.doc is described in the plug-in's desktop test.
      {"a document LibreOffice saved without any property",
       {corpus + "empty.doc"},
       {"1\t" + corpus + "empty.doc\t, "},
       ""},
      {"a name with a tab is left out, the rest go on",
       {tabbed, plain},
       {"1\t" + plain + "\tno Doc Info"},
       "WARNING: \"" + Dir.Path().string() +
           "/a b.doc\" is not attached: its name holds a control "
           "character"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Bar.Panel(2).SetText("");
    EXPECT_EQ(Drop(UriList(c.Files)), c.Lines);
    EXPECT_EQ(Bar.Panel(2).Text(), c.Warning);
  }
}

TEST_F(AttmFromDnDTest, UrlsAndTextGiveAtMostOneLine) {
  TOLFolderRef root = Model.AddStore("Personal Folders");
  TOLFolderRef inbox = root->AddFolder("Inbox", olMailItem);
  for (int type : {olFolderInbox, olFolderSentMail, olFolderOutbox, olFolderNotes})
    Model.SetDefaultFolder(type, type == olFolderInbox ? inbox : root);
  Model.Explorer().Current = inbox;
  TOLItemRef plan = inbox->Items().Add(olMail, {{"Subject", "Plan"}});
  Model.Explorer().Selected.Append(plan);
  TObjectDescriptor outlook;
  outlook.FullUserTypeName = "Outlook";
  outlook.SrcOfCopy = "Plan";
  TObjectDescriptor writer = outlook;
  writer.FullUserTypeName = "LibreOffice Writer";
  const std::string text = "From\tSubject\nEva\tPlan\n";
  const struct {
    const char* Name;
    TMimePayloads Payloads;
    bool Running;
    std::vector<std::string> Lines;
  } cases[] = {
      {"URL",
       {{"text/uri-list", "https://example.org/x\r\n"}},
       false,
       {"2\thttps://example.org/x\t"}},
      {"Outlook item",
       {{"text/plain", text}, {MimeObjectDescriptor, BuildObjectDescriptor(outlook)}},
       true,
       {"3\tOUTLOOK://" + plan->EntryID() + "\tOUTL.Mail: Plan"}},
      {"text from elsewhere",
       {{"text/plain", text}, {MimeObjectDescriptor, BuildObjectDescriptor(writer)}},
       true,
       {}},
      {"text without a source", {{"text/plain", text}}, true, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    std::optional<TScopedFacility<TOutlookConnector>> installed;
    if (c.Running) installed.emplace(Model);
    EXPECT_EQ(Drop(c.Payloads), c.Lines);
    OutLookUtilFinalize();  // the next case connects anew
  }
  TDragDropFilesURL nothing(nullptr);
  EXPECT_EQ(GetAttmFromDnD(nothing)->Count(), 0);
}

}  // namespace
