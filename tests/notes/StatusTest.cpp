#include "ELotusNotes.h"
#include "NotesApiErrors.h"
#include "NotesErrorOf.h"
#include "NotesFixture.h"

namespace {

using StatusTest = NotesFixture;

// The flag bits are masked off the code, and a code without a text of its own gets the general
// one; a formula's compile error adds its own text and position.
TEST_F(StatusTest, TheMessageNamesTheCodeAndItsText) {
  const struct {
    STATUS Status;
    STATUS Code;
    const char* Message;
  } cases[] = {{STS_DISPLAYED | ERR_NOEXIST, 0x0103, "Error $0103:File does not exist"},
               {STS_REMOTE | ERR_ITEM_NOT_FOUND, 0x0222, "Error $0222:Note item not found"},
               {0x3FFE, 0x3FFE, "Error $3FFE:General Notes Error"}};
  for (const auto& c : cases)
    EXPECT_EQ(NotesErrorOf([&] { CheckNotesStatus(c.Status); }),
              std::to_string(c.Code) + " " + c.Message);
  // A formula's compile error carries its own text and position.
  ELnFormulaCompile e(0x0501, "Error $0501:Formula Error", ERR_ITEM_NOT_FOUND, 7, 3);
  EXPECT_EQ(e.CompileError, ERR_ITEM_NOT_FOUND);
  EXPECT_EQ(e.ErrorText, "Note item not found");
  EXPECT_EQ(e.Message(), "Error $0501:Formula Error: Note item not found (at 7:3)");
}

}  // namespace
