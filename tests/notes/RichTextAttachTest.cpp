// Attachments shown in rich text: hotspots and "$FILE" items made, listed after reopening and
// written back byte for byte, as text or as an icon; the icon picture; the filter settings;
// appending an import.
#include "Bitmap8.h"
#include "ELotusNotes.h"
#include "FileIconBitmap.h"
#include "FileText.h"
#include "NotesErrorOf.h"
#include "NotesFilters.h"
#include "Registry.h"
#include "RichTextFixture.h"
#include "TempDir.h"
#include "notesapi/notesrterr.h"

namespace {

namespace fs = std::filesystem;

class RichTextAttachTest : public RichTextFixture {
 protected:
  std::unique_ptr<TNotesRichTextItem> Body() {
    return TNotesRichTextItem::Create(*FDocument, "Body");
  }
};

TEST_F(RichTextAttachTest, AttachedFilesAreListedAfterReopeningAndDetachedWhole) {
  const std::string first = WriteFile("Report.doc", std::string("binary\0data", 11));
  const std::string second = WriteFile("Übersicht März.txt", std::string(70000, 'x'));
  auto body = NewBody();
  body->AddText("See the files:");
  body->Attach(first, true);  // shown as an icon
  body->Attach(second, false);
  EXPECT_EQ(body->PendingFiles().Text(), first + "=file0000\r\n" + second + "=file0001\r\n");
  body->SaveContext();
  EXPECT_EQ(body->PendingFiles().Count(), 0);
  body.reset();
  SaveAndReopen();
  body = Body();
  ASSERT_EQ(body->GetAttachmentCount(), 2);
  EXPECT_EQ(body->GetAttachment(0), "REPORT.DOC");
  EXPECT_EQ(body->GetAttachment(1), "ÜBERSICHT MÄRZ.TXT");
  EXPECT_EQ(body->FindAttachment("übersicht märz.txt"), 1);
  std::string records;
  for (const std::string& value : ItemValues("Body")) records += value;
  EXPECT_NE(records.find(Hex("7D 00")), std::string::npos) << "no picture in the hotspot";
  // A target the caller names, and the default: the shown name, in its case, right here.
  const fs::path target = FFiles.Path() / "out.bin";
  body->Detach(0, target.string());
  EXPECT_EQ(vesktest::ReadFileText(target), std::string("binary\0data", 11));
  vesktest::TempDir here;
  const fs::path before = fs::current_path();
  fs::current_path(here.Path());
  body->Detach(1, "");
  fs::current_path(before);
  EXPECT_EQ(vesktest::ReadFileText(here.Path() / "Übersicht März.txt"), std::string(70000, 'x'));
  EXPECT_THROW(body->Detach(2, target.string()), ELotusNotes);
  // A reopened note goes on after its highest number, never a second file0000.
  auto more = NewBody();
  more->Attach(first, false);
  EXPECT_EQ(more->PendingFiles().Strings(0), first + "=file0002");
}

TEST_F(RichTextAttachTest, MissingFilesAreReportedAndNothingIsAttachedTwice) {
  auto body = NewBody();
  const std::string missing = (FFiles.Path() / "gone.txt").string();
  EXPECT_EQ(NotesErrorOf([&] { body->Attach(missing, false); }),
            "0 File " + missing + " does not exist");
  EXPECT_FALSE(body->HasContext());
  const std::string kept = WriteFile("kept.txt", "kept");
  const std::string removed = WriteFile("removed.txt", "removed");
  body->Attach(kept, false);
  body->Attach(removed, false);
  fs::remove(removed);
  EXPECT_THROW(body->SaveContext(), ELotusNotes);
  // The first file is in the note and left the list; only the missing one still waits.
  EXPECT_EQ(body->PendingFiles().Text(), removed + "=file0001\r\n");
  EXPECT_EQ(ItemValues("$FILE").size(), 1u);
}

// The picture: the icon centred at the top, the name drawn below it, decoded from the file.
TEST_F(RichTextAttachTest, IconBitmapsShowTheIconAboveTheName) {
  TBitmap8 custom(8, 6, 9);
  const std::string customIcon = WriteFile("custom.bmp", custom.SaveToBmp());
  {
    TRegistry registry;
    registry.SetRootKey(HKEY_CLASSES_ROOT);
    ASSERT_TRUE(registry.OpenKey("\\.xyz", true));
    registry.WriteString("", "xyzfile");
    ASSERT_TRUE(registry.OpenKey("\\xyzfile\\Shell\\DefaultIcon", true));
    registry.WriteString("", customIcon + ",3");
  }
  const struct {
    const char* Name;
    int IconWidth;  // 0: no picture
    bool CustomIcon;
  } Cases[] = {{"notes.txt", 32, false},
               {"data.xyz", 8, true},
               {"no extension", 32, false},
               {"Grüße.zip", 32, false},
               {"missing.unknownext", 0, false}};
  for (const auto& Case : Cases) {
    const bool exists = Case.IconWidth != 0;
    const std::string file =
        exists ? WriteFile(Case.Name, "content") : (FFiles.Path() / Case.Name).string();
    const std::string bitmap = MakeFileIconBitmap(file);
    if (!exists) {
      EXPECT_EQ(bitmap, "") << Case.Name;
      continue;
    }
    ASSERT_FALSE(bitmap.empty()) << Case.Name;
    EXPECT_EQ(fs::path(bitmap).filename().string().rfind("~import", 0), 0u) << bitmap;
    const std::optional<TBitmap8> picture = TBitmap8::LoadFromBmp(vesktest::ReadFileText(bitmap));
    fs::remove(bitmap);
    ASSERT_TRUE(picture) << Case.Name;
    const int textWidth = TBitmap8::TextWidth(Case.Name);
    const int width = std::max(textWidth, Case.IconWidth) + 4;
    const int iconHeight = Case.CustomIcon ? 6 : 32;
    ASSERT_EQ(picture->Width(), width) << Case.Name;
    ASSERT_EQ(picture->Height(), iconHeight + TBitmap8::GlyphHeight + 4) << Case.Name;
    if (Case.CustomIcon) {
      EXPECT_EQ(picture->Pixel((width - 8) / 2, 2), 9) << "the registered icon";
    }
    TBitmap8 name(width, TBitmap8::GlyphHeight);
    name.TextOut((width - textWidth) / 2, 0, Case.Name);
    TBitmap8 drawn(width, TBitmap8::GlyphHeight);
    drawn.Draw(0, -(iconHeight + 2), *picture);
    EXPECT_EQ(drawn.SaveToBmp(), name.SaveToBmp()) << "the name below the icon of " << Case.Name;
  }
}

class FilterSettingsTest : public testing::Test {
 protected:
  FilterSettingsTest()
      : FSettings({{"EDITIMP1", "ASCII Text,0,_ITEXT,,.TXT,.PRN"},
                   {"EDITIMP2", " MicrosoftWord RTF , 0 , _IRTF ,, .RTF"},
                   {"EDITIMP3", "JPEG Image,0,_IJPG,,.JPG,.JPEG,.JPE"},
                   {"EDITIMP5", "Plain Library,0,/opt/filters/plain,,.PLN, with, commas"},
                   {"EDITEXP1", "MicrosoftWord RTF,2,_XRTF,,.RTF"}}) {}
  vesktest::TestNotesEnv FSettings;
};

TEST_F(FilterSettingsTest, FiltersAreFoundByNameOrExtension) {
  const struct {
    const char* Prefix;
    const char* Name;
    const char* Extension;
    const char* Library;
  } Cases[] = {{"EDITIMP", "", ".txt", "NITEXT"},
               {"EDITIMP", "", ".J", "NIJPG"},  // anywhere in the list
               {"EDITIMP", "microsoftword rtf", "", "NIRTF"},
               {"EDITIMP", "", ".pln", "/opt/filters/plain"},
               {"EDITIMP", "", " with", "/opt/filters/plain"},  // the fifth field is not trimmed
               {"EDITEXP", "MicrosoftWord RTF", "", "NXRTF"},
               {"EDITIMP", "", ".doc", ""},
               {"EDITIMP", "", "", ""},
               {"EDITEXP", "JPEG Image", "", ""}};
  for (const auto& Case : Cases)
    EXPECT_EQ(FindNotesFilter(Case.Prefix, Case.Name, Case.Extension), Case.Library)
        << Case.Prefix << " " << Case.Name << " " << Case.Extension;
}

// CD files of known records: a paragraph, runs of text, a table around runs.
std::string TextRecord(size_t TextLength) {
  return Even(Hex("85 FF") + Word(static_cast<WORD>(8 + TextLength)) + Hex("01 00 0A 0A") +
              std::string(TextLength, 'a'));
}

TEST_F(RichTextAttachTest, ImportsAreAppendedAsItemsOfWholeRecords) {
  const std::string typeWord = Hex("01 00");
  const std::string para = Hex("81 02"), tableBegin = Hex("A3 0E") + std::string(12, '\0'),
                    tableEnd = Hex("A5 06") + std::string(4, '\0');
  std::string longPlain, longTable, huge = TextRecord(39990), tooBig;
  for (int index = 0; index < 30; ++index) longPlain += para + TextRecord(3000);
  longTable = tableBegin;
  for (int index = 0; index < 30; ++index) longTable += para + TextRecord(3000);
  longTable += tableEnd;
  tooBig = Hex("85 00 76 11 01 00") + std::string(70000, 'b');  // 70,006 bytes
  const struct {
    const char* Name;
    std::string File;
    int Result;
    std::vector<size_t> Items;  // value sizes, type word not counted
  } Cases[] = {
      {"small", typeWord + para + TextRecord(10), 0, {76 + 2 + 18}},
      {"without type word", para + TextRecord(10), 0, {76 + 2 + 18}},
      // 30 paragraphs of 3,010 bytes: items end before the last paragraph of their second half.
      {"paragraphs", typeWord + longPlain, 0, {76 + 13 * 3010, 13 * 3010, 4 * 3010}},
      // Inside a table no paragraph ends an item early: it ends where the window does.
      {"table", typeWord + longTable, 0, {76 + 14 + 13 * 3010 + 2, 3008 + 12 * 3010 + 2, 12044}},
      {"one huge record", typeWord + TextRecord(10) + huge, 0, {76 + 18, huge.size()}},
      {"a record over the item limit", typeWord + TextRecord(10) + tooBig, ERR_NOTESRT_TOO_BIG, {}},
      {"damaged",
       typeWord + TextRecord(10) + Hex("85 FF 40 00"),
       ERR_NOTESRT_RICH_TEXT_DAMAGED,
       {}},
  };
  for (const auto& Case : Cases) {
    const std::string name = std::string("Import ") + Case.Name;
    const int result = AppendCDFile(FDocument->NoteHandle(), WriteFile("cd", Case.File), name);
    EXPECT_EQ(result, Case.Result) << Case.Name;
    std::vector<size_t> sizes;
    std::string joined;
    for (const std::string& value : ItemValues(name)) {
      sizes.push_back(value.size());
      joined += value;
    }
    EXPECT_EQ(sizes, Case.Items) << Case.Name;
    if (Case.Result == 0) {
      const size_t start = Case.File.compare(0, 2, typeWord) == 0 ? 2 : 0;
      EXPECT_EQ(joined.substr(76), Case.File.substr(start)) << Case.Name;
      EXPECT_EQ(joined.substr(0, 6), Hex("81 02 82 FF 46 00")) << Case.Name;
    }
  }
  EXPECT_EQ(AppendCDFile(NULLHANDLE, WriteFile("cd", para), "Body"), AppendNullNote);
  EXPECT_EQ(AppendCDFile(FDocument->NoteHandle(), (FFiles.Path() / "none").string(), "Body"),
            AppendNoFile);
}

}  // namespace
