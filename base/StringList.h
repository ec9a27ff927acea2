#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "Classes.h"
#include "Export.h"
#include "Object.h"

// What Add does on a sorted list with a string that is already there.
enum TDuplicates { dupIgnore, dupAccept, dupError };

// Ordered strings, each with an optional object; optionally sorted with a duplicates rule; lines
// of the form name=value are found by name without regard to case. Objects are borrowed unless
// OwnsObjects is set; an owning list takes every object handed to it and frees one it does not
// store (an ignored or refused duplicate, an index out of range). Lines are compared as
// AnsiCompareText does, or AnsiCompareStr when CaseSensitive is set. The list is passed by
// pointer or reference, never copied (see Assign).
// Add, AddObject, Insert, InsertObject, Put, PutObject, Delete and Clear are virtual so that a list
// can mirror its changes elsewhere; the other operations go through them where Delphi's do.
class VESK_API TStringList {
 public:
  // Negative, zero or positive as the line at Index1 sorts before, with, or after that at Index2.
  using TStringListSortCompare = std::function<int(const TStringList&, int, int)>;

  TStringList() = default;
  virtual ~TStringList();
  TStringList(const TStringList&) = delete;
  TStringList& operator=(const TStringList&) = delete;

  int Count() const { return static_cast<int>(FItems.size()); }
  // Room for Value lines without growing again, as Delphi's Capacity; never drops a line.
  void SetCapacity(int Value) { FItems.reserve(static_cast<size_t>(std::max(Value, 0))); }
  const std::string& Strings(int Index) const;
  virtual void Put(int Index, const std::string& S);
  TObject* Objects(int Index) const;
  // An owning list frees the object it replaces.
  virtual void PutObject(int Index, TObject* AObject);

  // On a sorted list the line goes to its sorted place and the duplicates rule applies; with
  // dupIgnore the index of the line already there is returned.
  // Strings are taken by value: a caller that hands over a temporary or moves one copies nothing.
  virtual int Add(std::string S);
  virtual int AddObject(std::string S, TObject* AObject);
  void AddStrings(const TStringList& Strings);
  // Replaces the lines with those of Source; the objects are shared, not copied.
  void Assign(const TStringList& Source);
  virtual void Insert(int Index, std::string S);
  virtual void InsertObject(int Index, std::string S, TObject* AObject);
  virtual void Delete(int Index);
  virtual void Clear();
  void Exchange(int Index1, int Index2);

  int IndexOf(const std::string& S) const;
  int IndexOfObject(TObject* AObject) const;
  int IndexOfName(const std::string& Name) const;
  // Binary search of a sorted list: true when S is there (Index: its first line); otherwise
  // Index is where S would be inserted.
  bool Find(const std::string& S, int& Index) const;

  void Sort();
  // A stable sort by the given order; the list must not be sorted.
  void CustomSort(TStringListSortCompare Compare);
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value);
  bool OwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

  // name=value lines; the separator is the first "=".
  std::string Names(int Index) const;
  std::string Values(const std::string& Name) const;
  // Replaces the value of the first line of that name, adds a line, or, for an empty value,
  // deletes the line.
  void SetValue(const std::string& Name, const std::string& Value);
  std::string ValueFromIndex(int Index) const;

  // Every line followed by CR LF.
  std::string Text() const;
  // Splits at CR LF, CR or LF; a final line break adds no empty line.
  void SetText(const std::string& Value);

  // Lines joined by Delimiter; a line holding a blank, control character, the delimiter or the
  // quote character is quoted, with quote characters in it doubled.
  std::string DelimitedText() const;
  void SetDelimitedText(const std::string& Value);
  // DelimitedText with "," and '"'.
  std::string CommaText() const;
  void SetCommaText(const std::string& Value);
  char Delimiter() const { return FDelimiter; }
  void SetDelimiter(char Value) { FDelimiter = Value; }
  char QuoteChar() const { return FQuoteChar; }
  void SetQuoteChar(char Value) { FQuoteChar = Value; }

  // Lines split at any line break; a UTF-8 byte order mark is dropped. Raises EFOpenError.
  void LoadFromFile(const std::string& FileName);
  // Text with CR LF breaks. Raises EFCreateError or EWriteError.
  void SaveToFile(const std::string& FileName) const;

 protected:
  int CompareStrings(const std::string& S1, const std::string& S2) const;

 private:
  struct TItem {
    std::string FString;
    TObject* FObject = nullptr;
  };

  void CheckIndex(int Index) const;
  void CheckUnsorted() const;
  void InsertItem(int Index, std::string S, TObject* AObject);
  void FreeObject(TObject* AObject) const;
  std::string JoinDelimited(char Delim, char Quote) const;
  void SplitDelimited(const std::string& Value, char Delim, char Quote);

  std::vector<TItem> FItems;
  bool FSorted = false;
  TDuplicates FDuplicates = dupIgnore;
  bool FCaseSensitive = false;
  bool FOwnsObjects = false;
  char FDelimiter = ',';
  char FQuoteChar = '"';
};
