#include <string>
#include <vector>

#include "ELotusNotes.h"
#include "HugeNSFItemAppend.h"
#include "NotesCharset.h"
#include "NotesErrorOf.h"
#include "NotesText.h"
#include "StorageFixture.h"

namespace {

class ItemTest : public DocumentFixture {
 protected:
  TNotesItem& Item(const std::string& Name) { return *FDocument->GetItemByName(Name); }
};

// 64,999 ASCII bytes and then three-byte LMBCS characters, so that a cut at 65,000 bytes
// would fall inside one.
std::string LongText() {
  std::string text(64999, 'a');
  for (int i = 0; i < 30000; ++i) text += "漢";
  return text + "end";
}

TEST_F(ItemTest, LongTextIsSplitBetweenCharactersAndReadsBackWhole) {
  const std::string text = LongText();
  Item("Body").SetAsString(text);
  SaveAndReopen();
  TNotesItem& body = Item("Body");
  EXPECT_EQ(body.GetAsString(), text);
  auto walker = TNotesItem::Create(*FDocument, "Body");
  int pieces = 1;
  for (; walker->LoadNextItem(); ++pieces) {
    EXPECT_EQ(walker->Index(), pieces);
    EXPECT_EQ(walker->DataType(), TYPE_TEXT);
    // Each piece holds whole characters: it converts to native text on its own.
    const std::vector<char> value = walker->GetValueBuffer();
    const std::string piece(value.begin() + 2, value.end());
    EXPECT_EQ(Native2Lmbcs(Lmbcs2Native(piece)), piece);
  }
  EXPECT_GE(pieces, 2);
  EXPECT_EQ(FDocument->CountMultipleItems("Body"), pieces);
  // Rewritten short, no old piece is left behind.
  Item("Body").SetAsString("short");
  SaveAndReopen();
  EXPECT_EQ(FDocument->CountMultipleItems("Body"), 1);
  EXPECT_EQ(Item("Body").GetAsString(), "short");
}

TEST_F(ItemTest, PiecesOfOneLongTextJoinAndSeparateValuesStayApart) {
  const std::string longText = LongText();
  const struct {
    const char* Name;
    std::vector<std::string> Values;  // each appended as the writer appends one text
    std::string FirstReads;
  } cases[] = {{"separate values", {"by A", "by B"}, "by A"},
               {"one long value", {longText}, longText},
               {"a long value, then another", {longText, "by B"}, longText},
               {"a short value, then a long one", {"by A", longText}, "by A"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    auto document = FDatabase->CreateDocument();
    int firstItems = 0;
    for (const std::string& value : c.Values) {
      const std::string lmbcs = Native2Lmbcs(value);
      HugeNSFTextAppend(document->NoteHandle(), 0, "Received", 8, lmbcs.data(),
                        static_cast<DWORD>(lmbcs.size()));
      if (firstItems == 0) firstItems = document->CountMultipleItems("Received");
    }
    EXPECT_EQ(document->GetItemByName("Received")->GetAsString(), c.FirstReads);
    // The item that starts the second value reads that value alone.
    const auto items = document->LoadMultipleItems("Received");
    if (c.Values.size() == 2) {
      EXPECT_EQ(items[firstItems]->GetAsString(), c.Values[1]);
    }
  }
}

// A loaded item rewritten longer, empty lines kept, and the values that write empty text.
TEST_F(ItemTest, TextsReadBackAsWrittenAndEmptyValuesAreEmptyText) {
  TNotesItem& subject = Item("Subject");
  subject.SetAsString("ab");
  EXPECT_EQ(subject.GetAsString(), "ab");
  subject.SetAsString("a much longer subject");
  EXPECT_EQ(subject.ValueLength(), 2u + 21u);
  const std::string letter = "Dear Jane,\r\n\r\nthe figures.\r\n\r\n\r\nRegards";
  Item("Body").SetAsString(letter);
  Item("When").SetAsDateTime(0);
  TStringList empty;
  Item("Lines").SetAsStrings(&empty);
  TStringList pair;
  pair.SetText("one\r\ntwo");
  Item("Pair").SetAsStrings(&pair);
  Item("Pair").SetAsStrings(&Item("Pair").GetAsStrings());  // its own lines written back
  EXPECT_EQ(Item("Pair").GetAsStrings().Count(), 2);
  SaveAndReopen();
  EXPECT_EQ(Item("Subject").GetAsString(), "a much longer subject");
  EXPECT_EQ(Item("Body").GetAsString(), letter);
  for (const char* name : {"When", "Lines"}) {
    EXPECT_EQ(Item(name).DataType(), TYPE_TEXT) << name;
    EXPECT_EQ(Item(name).GetAsString(), "") << name;
  }
}

TEST_F(ItemTest, ScalarKindsAreNumbersNullRemovesAndWrongOrMissingTypesGiveNeutralValues) {
  Item("Flag").SetItemValue(TVariant(true));
  EXPECT_EQ(Item("Flag").GetAsFloat(), 1.0);
  Item("Byte").SetItemValue(TVariant::FromByte(200));
  EXPECT_EQ(Item("Byte").GetAsFloat(), 200.0);
  Item("Big").SetItemValue(TVariant::FromInt64(int64_t{1} << 40));
  EXPECT_EQ(Item("Big").GetAsFloat(), static_cast<double>(int64_t{1} << 40));
  EXPECT_EQ(Item("Big").DataType(), TYPE_NUMBER);
  Item("Big").SetItemValue(TVariant::Null());
  EXPECT_FALSE(Item("Big").Loaded());
  EXPECT_FALSE(FDocument->IsItemExists("Big"));
  Item("Tags").SetAsString("old");
  TVariant mixed = TVariant::CreateArray(0, 1, varVariant);
  mixed.PutElement(0, TVariant("x"));
  mixed.PutElement(1, TVariant(2.5));
  EXPECT_THROW(Item("Tags").SetAsList(mixed), ELotusNotes);
  EXPECT_EQ(Item("Tags").GetAsString(), "old");
  // Wrong and missing types give neutral values; huge ones are pieces.
  Item("Text").SetAsString("abc");
  EXPECT_EQ(Item("Text").GetAsNumbers(), TVariant(int32_t{0}));
  EXPECT_TRUE(Item("Text").GetAsTimes().IsNull());
  EXPECT_EQ(Item("Text").GetAsFloat(), 0.0);
  TNotesItem& missing = Item("Missing");
  EXPECT_FALSE(missing.Loaded());
  EXPECT_EQ(missing.GetAsString(), "");
  EXPECT_TRUE(missing.GetAsList().IsNull());
  EXPECT_TRUE(missing.GetItemValue().IsNull());
  EXPECT_THROW(TNotesItem::Create(*FDocument, "Missing"), ELotusNotes);
  // Huge values are pieces of at most 65,000 bytes.
  const std::vector<char> value(65001, 'v');
  HugeNSFItemAppend(FDocument->NoteHandle(), 0, "Blob", 4, TYPE_TEXT, value.data(),
                    static_cast<DWORD>(value.size()));
  const auto items = FDocument->LoadMultipleItems("Blob");
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0]->ValueLength(), 2u + 65000u);
  EXPECT_EQ(items[1]->ValueLength(), 2u + 1u);
}

