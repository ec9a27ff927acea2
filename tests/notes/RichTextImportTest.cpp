// Rich text through the filter libraries: RTF lines imported and exported, files imported by
// their filters, failures reported with the file at fault and no temporary file left behind.
#include <fstream>

#include "ELotusNotes.h"
#include "FileText.h"
#include "NotesFilters.h"
#include "NotesRichText.h"
#include "RichTextFixture.h"
#include "TempDir.h"

namespace {

namespace fs = std::filesystem;

class RichTextImportTest : public RichTextFixture {
 protected:
  std::string WriteFile(const std::string& Name, const std::string& Bytes) {
    const fs::path path = FFiles.Path() / Name;
    std::ofstream(path, std::ios::binary) << Bytes;
    return path.string();
  }
  // What this process's temporary directory holds besides a probe file.
  static std::vector<std::string> TemporaryFiles() {
    const fs::path probe = RichTextTempFile("~probe");
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(probe.parent_path()))
      if (entry.path() != probe) files.push_back(entry.path().filename().string());
    fs::remove(probe);
    return files;
  }
  vesktest::TempDir FFiles;
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
    try {
      Case.Call(*body);
      ADD_FAILURE() << Case.What << ": no error";
    } catch (const ELotusNotes& Error) {
      EXPECT_EQ(std::string(Error.what()).substr(0, Case.Message.size()), Case.Message)
          << Case.What;
    }
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

}  // namespace
