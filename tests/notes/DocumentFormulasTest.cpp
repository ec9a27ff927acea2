#include <string>

#include "DateUtils.h"
#include "DesignFixture.h"
#include "ELotusNotes.h"
#include "NotesErrorOf.h"
#include "StringList.h"
#include "notesapi/nsfsearc.h"

namespace {

class DocumentFormulasTest : public DesignFixture {
 protected:
  // A form whose fields have these defaults ("name|formula").
  void FormWithDefaults(const std::string& Name, std::initializer_list<const char*> Defaults) {
    TNotesDocument form(*FDatabase, CreateForm(Name, {}));
    TStringList lines;
    for (const char* line : Defaults) lines.Add(line);
    form.GetItemByName("$NotesRT_FieldDefaults")->SetAsStrings(&lines);
    form.Save();
  }
};

TEST_F(DocumentFormulasTest, EvaluateGivesValuesRaisesOnErrorsAndAssignsInMemoryOnly) {
  auto document = FDatabase->CreateDocument();
  document->GetItemByName("Subject")->SetAsString("Größe");
  EXPECT_EQ(document->Evaluate(R"(Subject + " ½")").AsString(), "Größe ½");
  EXPECT_EQ(document->Evaluate("6 * 7").AsDouble(), 42.0);
  const TVariant list = document->Evaluate(R"("a" : "b" : Subject)");
  ASSERT_TRUE(list.IsArray());
  ASSERT_EQ(list.ElementCount(), 3);
  EXPECT_EQ(list.GetElement(2).AsString(), "Größe");
  const TVariant date = document->Evaluate("@Date(2024; 1; 31)");
  EXPECT_EQ(date.VarType(), varDate);
  EXPECT_EQ(date.AsDateTime(), EncodeDate(2024, 1, 31));
  EXPECT_THROW(document->Evaluate(R"(@Error)"), ELotusNotes);
  EXPECT_THROW(document->Evaluate(R"(1 + "a")"), ELotusNotes);
  EXPECT_THROW(document->Evaluate(std::string(70000, ' ') + "1"), ELotusNotes);
  // Field assignments change the note in memory only.
  const NOTEID noteID = CreateDocument({{"Subject", "old"}});
  {
    TNotesDocument stored(*FDatabase, noteID);
    EXPECT_EQ(stored.Evaluate(R"(FIELD Subject := "new"; Subject)").AsString(), "new");
    EXPECT_EQ(stored.GetItemByName("Subject")->GetAsString(), "new");
  }
  EXPECT_EQ(TNotesDocument(*FDatabase, noteID).GetItemByName("Subject")->GetAsString(), "old");
}

TEST_F(DocumentFormulasTest, CompileErrorsCarryStatusTextAndPositionInTheCallersText) {
  auto document = FDatabase->CreateDocument();
  const std::string formula = R"("Grüße – " + @Prompt([Ok]; "a"; "b"))";
  try {
    document->Evaluate(formula);
    ADD_FAILURE() << "an unsupported function was accepted";
  } catch (const ELnFormulaCompile& e) {
    EXPECT_EQ(e.Status, ERR(ERR_FORMULA_COMPILATION));
    EXPECT_EQ(e.CompileError, ERR_FORMULA_UNSUPPORTED_FUNCTION);
    EXPECT_FALSE(e.ErrorText.empty());
    EXPECT_EQ(e.ErrorOffset, formula.find("@Prompt"));
    EXPECT_EQ(e.ErrorLength, 7);
    EXPECT_NE(std::string(e.Message()).find(e.ErrorText), std::string::npos);
  }
  try {
    document->Evaluate(R"(x := "open)");
    ADD_FAILURE() << "an unterminated string was accepted";
  } catch (const ELnFormulaCompile& e) {
    EXPECT_EQ(e.CompileError, ERR_FORMULA_UNTERMINATED_STRING);
    EXPECT_EQ(e.ErrorOffset, 5);
  }
}

TEST_F(DocumentFormulasTest, AttachFormCopiesTheDesignItemsOfTheFormNamedLiterally) {
  const char* const notCopied[] = {"$Fields",    "$Signature", "$UpdatedBy", "$Flags",
                                   "$Revisions", "$MySendTo",  "$copyto2",   "Color"};
  std::map<std::string, std::string> items = {{"$Body", "design"}, {"$Info", "info"}};
  for (const char* name : notCopied) items[name] = "x";
  CreateForm("Memo", items);
  CreateForm("Other", {{"$Body", "other"}});
  auto document = FDatabase->CreateDocument();
  document->GetItemByName("Form")->SetAsString("Memo");
  document->AttachForm("Memo");
  EXPECT_EQ(document->GetItemByName("$Body")->GetAsString(), "design");
  EXPECT_EQ(document->GetItemByName("$Info")->GetAsString(), "info");
  for (const char* name : notCopied) EXPECT_FALSE(document->IsItemExists(name)) << name;
  EXPECT_FALSE(document->IsItemExists("Form"));
  CreateForm(R"(Say "Hi" \ Bye)", {{"$Body", "quoted"}});
  document->AttachForm(R"(Say "Hi" \ Bye)");
  EXPECT_EQ(document->GetItemByName("$Body")->GetAsString(), "quoted");
  // Unescaped, this name would select every form.
  const std::string injected = R"(x" | @True | "y)";
  EXPECT_EQ(NotesErrorOf([&] { document->AttachForm(injected); }),
            "-1 Form " + injected + " was not found");
  EXPECT_EQ(document->GetItemByName("$Body")->GetAsString(), "quoted");
}

// The defaults computed are read at once, also through an item object handed out before; a
// failing default is reported only when asked, and then no default is given.
TEST_F(DocumentFormulasTest, ComputeWithFormGivesMissingFieldsTheFormsDefaults) {
  FormWithDefaults("Memo", {R"(Priority|"Normal")", R"(Subject|"none")"});
  FormWithDefaults("Broken", {R"(Priority|"Normal")", R"(Broken|1 + "a")"});
  auto memo = FDatabase->CreateDocument();
  memo->GetItemByName("Form")->SetAsString("Memo");
  memo->GetItemByName("Subject")->SetAsString("given");
  TNotesItem* priority = memo->GetItemByName("Priority");
  EXPECT_TRUE(memo->ComputeWithForm(true));
  EXPECT_EQ(priority->GetAsString(), "Normal");
  EXPECT_EQ(memo->GetItemByName("Subject")->GetAsString(), "given");
  auto broken = FDatabase->CreateDocument();
  broken->GetItemByName("Form")->SetAsString("Broken");
  EXPECT_FALSE(broken->ComputeWithForm(false));
  EXPECT_THROW(broken->ComputeWithForm(true), ELotusNotes);
  EXPECT_FALSE(broken->IsItemExists("Priority"));
}

}  // namespace
