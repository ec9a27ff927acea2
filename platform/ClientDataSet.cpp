#include "ClientDataSet.h"

#include <algorithm>

#include "FileStream.h"
#include "SysUtils.h"
#include "Unicode.h"

EDatabaseError::~EDatabaseError() = default;

TVarType FieldVarType(TFieldType Type) {
  switch (Type) {
    case ftSmallint:
      return varSmallint;
    case ftInteger:
    case ftWord:
      return varInteger;
    case ftBoolean:
      return varBoolean;
    case ftFloat:
      return varDouble;
    case ftCurrency:
      return varCurrency;
    case ftDate:
    case ftTime:
    case ftDateTime:
      return varDate;
    case ftLargeint:
      return varInt64;
    default:
      return varString;
  }
}

namespace {

// The first Size characters (not bytes) of a UTF-8 text.
std::string CutToCharacters(const std::string& Text, int Size) {
  size_t Pos = 0;
  for (int Count = 0; Count < Size && Pos < Text.size(); ++Count) NextUtf8CodePoint(Text, Pos);
  return Text.substr(0, Pos);
}

bool IsText(const TVariant& Value) {
  return Value.VarType() == varString || Value.VarType() == varOleStr;
}

// Null sorts first, then numbers (and Booleans and dates) by value, texts by their bytes.
int CompareValues(const TVariant& A, const TVariant& B) {
  if (A.IsNull() || A.IsEmpty() || B.IsNull() || B.IsEmpty())
    return (B.IsNull() || B.IsEmpty()) - (A.IsNull() || A.IsEmpty());
  if (IsText(A) || IsText(B)) return A.AsString().compare(B.AsString());
  double X = A.AsDouble(), Y = B.AsDouble();
  return (X > Y) - (X < Y);
}

std::vector<std::string> SplitFields(const std::string& Fields) {
  std::vector<std::string> Names;
  size_t Start = 0;
  for (;;) {
    size_t End = Fields.find(';', Start);
    Names.push_back(Trim(Fields.substr(Start, End == std::string::npos ? End : End - Start)));
    if (End == std::string::npos) return Names;
    Start = End + 1;
  }
}

}  // namespace

void TClientDataSet::CreateDataSet() {
  FRecords.clear();
  Open();
}

void TClientDataSet::Open() {
  if (FieldDefs.empty()) throw EDatabaseError("Missing data provider or data packet");
  FState = dsBrowse;
  Reorder();
  FCursor = 0;
}

void TClientDataSet::Close() {
  FState = dsInactive;
}

void TClientDataSet::CheckActive() const {
  if (!Active()) throw EDatabaseError("Cannot perform this operation on a closed dataset");
}

void TClientDataSet::CheckBrowse() const {
  CheckActive();
  if (FState != dsBrowse) throw EDatabaseError("Dataset not in browse mode");
}

void TClientDataSet::First() {
  CheckBrowse();
  FCursor = 0;
}

void TClientDataSet::Next() {
  CheckBrowse();
  if (FCursor < FOrder.size()) ++FCursor;
}

bool TClientDataSet::Eof() const {
  return !Active() || FCursor >= FOrder.size();
}

void TClientDataSet::EmptyDataSet() {
  CheckBrowse();
  FRecords.clear();
  FOrder.clear();
  FCursor = 0;
}

void TClientDataSet::Insert() {
  CheckBrowse();
  FEditBuffer.assign(FieldDefs.size(), TVariant::Null());
  FState = dsInsert;
}

void TClientDataSet::Edit() {
  CheckBrowse();
  FEditBuffer = CurrentRecord();
  FState = dsEdit;
}

void TClientDataSet::Post() {
  CheckActive();
  if (FState == dsBrowse) return;
  size_t Stored = FRecords.size();
  if (FState == dsInsert)
    FRecords.push_back(std::move(FEditBuffer));
  else
    FRecords[Stored = FOrder.at(FCursor)] = std::move(FEditBuffer);
  FState = dsBrowse;
  Reorder();
  FCursor = static_cast<size_t>(std::find(FOrder.begin(), FOrder.end(), Stored) - FOrder.begin());
}

void TClientDataSet::Cancel() {
  if (FState == dsInsert || FState == dsEdit) FState = dsBrowse;
}

int TClientDataSet::FindField(const std::string& Name) const {
  for (size_t Index = 0; Index < FieldDefs.size(); ++Index)
    if (SameText(FieldDefs[Index].Name, Name)) return static_cast<int>(Index);
  return -1;
}

