#include "StringList.h"

#include <algorithm>
#include <numeric>

#include "AnsiCompare.h"
#include "SysUtils.h"

TStringList::~TStringList() {
  for (TItem& Item : FItems) FreeObject(Item.FObject);
}

void TStringList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EStringListError(Format("List index out of bounds (%d)", Index));
}

void TStringList::CheckUnsorted() const {
  if (FSorted) throw EStringListError("Operation not allowed on sorted list");
}

void TStringList::FreeObject(TObject* AObject) const {
  if (FOwnsObjects) delete AObject;
}

int TStringList::CompareStrings(const std::string& S1, const std::string& S2) const {
  return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

const std::string& TStringList::Strings(int Index) const {
  CheckIndex(Index);
  return FItems[Index].FString;
}

void TStringList::Put(int Index, const std::string& S) {
  CheckUnsorted();
  CheckIndex(Index);
  FItems[Index].FString = S;
}

TObject* TStringList::Objects(int Index) const {
  CheckIndex(Index);
  return FItems[Index].FObject;
}

// An owning list is responsible for every object handed to it, also one it cannot store.
void TStringList::PutObject(int Index, TObject* AObject) {
  if (Index < 0 || Index >= Count()) FreeObject(AObject);
  CheckIndex(Index);
  TObject* Old = FItems[Index].FObject;
  FItems[Index].FObject = AObject;
  if (Old != AObject) FreeObject(Old);
}

int TStringList::Add(std::string S) {
  return AddObject(std::move(S), nullptr);
}

int TStringList::AddObject(std::string S, TObject* AObject) {
  int Index = Count();
  if (FSorted && Find(S, Index) && FDuplicates != dupAccept) {
    FreeObject(AObject);
    if (FDuplicates == dupError) throw EStringListError("String list does not allow duplicates");
    return Index;
  }
  InsertItem(Index, std::move(S), AObject);
  return Index;
}

void TStringList::AddStrings(const TStringList& Strings) {
  // Copy first: Strings may be this very list.
  std::vector<TItem> Source = Strings.FItems;
  for (const TItem& Item : Source) AddObject(Item.FString, Item.FObject);
}

void TStringList::Assign(const TStringList& Source) {
  if (&Source == this) return;
  Clear();
  AddStrings(Source);
}

void TStringList::Insert(int Index, std::string S) {
  InsertObject(Index, std::move(S), nullptr);
}

void TStringList::InsertObject(int Index, std::string S, TObject* AObject) {
  if (FSorted || Index < 0 || Index > Count()) FreeObject(AObject);
  CheckUnsorted();
  if (Index < 0 || Index > Count())
    throw EStringListError(Format("List index out of bounds (%d)", Index));
  InsertItem(Index, std::move(S), AObject);
}

void TStringList::InsertItem(int Index, std::string S, TObject* AObject) {
  // Lines are mostly added at the end, where nothing moves.
  if (Index == Count())
    FItems.push_back(TItem{std::move(S), AObject});
  else
    FItems.insert(FItems.begin() + Index, TItem{std::move(S), AObject});
}

void TStringList::Delete(int Index) {
  CheckIndex(Index);
  TObject* Object = FItems[Index].FObject;
  FItems.erase(FItems.begin() + Index);
  // Freed after removal, so that its destructor sees a consistent list.
  FreeObject(Object);
}

void TStringList::Clear() {
  std::vector<TItem> Old;
  Old.swap(FItems);
  for (TItem& Item : Old) FreeObject(Item.FObject);
}

void TStringList::Exchange(int Index1, int Index2) {
  CheckUnsorted();
  CheckIndex(Index1);
  CheckIndex(Index2);
  std::swap(FItems[Index1], FItems[Index2]);
}

int TStringList::IndexOf(const std::string& S) const {
  int Index = -1;
  if (FSorted) return Find(S, Index) ? Index : -1;
  for (int I = 0; I < Count(); ++I)
    if (CompareStrings(FItems[I].FString, S) == 0) return I;
  return -1;
}

int TStringList::IndexOfObject(TObject* AObject) const {
  for (int I = 0; I < Count(); ++I)
    if (FItems[I].FObject == AObject) return I;
  return -1;
}

int TStringList::IndexOfName(const std::string& Name) const {
  for (int I = 0; I < Count(); ++I) {
    const std::string& S = FItems[I].FString;
    size_t Equals = S.find('=');
    if (Equals != std::string::npos && AnsiCompareText(S.substr(0, Equals), Name) == 0) return I;
  }
  return -1;
}

bool TStringList::Find(const std::string& S, int& Index) const {
  int Low = 0;
  int High = Count() - 1;
  bool Found = false;
  while (Low <= High) {
    int Middle = Low + (High - Low) / 2;
    int Order = CompareStrings(FItems[Middle].FString, S);
    if (Order < 0) {
      Low = Middle + 1;
    } else {
      High = Middle - 1;
      // Go on searching to the left for the first of several equal lines.
      if (Order == 0) Found = true;
    }
  }
  Index = Low;
  return Found;
}

void TStringList::Sort() {
  CustomSort([](const TStringList& List, int Index1, int Index2) {
    return List.CompareStrings(List.FItems[Index1].FString, List.FItems[Index2].FString);
  });
}

void TStringList::CustomSort(TStringListSortCompare Compare) {
  if (FSorted || Count() < 2) return;
  // Order the indexes while the list stays untouched, so that Compare sees valid indexes.
  std::vector<int> Order(FItems.size());
  std::iota(Order.begin(), Order.end(), 0);
  std::stable_sort(Order.begin(), Order.end(),
                   [&](int A, int B) { return Compare(*this, A, B) < 0; });
  std::vector<TItem> Sorted;
  Sorted.reserve(FItems.size());
  for (int I : Order) Sorted.push_back(std::move(FItems[I]));
  FItems = std::move(Sorted);
}

void TStringList::SetSorted(bool Value) {
  if (Value == FSorted) return;
  if (Value) Sort();
  FSorted = Value;
}

// A sorted list is re-sorted, so that binary search keeps working under the new rule.
void TStringList::SetCaseSensitive(bool Value) {
  if (Value == FCaseSensitive) return;
  FCaseSensitive = Value;
  if (!FSorted) return;
  FSorted = false;
  Sort();
  FSorted = true;
}

std::string TStringList::Names(int Index) const {
  const std::string& S = Strings(Index);
  size_t Equals = S.find('=');
  return Equals == std::string::npos ? std::string() : S.substr(0, Equals);
}

std::string TStringList::Values(const std::string& Name) const {
  int Index = IndexOfName(Name);
  return Index < 0 ? std::string() : ValueFromIndex(Index);
}

std::string TStringList::ValueFromIndex(int Index) const {
  const std::string& S = Strings(Index);
  size_t Equals = S.find('=');
  return Equals == std::string::npos ? std::string() : S.substr(Equals + 1);
}

void TStringList::SetValue(const std::string& Name, const std::string& Value) {
  int Index = IndexOfName(Name);
  if (Value.empty()) {
    if (Index >= 0) Delete(Index);
    return;
  }
  std::string Line = Name + "=" + Value;
  if (Index < 0) {
    Add(Line);
  } else if (!FSorted) {
    Put(Index, Line);
  } else {
    // A sorted list cannot change a line in place: it moves, keeping its object.
    TItem Item = std::move(FItems[Index]);
    FItems.erase(FItems.begin() + Index);
    Item.FString = std::move(Line);
    Find(Item.FString, Index);
    FItems.insert(FItems.begin() + Index, std::move(Item));
  }
}
