#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include "ELotusNotes.h"
#include "FileText.h"
#include "NotesCharset.h"
#include "NotesErrorOf.h"
#include "StorageFixture.h"

namespace {

using DocumentTest = StorageFixture;

// Items appended straight through the API, as mail from outside arrives.
void AppendText(TNotesDocument& Document, const std::string& Name, const std::string& Text) {
  ASSERT_EQ(NSFItemAppend(Document.NoteHandle(), ITEM_SUMMARY, Name.c_str(),
                          static_cast<WORD>(Name.size()), TYPE_TEXT, Text.data(),
                          static_cast<DWORD>(Text.size())),
            NOERROR);
}

TEST_F(DocumentTest, FieldsListEveryItemInOrderAndDeleteItemRemovesThemAll) {
  NOTEID noteID;
  {
    auto document = FDatabase->CreateDocument();
    EXPECT_EQ(document->CountMultipleItems("Body"), 0);
    EXPECT_TRUE(document->LoadMultipleItems("Body").empty());
    for (const char* text : {"one", "two", "three"}) AppendText(*document, "Body", text);
    const auto items = document->LoadMultipleItems("Body");
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[1]->Index(), 1);
    EXPECT_EQ(items[1]->GetAsString(), "two");
    document->Save();
    noteID = document->NoteID();
  }
  TNotesDocument document(*FDatabase, noteID);
  const auto bodies = [&] {
    int count = 0;
    for (int i = 0; i < document.GetFieldCount(); ++i) count += document.GetFieldName(i) == "Body";
    return count;
  };
  EXPECT_EQ(bodies(), 3);
  // Three short values of one name, not the pieces of one long text.
  EXPECT_EQ(document.GetItemByName("BODY")->GetAsString(), "one");
  document.DeleteItem("body");
  EXPECT_FALSE(document.IsItemExists("Body"));
  EXPECT_EQ(bodies(), 2);
  EXPECT_EQ(document.CountMultipleItems("Body"), 0);
}

TEST_F(DocumentTest, ItemsWrittenAreFoundAFailedReplaceKeepsTheValueAndCopiesAreWhole) {
  auto document = FDatabase->CreateDocument();
  document->SetItemByNum(MAIL_SUBJECT_ITEM_NUM, "Hello");
  EXPECT_EQ(document->GetItemByName("Subject")->GetAsString(), "Hello");
  document->ReplaceItemValue("Count", TVariant::FromInt64(7));
  EXPECT_EQ(document->GetItemByName("Count")->GetAsFloat(), 7.0);
  TVariant mixed = TVariant::CreateArray(0, 1, varVariant);
  mixed.PutElement(0, TVariant("x"));
  mixed.PutElement(1, TVariant(1.0));
  EXPECT_THROW(document->ReplaceItemValue("Count", mixed), ELotusNotes);
  EXPECT_EQ(document->GetItemByName("Count")->GetAsFloat(), 7.0);
  // CopyItem copies every item of the name.
  auto source = FDatabase->CreateDocument();
  const std::string longText = std::string(70000, 'x') + std::string(70000, 'y');
  source->GetItemByName("Body")->SetAsString(longText);
  auto target = FDatabase->CreateDocument();
  target->GetItemByName("Body")->SetAsString("old");
  target->CopyItem(*source, "Body");
  EXPECT_EQ(target->CountMultipleItems("Body"), source->CountMultipleItems("Body"));
  EXPECT_EQ(target->GetItemByName("Body")->GetAsString(), longText);
}

TEST_F(DocumentTest, SavedDocumentsProfilesAndResponsesAreFoundAfterReopening) {
  auto document = FDatabase->CreateDocument();
  EXPECT_EQ(document->NoteID(), 0u);
  document->GetItemByName("Subject")->SetAsString("Persisted");
  document->Save();
  const NOTEID noteID = document->NoteID();
  EXPECT_NE(noteID, 0u);
  const UNIVERSALNOTEID unid = document->GetUniversalID();
  document.reset();
  {
    TNotesDocument profile(*FDatabase, std::string("Settings"));
    EXPECT_NE(profile.NoteID(), 0u);
    profile.GetItemByName("Colour")->SetAsString("blue");
    profile.Save();
  }
  Reopen();
  TNotesDocument byID(*FDatabase, noteID);
  EXPECT_EQ(byID.GetItemByName("Subject")->GetAsString(), "Persisted");
  TNotesDocument byUnid(*FDatabase, unid);
  EXPECT_EQ(byUnid.NoteID(), noteID);
  EXPECT_GT(byUnid.GetLastModified(), 0);
  TNotesDocument profile(*FDatabase, std::string("settings"));
  EXPECT_EQ(profile.GetItemByName("Colour")->GetAsString(), "blue");
  // Responses refer to their parent.
  const NOTEID parentID = SavedDocument("Budget");
  TNotesDocument parent(*FDatabase, parentID);
  TNotesDocument response(*FDatabase, parent);
  const UNIVERSALNOTEID ref = response.GetItemByName("$REF")->GetAsReference();
  const UNIVERSALNOTEID parentUnid = parent.GetUniversalID();
  EXPECT_EQ(std::memcmp(&ref, &parentUnid, sizeof(ref)), 0);
  EXPECT_EQ(response.GetItemByNum(MAIL_SUBJECT_ITEM_NUM), "Re: Budget");
  auto other = FDatabase->CreateResponseDocument(parentUnid, "Answer");
  EXPECT_EQ(other->GetItemByNum(MAIL_SUBJECT_ITEM_NUM), "Answer");
}

