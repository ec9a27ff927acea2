#include "ELotusNotes.h"
#include "NotesApiErrors.h"
#include "NotesFixture.h"

namespace {

using StatusTest = NotesFixture;

ELotusNotes Raised(STATUS Status) {
  try {
    CheckNotesStatus(Status);
  } catch (const ELotusNotes& e) {
    return e;
  }
  ADD_FAILURE() << "no exception for status " << Status;
  return ELotusNotes("");
}

TEST_F(StatusTest, FlagBitsAreMaskedAndTheTextFollowsTheCode) {
  ELotusNotes e = Raised(STS_DISPLAYED | ERR_NOEXIST);
  EXPECT_EQ(e.Status, 0x0103);
  EXPECT_EQ(e.Message(), "Error $0103:File does not exist");
  EXPECT_EQ(Raised(STS_REMOTE | ERR_ITEM_NOT_FOUND).Message(), "Error $0222:Note item not found");
}

TEST_F(StatusTest, UnknownCodeGivesTheGeneralText) {
  ELotusNotes e = Raised(0x3FFE);
  EXPECT_EQ(e.Status, 0x3FFE);
  EXPECT_EQ(e.Message(), "Error $3FFE:General Notes Error");
}

TEST_F(StatusTest, FormulaCompileErrorCarriesTextAndPosition) {
  ELnFormulaCompile e(0x0501, "Error $0501:Formula Error", ERR_ITEM_NOT_FOUND, 7, 3);
  EXPECT_EQ(e.Status, 0x0501);
  EXPECT_EQ(e.CompileError, ERR_ITEM_NOT_FOUND);
  EXPECT_EQ(e.ErrorText, "Note item not found");
  EXPECT_EQ(e.ErrorOffset, 7);
  EXPECT_EQ(e.ErrorLength, 3);
  EXPECT_EQ(e.Message(), "Error $0501:Formula Error: Note item not found (at 7:3)");
}

}  // namespace
