#include <cstring>
#include <string>
#include <vector>

#include "ELotusNotes.h"
#include "NotesCharset.h"
#include "NotesFileObject.h"
#include "NotesFixture.h"
#include "NotesFontTable.h"
#include "NotesListValue.h"
#include "NotesUpperCase.h"

namespace {

using StoredValuesTest = NotesFixture;

// A "$FILE" value: type word, FILEOBJECT, then NameBytes of the name (the name length field
// may claim more).
std::vector<char> FileValue(const std::string& Name, WORD ClaimedLength, WORD ObjectType) {
  std::vector<char> value(sizeof(WORD) + sizeof(FILEOBJECT));
  const WORD type = TYPE_OBJECT;
  std::memcpy(value.data(), &type, sizeof(type));
  FILEOBJECT object{};
  object.Header.ObjectType = ObjectType;
  object.Header.RRV = 77;
  object.FileNameLength = ClaimedLength;
  object.HostType = HOST_LOCAL;
  object.FileSize = 1234;
  std::memcpy(value.data() + sizeof(WORD), &object, sizeof(object));
  value.insert(value.end(), Name.begin(), Name.end());
  return value;
}

TEST_F(StoredValuesTest, FileObjectsGiveNameSizeAndObjectOrAreRefused) {
  const auto value = FileValue("report.doc", 10, OBJECT_FILE);
  TFileObjectInfo info;
  ASSERT_TRUE(ReadFileObject(value.data(), value.size(), info));
  EXPECT_EQ(info.FileName, "report.doc");
  EXPECT_EQ(info.FileSize, 1234u);
  EXPECT_EQ(info.ObjectID, 77u);
  EXPECT_EQ(info.HostType, HOST_LOCAL);
  info.FileName = "untouched";
  const auto overlong = FileValue("a.txt", 6, OBJECT_FILE);
  EXPECT_FALSE(ReadFileObject(overlong.data(), overlong.size(), info));
  const auto notAFile = FileValue("a.txt", 5, 1);
  EXPECT_FALSE(ReadFileObject(notAFile.data(), notAFile.size(), info));
  const auto whole = FileValue("a.txt", 5, OBJECT_FILE);
  EXPECT_FALSE(ReadFileObject(whole.data(), sizeof(WORD) + sizeof(FILEOBJECT) - 1, info));
  std::vector<char> wrongType = whole;
  wrongType[0] = static_cast<char>(TYPE_TEXT & 0xFF);
  wrongType[1] = static_cast<char>(TYPE_TEXT >> 8);
  EXPECT_FALSE(ReadFileObject(wrongType.data(), wrongType.size(), info));
  EXPECT_EQ(info.FileName, "untouched");
}

TEST_F(StoredValuesTest, AttachmentNamesLoseDirectoriesAndUpperCaseCoversEveryScript) {
  EXPECT_EQ(SafeAttachmentFileName("../../etc/passwd"), "passwd");
  EXPECT_EQ(SafeAttachmentFileName("C:\\temp\\Report.DOC"), "Report.DOC");
  EXPECT_EQ(SafeAttachmentFileName("plain.txt"), "plain.txt");
  EXPECT_EQ(SafeAttachmentFileName(".."), "");
  EXPECT_EQ(SafeAttachmentFileName("dir/.."), "");
  EXPECT_EQ(SafeAttachmentFileName("dir/."), "");
  EXPECT_EQ(SafeAttachmentFileName("dir/"), "");
  EXPECT_EQ(SafeAttachmentFileName(""), "");
  // Upper case covers every script.
  EXPECT_EQ(NotesUpperCase("größe.txt"), "GRÖSSE.TXT");
  EXPECT_EQ(NotesUpperCase("αβγ-файл.doc"), "ΑΒΓ-ФАЙЛ.DOC");
  EXPECT_EQ(NotesUpperCase(""), "");
}

std::vector<char> WithTypeWord(const std::vector<char>& Record) {
  std::vector<char> value(sizeof(WORD));
  const WORD type = TYPE_COMPOSITE;
  std::memcpy(value.data(), &type, sizeof(type));
  value.insert(value.end(), Record.begin(), Record.end());
  return value;
}

TEST_F(StoredValuesTest, FontTablesRoundTripReadOnlyWhatTheyHoldAndCutLongNamesBetweenCharacters) {
  const std::string wide = Native2Lmbcs("漢");
  ASSERT_GT(wide.size(), 1u);
  const std::string longName = std::string(30, 'x') + wide;
  const auto record = BuildFontTable({{5, 1, "Arial"}, {6, 2, longName}});
  ASSERT_EQ(record.size(), 6 + 2 * FontFaceSize);
  WORD signature;
  std::memcpy(&signature, record.data(), sizeof(signature));
  EXPECT_EQ(signature, FontTableSignature);
  const auto value = WithTypeWord(record);
  const auto faces = ReadFontTable(value.data(), value.size());
  ASSERT_EQ(faces.size(), 2u);
  EXPECT_EQ(faces[0].Face, 5);
  EXPECT_EQ(faces[0].Family, 1);
  EXPECT_EQ(faces[0].Name, "Arial");
  EXPECT_EQ(faces[1].Face, 6);
  // The multibyte character does not fit beside 30 bytes within 31: it is left out whole.
  EXPECT_EQ(faces[1].Name, std::string(30, 'x'));
  // Only faces inside the value are read; too many faces raise.
  auto claiming = WithTypeWord(BuildFontTable({{5, 1, "Arial"}, {6, 2, "Courier"}}));
  const WORD claimed = 500;
  std::memcpy(claiming.data() + sizeof(WORD) + 4, &claimed, sizeof(claimed));
  EXPECT_EQ(ReadFontTable(claiming.data(), claiming.size()).size(), 2u);
  EXPECT_EQ(ReadFontTable(claiming.data(), claiming.size() - 1).size(), 1u);
  EXPECT_TRUE(ReadFontTable(claiming.data(), 7).empty());
  // A face name filling its whole field has no NUL; it ends with the field.
  auto full = WithTypeWord(BuildFontTable({{5, 1, ""}}));
  std::memset(full.data() + sizeof(WORD) + 6 + 2, 'n', FontNameSize);
  EXPECT_EQ(ReadFontTable(full.data(), full.size())[0].Name, std::string(FontNameSize, 'n'));
  EXPECT_THROW(BuildFontTable(std::vector<TFontFace>(2000, TFontFace{5, 1, "Arial"})), ELotusNotes);
}

TVariant Array(int Low, TVarType Type, const std::vector<TVariant>& Elements) {
  TVariant array = TVariant::CreateArray(Low, Low + static_cast<int>(Elements.size()) - 1, Type);
  for (size_t i = 0; i < Elements.size(); ++i)
    array.PutElement(Low + static_cast<int>(i), Elements[i]);
  return array;
}

TEST_F(StoredValuesTest, ListsAreStoredInTheirLayoutsOrRaise) {
  const TListValue list = BuildListValue(Array(3, varOleStr, {TVariant("a"), TVariant("bc")}));
  EXPECT_EQ(list.DataType, TYPE_TEXT_LIST);
  const std::vector<char> expected = {2, 0, 1, 0, 2, 0, 'a', 'b', 'c'};
  EXPECT_EQ(list.Bytes, expected);
  const TListValue numbers =
      BuildListValue(Array(0, varVariant, {TVariant(int32_t{2}), TVariant::FromByte(7)}));
  EXPECT_EQ(numbers.DataType, TYPE_NUMBER_RANGE);
  ASSERT_EQ(numbers.Bytes.size(), 4 + 2 * sizeof(NUMBER));
  NUMBER second;
  std::memcpy(&second, numbers.Bytes.data() + 4 + sizeof(NUMBER), sizeof(second));
  EXPECT_EQ(second, 7.0);
  EXPECT_EQ(BuildListValue(Array(0, varBoolean, {TVariant(true)})).DataType, TYPE_NUMBER_RANGE);
  EXPECT_EQ(BuildListValue(Array(0, varDate, {TVariant::FromDate(45000)})).DataType,
            TYPE_TIME_RANGE);
  EXPECT_THROW(BuildListValue(Array(0, varVariant, {TVariant("a"), TVariant(1.5)})), ELotusNotes);
  EXPECT_THROW(BuildListValue(Array(0, varVariant, {TVariant::Null()})), ELotusNotes);
  const TListValue empty = BuildListValue(TVariant::CreateArray(0, -1, varVariant));
  EXPECT_EQ(empty.DataType, TYPE_TEXT_LIST);
  EXPECT_EQ(empty.Bytes.size(), sizeof(LIST));
}

}  // namespace
