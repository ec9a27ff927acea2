// What the full-text index holds and how it stays current: built on the first search, then
// changed with every save and deletion, kept in the file across closing and reopening.
#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "FullTextFixture.h"
#include "RichTextRecords.h"
#include "notesapi/nsfnote.h"

namespace runtimetest {

namespace {

using Ids = std::vector<NOTEID>;

class FullTextIndex : public FullTextTest {
 protected:
  NOTEID AddRaw(const std::string& Name, WORD Type, const std::string& Value, WORD Class = 1);
};

NOTEID FullTextIndex::AddRaw(const std::string& Name, WORD Type, const std::string& Value,
                             WORD Class) {
  NoteRef note;
  EXPECT_EQ(NSFNoteCreate(Db(), note.Out()), NOERROR);
  NSFNoteSetInfo(note.Get(), _NOTE_CLASS, &Class);
  AppendItem(note.Get(), Name, Type, Value, 0);
  EXPECT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
  return IdOf(note.Get());
}

}  // namespace

TEST_F(FullTextIndex, TextListEntriesAndRichTextRunsAreSearchedAsTheirWords) {
  NOTEID list = AddRaw("SendTo", TYPE_TEXT_LIST, TextListValue({"Anna Berg", "Carl Dahl"}));
  EXPECT_EQ(Found("dahl"), Ids{list});
  EXPECT_EQ(Found("[SendTo] CONTAINS anna"), Ids{list});
  // Entries are separate lines, but still side by side as words.
  EXPECT_EQ(Found("\"anna berg\""), Ids{list});
  NOTEID body = AddRaw("Body", TYPE_COMPOSITE,
                       ParagraphRecord() + TextRun("The bud") + TextRun("get is") +
                           ParagraphRecord() + TextRun("approved"));
  EXPECT_EQ(Found("budget"), Ids{body});
  EXPECT_EQ(Found("[Body] CONTAINS approved"), Ids{body});
  EXPECT_EQ(Found("isapproved"), Ids{});
}

TEST_F(FullTextIndex, DamagedRichTextIndexesWhatCanBeReadAndNothingElse) {
  std::string value = ParagraphRecord() + TextRun("readable words");
  // A run that claims far more than is there.
  std::string overlong = value + Bytes({0x85, 0xFF, 0xFF, 0x7F}) + "hidden";
  NOTEID damaged = AddRaw("Body", TYPE_COMPOSITE, overlong);
  NOTEID tiny = AddRaw("Body", TYPE_COMPOSITE, std::string("\x85", 1));
  EXPECT_EQ(Found("readable"), Ids{damaged});
  EXPECT_EQ(Found("hidden"), Ids{});
  EXPECT_EQ(Found("NOT readable"), Ids{tiny});
}

// Only documents are indexed, and of them only text: numbers and other types are not.
TEST_F(FullTextIndex, OnlyTextOfDocumentsIsIndexed) {
  AddRaw("$TITLE", TYPE_TEXT, "Secret form", NOTE_CLASS_FORM);
  NOTEID document = AddDocument({{"Subject", "secret plan"}});
  EXPECT_EQ(Found("secret"), Ids{document});
  EXPECT_EQ(Found("NOT plan"), Ids{});
  NoteRef note;
  ASSERT_EQ(NSFNoteCreate(Db(), note.Out()), NOERROR);
  NUMBER amount = 1234;
  ASSERT_EQ(NSFItemSetNumber(note.Get(), "Amount", &amount), NOERROR);
  AppendText(note.Get(), "Subject", "invoice");
  ASSERT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
  EXPECT_EQ(Found("invoice"), Ids{IdOf(note.Get())});
  EXPECT_EQ(Found("Amount"), Ids{});
  EXPECT_EQ(Found("1234"), Ids{});
}

// Built at the first search over what was saved before, then changed by every save, removed
// item and deletion, and kept in the file across closing and reopening.
TEST_F(FullTextIndex, TheIndexFollowsEveryChangeAndStaysWithTheFile) {
  std::vector<NOTEID> ids;
  for (int index = 0; index < 300; ++index)
    ids.push_back(AddDocument({{"Subject", "batch " + std::to_string(index)}}));
  EXPECT_EQ(Found("batch"), ids);
  EXPECT_EQ(Found("\"batch 7\""), Ids{ids[7]});
  NOTEID first = AddDocument({{"Subject", "alpha"}, {"Body", "drop"}});
  NOTEID second = AddDocument({{"Subject", "alpha too"}});
  EXPECT_EQ(Found("alpha"), Sorted({first, second}));
  Rewrite(first, "Subject", "beta");
  EXPECT_EQ(Found("alpha"), Ids{second});
  EXPECT_EQ(Found("beta"), Ids{first});
  EXPECT_EQ(Found("drop"), Ids{first});
  NoteRef note;
  ASSERT_EQ(NSFNoteOpen(Db(), first, 0, note.Out()), NOERROR);
  ASSERT_EQ(NSFItemDelete(note.Get(), "Body", 4), NOERROR);
  ASSERT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
  EXPECT_EQ(Found("drop"), Ids{});
  Reopen();
  NOTEID after = AddDocument({{"Subject", "beta too"}});
  Reopen();
  EXPECT_EQ(Found("beta"), Sorted({first, after}));
  ASSERT_EQ(NSFNoteDelete(Db(), second, 0), NOERROR);
  EXPECT_EQ(Found("alpha"), Ids{});
  ASSERT_EQ(NSFNoteDelete(Db(), first, UPDATE_NOSTUB), NOERROR);
  EXPECT_EQ(Found("beta"), Ids{after});
  EXPECT_EQ(Found("NOT gamma").size(), ids.size() + 1);  // no stub
}

// Another process that saves into the database keeps its index current in the same
// transaction.
TEST_F(FullTextIndex, SavesOfOtherProcessesAreIndexedWithThem) {
  ASSERT_EQ(Found("NOT doc"), Ids{});
  vesktest::ChildProcess child({STORAGE_CHILD_PATH, FileOf("ft.nsf").string(), "0", "5"});
  ASSERT_EQ(child.Wait(), 0);
  EXPECT_EQ(Found("doc").size(), 5u);
  EXPECT_EQ(Found("\"doc 3\"").size(), 1u);
}

}  // namespace runtimetest
