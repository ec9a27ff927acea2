// The client dataset helpers: ascending and descending indexes by field, copying between
// datasets and loading packets of another structure.
#include "Classes.h"
#include "ClientDataSet.h"
#include "FileStream.h"
#include "Sonst.h"
#include "SysUtils.h"

int ChangeToIndex(TClientDataSet& DataSet, const std::string& FieldName) {
  std::string Name = "Asc_" + FieldName;
  int Index = DataSet.FindIndex(Name);
  if (Index < 0) {
    DataSet.AddIndex(Name, FieldName, 0);
    Index = static_cast<int>(DataSet.IndexDefs.size()) - 1;
  }
  DataSet.SetIndexName(Name);
  return Index;
}

bool ToggleIndex(TClientDataSet& DataSet, int IndexNo, const std::string& FieldName) {
  if (IndexNo < 0 || static_cast<size_t>(IndexNo) >= DataSet.IndexDefs.size())
    throw EListError(Format("List index out of bounds (%d)", IndexNo));
  if (DataSet.IndexDefs[static_cast<size_t>(IndexNo)].Options == 0) {
    std::string Descending = "Desc_" + FieldName;
    bool Existed = DataSet.FindIndex(Descending) >= 0;
    if (!Existed) DataSet.AddIndex(Descending, FieldName, ixDescending);
    DataSet.SetIndexName(Descending);
    return Existed;
  }
  std::string Ascending = "Asc_" + FieldName;
  if (DataSet.FindIndex(Ascending) < 0) return false;
  DataSet.SetIndexName(Ascending);
  return true;
}

void CopyCDSFieldValues(TClientDataSet& Source, TClientDataSet& Dest) {
  for (const TFieldDef& Def : Source.FieldDefs) {
    if (Dest.FindField(Def.Name) < 0) continue;
    try {
      Dest.SetFieldValue(Def.Name, Source.FieldValue(Def.Name));
    } catch (const Exception&) {
      // A value the destination field cannot take is left out; the others are copied.
    }
  }
}

void CopyCDSValues(TClientDataSet& Source, TClientDataSet& Dest) {
  if (!Dest.Active()) Dest.Open();
  Dest.EmptyDataSet();
  for (Source.First(); !Source.Eof(); Source.Next()) {
    Dest.Append();
    CopyCDSFieldValues(Source, Dest);
    Dest.Post();
  }
}

bool CompareCDSFieldDefs(const TClientDataSet& A, const TClientDataSet& B) {
  return A.FieldDefs == B.FieldDefs;
}

bool LoadCDSMatchingDataFromStream(TClientDataSet& DataSet, TStream& Stream) {
  TClientDataSet Loaded;
  Loaded.LoadFromStream(Stream);
  if (CompareCDSFieldDefs(Loaded, DataSet))
    DataSet.SetData(Loaded.Data());
  else
    CopyCDSValues(Loaded, DataSet);
  return true;
}

bool LoadCDSMatchingDataFromFile(TClientDataSet& DataSet, const std::string& FileName) {
  TFileStream File(FileName, fmOpenRead);
  return LoadCDSMatchingDataFromStream(DataSet, File);
}
