#pragma once

#include <string>
#include <vector>

#include "Exception.h"
#include "Object.h"
#include "Variant.h"

class TStream;

class VESK_API EDatabaseError : public Exception {
 public:
  using Exception::Exception;
  ~EDatabaseError() override;
};

enum TFieldType {
  ftUnknown,
  ftString,
  ftSmallint,
  ftInteger,
  ftWord,
  ftBoolean,
  ftFloat,
  ftCurrency,
  ftDate,
  ftTime,
  ftDateTime,
  ftLargeint,
  ftMemo
};

struct TFieldDef {
  std::string Name;
  TFieldType DataType = ftUnknown;
  // Characters of a string field (longer values are cut); 0 for other types.
  int Size = 0;

  friend bool operator==(const TFieldDef&, const TFieldDef&) = default;
};

constexpr int ixDescending = 0x1;

// An index orders the records by one field, or by several separated by ";".
struct TIndexDef {
  std::string Name;
  std::string Fields;
  int Options = 0;
};

// What a dataset holds, taken over whole between datasets of the same structure.
struct TDataPacket {
  std::vector<TFieldDef> FieldDefs;
  std::vector<std::vector<TVariant>> Records;
};

enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

// An in-memory table with a cursor, as the client dataset of the data-access framework: field
// definitions, records of variants, named indexes, and a data packet that is saved and loaded in
// the format "VCDS" (see DataPacket.cpp). Failures raise EDatabaseError.
class TClientDataSet : public TObject {
 public:
  std::vector<TFieldDef> FieldDefs;
  std::vector<TIndexDef> IndexDefs;

  // Opens an empty dataset with the field definitions.
  void CreateDataSet();
  // Opens the dataset; it needs field definitions.
  void Open();
  void Close();
  bool Active() const { return FState != dsInactive; }
  TDataSetState State() const { return FState; }

  int RecordCount() const { return static_cast<int>(FRecords.size()); }
  bool IsEmpty() const { return FRecords.empty(); }
  void First();
  void Next();
  bool Eof() const;
  void EmptyDataSet();

  // A new record, filled and then stored by Post (or dropped by Cancel). Append is the same:
  // where the record appears follows from the current index.
  void Insert();
  void Append() { Insert(); }
  void Edit();
  void Post();
  void Cancel();

  // The position of the field among the definitions, or -1.
  int FindField(const std::string& Name) const;
  // The current record's value; raises for an unknown field or an empty dataset.
  TVariant FieldValue(const std::string& Name) const;
  // Converts Value to the field's type (EVariantError when it cannot be); a string is cut to the
  // field's size. Only in edit or insert state.
  void SetFieldValue(const std::string& Name, const TVariant& Value);

  const std::string& IndexName() const { return FIndexName; }
  // Orders the records by the named index (empty: the order they were stored in).
  void SetIndexName(const std::string& Name);
  void AddIndex(const std::string& Name, const std::string& Fields, int Options);
  // The position of the named index among IndexDefs, or -1 (names compare exactly).
  int FindIndex(const std::string& Name) const;

  TDataPacket Data() const;
  // Takes the packet's definitions and records, and opens the dataset on its first record. The
  // indexes stay when the definitions are the same.
  void SetData(TDataPacket Packet);
  void SaveToStream(TStream& Stream) const;
  // Raises EDatabaseError for a stream that holds no valid packet; the dataset is unchanged then.
  void LoadFromStream(TStream& Stream);
  void SaveToFile(const std::string& FileName) const;
  void LoadFromFile(const std::string& FileName);

 private:
  void CheckActive() const;
  void CheckBrowse() const;
  size_t FieldIndexOf(const std::string& Name) const;
  std::vector<TVariant>& Buffer();
  const std::vector<TVariant>& CurrentRecord() const;
  void Reorder();

  TDataSetState FState = dsInactive;
  std::vector<std::vector<TVariant>> FRecords;  // in the order stored
  std::vector<size_t> FOrder;                   // record numbers in index order
  size_t FCursor = 0;                           // position within FOrder
  std::vector<TVariant> FEditBuffer;
  std::string FIndexName;
};

// The variant type a field's values are kept as.
TVarType FieldVarType(TFieldType Type);

// The data packet format: writing and reading (values converted to their field's type).
void WriteDataPacket(TStream& Stream, const TDataPacket& Packet);
TDataPacket ReadDataPacket(TStream& Stream);