size_t TClientDataSet::FieldIndexOf(const std::string& Name) const {
  int Index = FindField(Name);
  if (Index < 0) throw EDatabaseError(Format("Field '%s' not found", Name.c_str()));
  return static_cast<size_t>(Index);
}

const std::vector<TVariant>& TClientDataSet::CurrentRecord() const {
  CheckActive();
  if (FState == dsInsert || FState == dsEdit) return FEditBuffer;
  if (FCursor >= FOrder.size()) throw EDatabaseError("No current record");
  return FRecords[FOrder[FCursor]];
}

TVariant TClientDataSet::FieldValue(const std::string& Name) const {
  size_t Index = FieldIndexOf(Name);
  return CurrentRecord()[Index];
}

void TClientDataSet::SetFieldValue(const std::string& Name, const TVariant& Value) {
  size_t Index = FieldIndexOf(Name);
  if (FState != dsInsert && FState != dsEdit)
    throw EDatabaseError("Dataset not in edit or insert mode");
  const TFieldDef& Def = FieldDefs[Index];
  if (Value.IsNull() || Value.IsEmpty()) {
    FEditBuffer[Index] = TVariant::Null();
    return;
  }
  TVariant Converted = Value.AsType(FieldVarType(Def.DataType));
  if (Def.DataType == ftString && Def.Size > 0)
    Converted = CutToCharacters(Converted.AsString(), Def.Size);
  FEditBuffer[Index] = std::move(Converted);
}

int TClientDataSet::FindIndex(const std::string& Name) const {
  for (size_t Index = 0; Index < IndexDefs.size(); ++Index)
    if (IndexDefs[Index].Name == Name) return static_cast<int>(Index);
  return -1;
}

void TClientDataSet::AddIndex(const std::string& Name, const std::string& Fields, int Options) {
  for (const std::string& Field : SplitFields(Fields)) FieldIndexOf(Field);
  if (FindIndex(Name) >= 0) throw EDatabaseError(Format("Duplicate index name '%s'", Name.c_str()));
  IndexDefs.push_back({Name, Fields, Options});
}

void TClientDataSet::SetIndexName(const std::string& Name) {
  if (!Name.empty() && FindIndex(Name) < 0)
    throw EDatabaseError(Format("Index '%s' not found", Name.c_str()));
  FIndexName = Name;
  if (!Active()) return;
  Reorder();
  FCursor = 0;
}

void TClientDataSet::Reorder() {
  FOrder.resize(FRecords.size());
  for (size_t Index = 0; Index < FOrder.size(); ++Index) FOrder[Index] = Index;
  int Index = FIndexName.empty() ? -1 : FindIndex(FIndexName);
  if (Index < 0) return;
  const TIndexDef& Def = IndexDefs[static_cast<size_t>(Index)];
  std::vector<size_t> Fields;
  for (const std::string& Field : SplitFields(Def.Fields)) Fields.push_back(FieldIndexOf(Field));
  int Direction = (Def.Options & ixDescending) ? -1 : 1;
  std::stable_sort(FOrder.begin(), FOrder.end(), [&](size_t A, size_t B) {
    for (size_t Field : Fields)
      if (int Order = CompareValues(FRecords[A][Field], FRecords[B][Field]))
        return Order * Direction < 0;
    return false;
  });
}

TDataPacket TClientDataSet::Data() const {
  return {FieldDefs, FRecords};
}

void TClientDataSet::SetData(TDataPacket Packet) {
  // Indexes stay with a packet of the same structure; for another they may name lost fields.
  if (Packet.FieldDefs != FieldDefs) {
    IndexDefs.clear();
    FIndexName.clear();
  }
  FieldDefs = std::move(Packet.FieldDefs);
  FRecords = std::move(Packet.Records);
  Open();
}

void TClientDataSet::SaveToStream(TStream& Stream) const {
  WriteDataPacket(Stream, Data());
}

void TClientDataSet::LoadFromStream(TStream& Stream) {
  SetData(ReadDataPacket(Stream));
}

void TClientDataSet::SaveToFile(const std::string& FileName) const {
  TFileStream File(FileName, fmCreate);
  SaveToStream(File);
}

void TClientDataSet::LoadFromFile(const std::string& FileName) {
  TFileStream File(FileName, fmOpenRead);
  LoadFromStream(File);
}
