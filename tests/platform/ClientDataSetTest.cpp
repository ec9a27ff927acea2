// The client dataset model: index order, editing, and its data packet on disk.
#include <gtest/gtest.h>

#include "ClientDataSet.h"
#include "MemoryStream.h"
#include "TempDir.h"

namespace {

TClientDataSet People() {
  TClientDataSet Data;
  Data.FieldDefs = {{"Name", ftString, 5}, {"Age", ftInteger, 0}, {"Born", ftDateTime, 0}};
  Data.CreateDataSet();
  const std::pair<const char*, TVariant> Rows[] = {
      {"Maria", 41}, {"Wei", TVariant::Null()}, {"Anna-Lena", 29}, {"Lars", "35"}};
  for (const auto& [Name, Age] : Rows) {
    Data.Append();
    Data.SetFieldValue("name", Name);
    Data.SetFieldValue("Age", Age);
    Data.SetFieldValue("Born", TVariant::FromDate(45000.5));
    Data.Post();
  }
  return Data;
}

std::vector<std::string> Column(TClientDataSet& Data, const char* Field) {
  std::vector<std::string> Values;
  for (Data.First(); !Data.Eof(); Data.Next())
    Values.push_back(Data.FieldValue(Field).IsNull() ? "null" : Data.FieldValue(Field).AsString());
  return Values;
}

TEST(ClientDataSet, IndexesOrderTheRecords) {
  TClientDataSet Data = People();
  using Names = std::vector<std::string>;
  EXPECT_EQ(Column(Data, "Name"), (Names{"Maria", "Wei", "Anna-", "Lars"}));
  Data.AddIndex("ByAge", "Age", 0);
  Data.AddIndex("ByAgeDown", "Age", ixDescending);
  Data.SetIndexName("ByAge");
  EXPECT_EQ(Column(Data, "Name"), (Names{"Wei", "Anna-", "Lars", "Maria"}));
  Data.SetIndexName("ByAgeDown");
  EXPECT_EQ(Column(Data, "Age"), (Names{"41", "35", "29", "null"}));
  // A new record takes its place in the index at once and becomes the current one.
  Data.Insert();
  Data.SetFieldValue("Name", "Old");
  Data.SetFieldValue("Age", 90);
  Data.Post();
  EXPECT_EQ(Data.FieldValue("Name").AsString(), "Old");
  EXPECT_EQ(Column(Data, "Age").front(), "90");
  EXPECT_THROW(Data.SetIndexName("Missing"), EDatabaseError);
  EXPECT_THROW(Data.AddIndex("ByAge", "Name", 0), EDatabaseError);
  EXPECT_THROW(Data.SetFieldValue("Age", 1), EDatabaseError);
  Data.First();
  Data.Edit();
  EXPECT_THROW(Data.SetFieldValue("Age", "not a number"), EVariantError);
}

TEST(ClientDataSet, PacketsSurviveAFileAndDamagedOnesAreRefused) {
  vesktest::TempDir Dir;
  std::string File = (Dir.Path() / "people.cds").string();
  TClientDataSet Saved = People();
  Saved.SaveToFile(File);
  TClientDataSet Loaded;
  Loaded.LoadFromFile(File);
  EXPECT_EQ(Loaded.FieldDefs, Saved.FieldDefs);
  EXPECT_EQ(Loaded.Data().Records, Saved.Data().Records);

  TMemoryStream Whole;
  Saved.SaveToStream(Whole);
  const char* Bytes = static_cast<const char*>(Whole.Memory());
  for (int64_t Size = 0; Size < Whole.Size(); ++Size) {
    TMemoryStream Cut;
    Cut.WriteBuffer(Bytes, Size);
    Cut.SetPosition(0);
    EXPECT_THROW(Loaded.LoadFromStream(Cut), EDatabaseError) << Size;
  }
  EXPECT_EQ(Loaded.RecordCount(), 4);
}

}  // namespace