TVariant ArrayOf(TVarType ElementType, const std::vector<TVariant>& Elements, int LowBound = 0) {
  TVariant array = TVariant::CreateArray(LowBound, LowBound + static_cast<int>(Elements.size()) - 1,
                                         ElementType);
  for (size_t i = 0; i < Elements.size(); ++i)
    array.PutElement(LowBound + static_cast<int>(i), Elements[i]);
  return array;
}

TEST_F(ItemTest, TextListsReadBackWholeAndNumberAndTimeListsAreConvertedByElement) {
  const std::string longEntry(5000, 'e');
  TVariant list = TVariant::CreateArray(3, 4, varOleStr);
  list.PutElement(3, TVariant("größe"));
  list.PutElement(4, TVariant(longEntry));
  Item("Tags").SetAsList(list);
  SaveAndReopen();
  const TVariant read = Item("Tags").GetAsList();
  ASSERT_TRUE(read.IsArray());
  EXPECT_EQ(read.LowBound(), 0);
  EXPECT_EQ(read.GetElement(0).AsString(), "größe");
  EXPECT_EQ(read.GetElement(1).AsString(), longEntry);
  TStringList& lines = Item("Tags").GetAsStrings();
  Item("Tags").GetAsStrings();
  EXPECT_EQ(lines.Count(), 2);
  // Number and time lists are converted element by element.
  const struct {
    const char* Name;
    TVariant Value;
    bool AsTimes;
    std::vector<double> Reads;  // empty: refused, naming the element
  } cases[] = {
      {"integers as numbers",
       ArrayOf(varInteger, {int32_t{1}, int32_t{2}, int32_t{3}}, 1),
       false,
       {1, 2, 3}},
      {"variants as numbers", ArrayOf(varVariant, {int16_t{7}, 2.5, "4"}), false, {7, 2.5, 4}},
      {"doubles as times", ArrayOf(varDouble, {45000.5, 45001.25}), true, {45000.5, 45001.25}},
      {"integers as times", ArrayOf(varInteger, {int32_t{45000}}), true, {45000}},
      {"a null among numbers", ArrayOf(varVariant, {1.0, TVariant::Null()}), false, {}},
      {"a word among times", ArrayOf(varVariant, {45000.5, "soon"}), true, {}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TNotesItem& item = Item("L");
    item.SetAsString("old");
    if (c.Reads.empty()) {
      EXPECT_PRED_FORMAT2(
          testing::IsSubstring, "Element 1 of the list for the item L",
          NotesErrorOf([&] { c.AsTimes ? item.SetAsTimes(c.Value) : item.SetAsNumbers(c.Value); }));
      EXPECT_EQ(item.GetAsString(), "old");
      continue;
    }
    c.AsTimes ? item.SetAsTimes(c.Value) : item.SetAsNumbers(c.Value);
    const TVariant read = c.AsTimes ? item.GetAsTimes() : item.GetAsNumbers();
    ASSERT_TRUE(read.IsArray());
    EXPECT_EQ(read.LowBound(), 0);
    ASSERT_EQ(read.ElementCount(), static_cast<int>(c.Reads.size()));
    for (size_t i = 0; i < c.Reads.size(); ++i)
      EXPECT_NEAR(read.GetElement(static_cast<int>(i)).AsDouble(), c.Reads[i], 1e-6);
  }
}

TEST_F(ItemTest, HandedOutItemsSurviveAReloadAndReferencesAndNonAsciiNamesASave) {
  TNotesItem* subject = FDocument->GetItemByName("Subject");
  subject->SetAsString("kept");
  FDocument->ReloadFields();
  EXPECT_EQ(FDocument->GetItemByName("Subject"), subject);
  EXPECT_EQ(subject->GetAsString(), "kept");
  UNIVERSALNOTEID unid{};
  unid.File[0] = 0x11223344;
  unid.Note.Innards[1] = 0x55667788;
  Item("$REF").SetAsReference(unid);
  Item("Grüße").SetAsString("Zürich\r\nGenève");
  SaveAndReopen();
  const UNIVERSALNOTEID read = Item("$REF").GetAsReference();
  EXPECT_EQ(read.File[0], 0x11223344u);
  EXPECT_EQ(read.Note.Innards[1], 0x55667788u);
  EXPECT_EQ(Item("Grüße").GetAsString(), "Zürich\r\nGenève");
  EXPECT_EQ(Item("$REF").GetItemValue().AsString(), UNIDtoStr(unid, true));
}

}  // namespace
