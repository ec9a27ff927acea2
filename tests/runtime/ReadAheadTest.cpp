// Notes opened in the order of a collection just read are read ahead in batches; every open
// still returns the note as stored at that moment, whoever changed it in between.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DamageTools.h"
#include "ViewFixtureTest.h"
#include "notesapi/nsfnote.h"

namespace runtimetest {
namespace {

constexpr int Documents = 40;
// Opened before the change: the change falls inside the batch read for them.
constexpr int OpenedBefore = 3;
constexpr int Changed = 5;

using ReadAheadTest = ViewsTest;

TEST_F(ReadAheadTest, EveryOpenSeesTheNoteAsStoredThen) {
  enum THow { Save, Delete, SqlReplace, SqlDelete };
  const struct {
    const char* Name;
    THow How;
    std::string Expected;
  } cases[] = {
      {"saved through another handle", Save, "new"},
      {"deleted through another handle", Delete, "status " + std::to_string(ERR_NOTE_DELETED)},
      {"items replaced by another connection", SqlReplace, "s0"},
      {"deleted by another connection", SqlDelete, "status " + std::to_string(ERR_INVALID_NOTE)},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.Name);
    std::vector<NOTEID> ids;
    for (int index = 0; index < Documents; ++index)
      ids.push_back(Doc({{"Case", test.Name}, {"Subject", "s" + std::to_string(index)}}));
    const std::string selection = std::string("SELECT Case = \"") + test.Name + "\"";
    NOTEID view = AddView({test.Name, selection, {{"Subject", "", ""}}, false, false, ""});
    // Read as the object library reads a view before it opens the documents.
    ASSERT_EQ(Ids(ReadAll(view)), ids);
    for (int index = 0; index < OpenedBefore; ++index)
      EXPECT_EQ(TextOf(FDb, ids[index]), "s" + std::to_string(index));
    const std::string changed = std::to_string(ids[Changed]);
    if (test.How == Save) Change(ids[Changed], {{"Subject", "new"}});
    if (test.How == Delete) NSFNoteDelete(FDb, ids[Changed], 0);
    // Another connection to the file, as another process has.
    if (test.How == SqlReplace)
      vesktest::ExecuteOn(FileOf("views.nsf"),
                          "UPDATE notes SET items = (SELECT items FROM notes WHERE note_id = " +
                              std::to_string(ids[0]) + ") WHERE note_id = " + changed);
    if (test.How == SqlDelete)
      vesktest::ExecuteOn(FileOf("views.nsf"), "DELETE FROM notes WHERE note_id = " + changed);
    for (int index = OpenedBefore; index < Documents; ++index)
      EXPECT_EQ(TextOf(FDb, ids[index]),
                index == Changed ? test.Expected : "s" + std::to_string(index))
          << "document " << index;
  }
}

}  // namespace
}  // namespace runtimetest