class AttachmentTest : public StorageFixture {
 protected:
  // A saved note with one attachment stored under Name; returns its note ID.
  NOTEID WithAttachment(const std::string& Name, const std::string& Content) {
    const auto file = FEnv.Root() / "source.bin";
    vesktest::WriteFileText(file, Content);
    auto document = FDatabase->CreateDocument();
    std::string path = Native2Lmbcs(file.string());
    std::string name = Native2Lmbcs(Name);
    EXPECT_EQ(MailAddMessageAttachment(document->NoteHandle(), path.data(), name.data()), NOERROR);
    document->Save();
    return document->NoteID();
  }
};

TEST_F(AttachmentTest, AttachListsOnlyAfterReopeningUpperCasedAndDeleteIgnoresBadIndexes) {
  const auto file = FEnv.Root() / "Größe.txt";
  vesktest::WriteFileText(file, "content");
  auto document = FDatabase->CreateDocument();
  EXPECT_EQ(NotesErrorOf([&] { document->Attach((FEnv.Root() / "missing.txt").string()); }),
            "0 File to be attached does not exist: " + (FEnv.Root() / "missing.txt").string());
  document->Attach(file.string());
  EXPECT_EQ(document->GetAttachmentCount(), 0);
  document->Save();
  TNotesDocument reopened(*FDatabase, document->NoteID());
  ASSERT_EQ(reopened.GetAttachmentCount(), 1);
  EXPECT_EQ(reopened.GetAttachment(0), "GRÖSSE.TXT");
  EXPECT_EQ(reopened.FindAttachment("größe.txt"), 0);
  EXPECT_EQ(reopened.FindAttachment("other.txt"), -1);
  const auto target = FEnv.Root() / "out.txt";
  reopened.Detach(0, target.string());
  EXPECT_EQ(vesktest::ReadFileText(target), "content");
  // Bad indexes are ignored; a deletion is saved.
  reopened.DeleteAttachment(-1);
  reopened.DeleteAttachment(1);
  EXPECT_EQ(reopened.GetAttachmentCount(), 1);
  reopened.DeleteAttachment(0);
  EXPECT_EQ(reopened.GetAttachmentCount(), 0);
  reopened.Save();
  EXPECT_EQ(TNotesDocument(*FDatabase, reopened.NoteID()).GetAttachmentCount(), 0);
}

// Runs in a directory of its own, so that detaching under the stored name stays inside it.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::filesystem::path& Path)
      : FOld(std::filesystem::current_path()) {
    std::filesystem::create_directories(Path);
    std::filesystem::current_path(Path);
  }
  ~CurrentDirectory() { std::filesystem::current_path(FOld); }

 private:
  std::filesystem::path FOld;
};

TEST_F(AttachmentTest, DetachUnderTheStoredNameNeverLeavesTheDirectory) {
  const NOTEID noteID = WithAttachment("../escape/Report.txt", "data");
  TNotesDocument document(*FDatabase, noteID);
  const auto work = FEnv.Root() / "work" / "inner";
  CurrentDirectory scope(work);
  document.Detach(0, "");
  EXPECT_EQ(vesktest::ReadFileText(work / "Report.txt"), "data");
  EXPECT_FALSE(std::filesystem::exists(FEnv.Root() / "work" / "escape"));
  EXPECT_THROW(document.Detach(1, ""), ELotusNotes);
  TNotesDocument dots(*FDatabase, WithAttachment("..", "data"));
  ASSERT_EQ(dots.GetAttachmentCount(), 1);
  EXPECT_THROW(dots.Detach(0, ""), ELotusNotes) << "a dot name is refused";
}

// Two items "X" ("old", "old2"); a write through any path, then what the objects handed out
// before read. The object written through stands for the first item afterwards.
TEST_F(DocumentTest, EveryItemObjectSeesAWriteThroughAnyOther) {
  const struct {
    const char* Name;
    std::function<void(TNotesDocument&, const TNotesItemList&)> Write;
    const char *FirstReads, *SecondReads;
    int Count;
  } cases[] = {
      {"the first object handed out", [](auto&, auto& Items) { Items[0]->SetAsString("new"); },
       "new", "", 1},
      {"the second object handed out", [](auto&, auto& Items) { Items[1]->SetAsString("new"); },
       "new", "new", 1},
      {"ReplaceItemValue", [](auto& Document, auto&) { Document.ReplaceItemValue("X", "new"); },
       "new", "", 1},
      {"an empty value", [](auto&, auto& Items) { Items[1]->SetItemValue(TVariant()); }, "", "", 0},
      {"DeleteItem", [](auto& Document, auto&) { Document.DeleteItem("X"); }, "", "", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    auto document = FDatabase->CreateDocument();
    for (const char* text : {"old", "old2"}) AppendText(*document, "X", text);
    const TNotesItemList items = document->LoadMultipleItems("X");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0], document->GetItemByName("X"));
    c.Write(*document, items);
    EXPECT_EQ(items[0]->GetAsString(), c.FirstReads);
    EXPECT_EQ(items[1]->GetAsString(), c.SecondReads);
    EXPECT_EQ(document->GetItemByName("X")->GetAsString(), c.FirstReads);
    EXPECT_EQ(document->CountMultipleItems("X"), c.Count);
  }
}

}  // namespace
