// Rich text through the filter libraries: RTF lines imported and exported, files imported by
// their filters, failures reported with the file at fault and no temporary file left behind.

#include "NotesErrorOf.h"
#include "NotesFilters.h"
#include "NotesRichText.h"
#include "Registry.h"
#include "RichTextFixture.h"

namespace {

namespace fs = std::filesystem;

class RichTextImportTest : public RichTextFixture {
 protected:
  // What this process's temporary directory holds besides a probe file.
  static std::vector<std::string> TemporaryFiles() {
    const fs::path probe = RichTextTempFile("~probe");
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(probe.parent_path()))
      if (entry.path() != probe) files.push_back(entry.path().filename().string());
    fs::remove(probe);
    return files;
  }
  // Replaces the field by the lines of Text, as the host's RTF lines come.
  static void SetLines(TNotesRichTextItem& Body, const std::string& Text) {
    TStringList lines;
    lines.SetText(Text);
    Body.SetRichText(lines);
  }
  std::string FieldRtf() {
    auto body = TNotesRichTextItem::Create(*FDocument, "Body");
    body->PlainText = false;
    return body->GetRichText().Text();
  }
};

TEST_F(RichTextImportTest, FailedImportsNameTheFileAndLeaveNothingBehind) {
  const std::string text = WriteFile("notes.txt", "one\r\ntwo");
  const std::string noExtension = WriteFile("README", "x");
  const std::string missing = (FFiles.Path() / "gone.txt").string();
  const struct {
    const char* What;
    std::function<void(TNotesRichTextItem&)> Call;
    std::string Message;
  } Cases[] = {
      {"no library", [&](TNotesRichTextItem& Body) { Body.IntAddFile(text, ""); },
       "Filter was not found for file " + text},
      {"no extension", [&](TNotesRichTextItem& Body) { Body.AddFile(noExtension); },
       "Filter was not found for file " + noExtension},
      {"library not there", [&](TNotesRichTextItem& Body) { Body.IntAddFile(text, "NNOSUCH"); },
       "Error -4 in importing file " + text},
      {"input missing", [&](TNotesRichTextItem& Body) { Body.AddFile(missing); },
       "Error -6 in importing file " + missing},
  };
  for (const auto& Case : Cases) {
    auto body = NewBody();
    body->AddText("kept");
    const std::string error = NotesErrorOf([&] { Case.Call(*body); });
    EXPECT_EQ(error.substr(error.find(' ') + 1, Case.Message.size()), Case.Message) << error;
    EXPECT_TRUE(body->HasContext()) << Case.What << ": the context was lost";
    EXPECT_EQ(FDocument->CountMultipleItems("Body"), 0) << Case.What;
    EXPECT_EQ(TemporaryFiles(), std::vector<std::string>{}) << Case.What;
  }
  // A text file by its extension: one item, opened by the default paragraph.
  auto body = NewBody();
  body->AddFile(text);
  const std::vector<std::string> values = ItemValues("Body");
  ASSERT_EQ(values.size(), 1u);
  EXPECT_EQ(values[0].substr(0, 6), Hex("81 02 82 FF 46 00"));
  EXPECT_NE(values[0].find("two"), std::string::npos);
}

// A filter named without a directory is the runtime's own, wherever the registry says Notes is.
TEST_F(RichTextImportTest, BareFilterNamesLoadWhateverProgramDirectoryTheRegistryNames) {
  const std::string text = WriteFile("notes.txt", "from the filter");
  for (const char* registryPath : {"", "/opt/ibm/notes"}) {
    if (*registryPath) {
      TRegistry registry;
      registry.SetRootKey(HKEY_LOCAL_MACHINE);
      ASSERT_TRUE(registry.OpenKey("Software\\Lotus\\Notes\\9.0", true));
      registry.WriteString("Path", registryPath);
    }
    NotesRichTextInitialize();
    auto body = NewBody();
    EXPECT_NO_THROW(body->AddFile(text)) << "registry path '" << registryPath << "'";
    NotesRichTextFinalize();
  }
  EXPECT_EQ(ItemValues("Body").size(), 2u);
}

TEST_F(RichTextImportTest, RtfLinesReplaceTheFieldAndComeBackAsRtf) {
  // An old field of several items, and an item object the document handed out before.
  auto old = NewBody();
  old->AddText(std::string(50000, 'o'));
  old->SaveContext();
  {
    // An object for a following item exports the item it stands for.
    const std::unique_ptr<TNotesItem> next =
        TNotesRichTextItem::Create(*FDocument, "Body")->CreateNextItem();
    ASSERT_NE(next, nullptr);
    EXPECT_NE(next->GetRichText().Text().find("ooo"), std::string::npos);
  }
  const TNotesItem* cached = FDocument->GetItemByName("Body");
  auto body = NewBody();
  body->PlainText = false;
  SetLines(*body,
           "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}{\\f1 Courier New;}}\r\n"
           "\\f0 Hello {\\b bold} {\\f1 fixed}\\par Zweite Zeile \\u252?\\par}");
  EXPECT_EQ(FDocument->CountMultipleItems("Body"), 1) << "old items were left";
  EXPECT_EQ(cached->GetAsString().find("ooo"), std::string::npos) << "the cached item reads old";
  EXPECT_NE(cached->GetAsString().find("Hello"), std::string::npos);
  const std::string rtf = FieldRtf();
  for (const char* part : {"{\\rtf1", "Hello", "\\b", "bold", "Courier New", "Zweite Zeile"})
    EXPECT_NE(rtf.find(part), std::string::npos) << part << "\n" << rtf;
  // The same list object, reloaded; text as plain text is the filter's "text" too.
  auto again = TNotesRichTextItem::Create(*FDocument, "Body");
  again->PlainText = false;
  TStringList* first = &again->GetRichText();
  EXPECT_EQ(&again->GetRichText(), first);
  SetLines(*body, "plain line one\r\nline two");
  EXPECT_NE(FieldRtf().find("line two"), std::string::npos);
  // A new object replacing the field from a file.
  const std::string file = WriteFile("file.rtf", "{\\rtf1 From a file\\par}");
  auto fromFile = TNotesRichTextItem::Create(*FDocument, "Body", file);
  EXPECT_NE(FieldRtf().find("From a file"), std::string::npos);
  EXPECT_EQ(FieldRtf().find("line two"), std::string::npos);
  EXPECT_EQ(TemporaryFiles(), std::vector<std::string>{});
}

}  // namespace
