#include <gtest/gtest.h>

#include "ListLines.h"
#include "StringList.h"

namespace {

// Counts destructions, so that tests can see which objects a list frees.
class TCounted : public TObject {
 public:
  explicit TCounted(int& Destroyed) : FDestroyed(Destroyed) {}
  ~TCounted() override { ++FDestroyed; }

 private:
  int& FDestroyed;
};

using vesktest::LinesOf;

using TLines = std::vector<std::string>;

TEST(StringListSorted, AddKeepsOrderCaseInsensitively) {
  TStringList List;
  List.SetSorted(true);
  for (const char* S : {"pear", "Apple", "banana", "apricot", "Zebra", "cherry"}) List.Add(S);
  EXPECT_EQ(LinesOf(List), (TLines{"Apple", "apricot", "banana", "cherry", "pear", "Zebra"}));
  EXPECT_EQ(List.IndexOf("BANANA"), 2);
  EXPECT_EQ(List.IndexOf("grape"), -1);
}

// dupIgnore gives the existing line's index and adds nothing; dupError raises and keeps the list.
TEST(StringListSorted, DuplicatesAreIgnoredOrRefusedAsSet) {
  for (const TDuplicates Duplicates : {dupIgnore, dupError}) {
    SCOPED_TRACE(Duplicates == dupIgnore ? "dupIgnore" : "dupError");
    TStringList List;
    List.SetSorted(true);
    List.SetDuplicates(Duplicates);
    List.Add("b");
    List.Add("c");
    try {
      EXPECT_EQ(List.Add("B"), 0);
      EXPECT_EQ(Duplicates, dupIgnore) << "duplicate accepted";
    } catch (const EStringListError& E) {
      EXPECT_EQ(Duplicates, dupError);
      EXPECT_EQ(E.Message(), "String list does not allow duplicates");
    }
    EXPECT_EQ(LinesOf(List), (TLines{"b", "c"}));
  }
}

TEST(StringListSorted, DupAcceptAddsAndFindGivesFirst) {
  TStringList List;
  List.SetSorted(true);
  List.SetDuplicates(dupAccept);
  for (const char* S : {"x", "a", "x", "x", "b"}) List.Add(S);
  EXPECT_EQ(LinesOf(List), (TLines{"a", "b", "x", "x", "x"}));
  int Index = -1;
  EXPECT_TRUE(List.Find("X", Index));
  EXPECT_EQ(Index, 2);
  EXPECT_FALSE(List.Find("c", Index));
  EXPECT_EQ(Index, 2);
  EXPECT_FALSE(List.Find("zz", Index));
  EXPECT_EQ(Index, 5);
}

TEST(StringListSorted, CaseSensitiveOrderAndLookup) {
  TStringList List;
  List.SetCaseSensitive(true);
  List.SetSorted(true);
  List.SetDuplicates(dupError);
  for (const char* S : {"B", "a", "b", "A"}) List.Add(S);
  EXPECT_EQ(LinesOf(List), (TLines{"a", "A", "b", "B"}));
  EXPECT_EQ(List.IndexOf("A"), 1);
  EXPECT_EQ(List.IndexOf("B"), 3);
  // Switching back re-sorts, and the search still finds every line.
  List.SetCaseSensitive(false);
  EXPECT_GE(List.IndexOf("b"), 2);
}

TEST(StringListSorted, NonAsciiLettersFoldCase) {
  TStringList List;
  List.SetSorted(true);
  List.Add("\xC3\xA4rger");                // ärger
  EXPECT_EQ(List.Add("\xC3\x84RGER"), 0);  // ÄRGER is the same line
  EXPECT_EQ(List.Count(), 1);
}

TEST(StringListSorted, OrderChangingOperationsRaise) {
  TStringList List;
  List.Add("b");
  List.Add("a");
  List.SetSorted(true);
  EXPECT_EQ(LinesOf(List), (TLines{"a", "b"}));
  EXPECT_THROW(List.Insert(0, "c"), EStringListError);
  EXPECT_THROW(List.Exchange(0, 1), EStringListError);
  EXPECT_THROW(List.Put(0, "z"), EStringListError);
  EXPECT_EQ(LinesOf(List), (TLines{"a", "b"}));
}

TEST(StringList, IndexErrorsNameTheIndex) {
  TStringList List;
  List.Add("only");
  try {
    List.Strings(1);
    FAIL() << "no error";
  } catch (const EStringListError& E) {
    EXPECT_EQ(E.Message(), "List index out of bounds (1)");
  }
  EXPECT_THROW(List.Strings(-1), EStringListError);
  EXPECT_THROW(List.Objects(1), EStringListError);
  EXPECT_THROW(List.Put(1, "x"), EStringListError);
  EXPECT_THROW(List.Delete(1), EStringListError);
  EXPECT_THROW(List.Insert(2, "x"), EStringListError);
  EXPECT_THROW(List.Exchange(0, 1), EStringListError);
  EXPECT_THROW(List.Names(3), EStringListError);
  List.Insert(1, "end");  // inserting at Count appends
  EXPECT_EQ(LinesOf(List), (TLines{"only", "end"}));
}

TEST(StringList, UnsortedEditing) {
  TStringList List;
  List.Add("a");
  List.Add("c");
  List.Insert(1, "b");
  List.Add("a");
  EXPECT_EQ(List.IndexOf("A"), 0);
  List.Exchange(0, 2);
  List.Put(3, "d");
  List.Delete(1);
  EXPECT_EQ(LinesOf(List), (TLines{"c", "a", "d"}));
  List.Sort();
  EXPECT_EQ(LinesOf(List), (TLines{"a", "c", "d"}));
}

TEST(StringList, CustomSortIsStableAndMovesObjects) {
  TStringList List;
  TCounted* Marker = nullptr;
  int Destroyed = 0;
  TCounted Object(Destroyed);
  Marker = &Object;
  List.Add("bb");
  List.AddObject("a", Marker);
  List.Add("cc");
  List.Add("d");
  auto ByLength = [](const TStringList& L, int I1, int I2) {
    return static_cast<int>(L.Strings(I1).size()) - static_cast<int>(L.Strings(I2).size());
  };
  List.CustomSort(ByLength);
  EXPECT_EQ(LinesOf(List), (TLines{"a", "d", "bb", "cc"}));
  EXPECT_EQ(List.IndexOfObject(Marker), 0);
}

TEST(StringListNames, LookupIgnoresCaseEvenWhenCaseSensitive) {
  TStringList List;
  List.SetCaseSensitive(true);
  List.Add("Server=Mail01/Acme");
  List.Add("plain line");
  List.Add("Path=a=b");
  EXPECT_EQ(List.Values("SERVER"), "Mail01/Acme");
  EXPECT_EQ(List.Values("path"), "a=b");
  EXPECT_EQ(List.Values("plain line"), "");
  EXPECT_EQ(List.IndexOfName("server"), 0);
  EXPECT_EQ(List.IndexOfName("plain line"), -1);
  EXPECT_EQ(List.Names(0), "Server");
  EXPECT_EQ(List.Names(1), "");
  EXPECT_EQ(List.ValueFromIndex(1), "");
  EXPECT_EQ(List.ValueFromIndex(2), "a=b");
}

TEST(StringListNames, SetValueReplacesAddsAndDeletes) {
  TStringList List;
  List.Add("A=1");
  List.Add("B=2");
  List.SetValue("a", "10");
  List.SetValue("C", "3");
  List.SetValue("b", "");
  List.SetValue("missing", "");
  EXPECT_EQ(LinesOf(List), (TLines{"a=10", "C=3"}));
}

TEST(StringListNames, SetValueOnSortedListMovesLineWithItsObject) {
  int Destroyed = 0;
  TStringList List;
  List.SetOwnsObjects(true);
  List.SetSorted(true);
  auto* Object = new TCounted(Destroyed);
  List.AddObject("m=5", Object);
  List.Add("b=1");
  List.SetValue("M", "0");
  List.SetValue("b", "9");
  EXPECT_EQ(LinesOf(List), (TLines{"b=9", "M=0"}));
  EXPECT_EQ(List.Objects(1), Object);
  EXPECT_EQ(Destroyed, 0);
}

TEST(StringListObjects, BorrowedByDefault) {
  int Destroyed = 0;
  TCounted Object(Destroyed);
  {
    TStringList List;
    List.AddObject("x", &Object);
    List.AddObject("y", &Object);
    List.Delete(0);
    List.Clear();
    List.AddObject("z", &Object);
  }
  EXPECT_EQ(Destroyed, 0);
}

TEST(StringListObjects, OwnedObjectsFreedOnDeleteClearReplaceAndDestruction) {
  int Destroyed = 0;
  {
    TStringList List;
    List.SetOwnsObjects(true);
    for (int I = 0; I < 5; ++I) List.AddObject("o" + std::to_string(I), new TCounted(Destroyed));
    List.Delete(0);
    EXPECT_EQ(Destroyed, 1);
    List.PutObject(0, new TCounted(Destroyed));
    EXPECT_EQ(Destroyed, 2);
    List.PutObject(0, List.Objects(0));  // the same object again is kept
    EXPECT_EQ(Destroyed, 2);
    List.Clear();
    EXPECT_EQ(Destroyed, 6);
    List.AddObject("last", new TCounted(Destroyed));
    List.AddObject("plain", nullptr);
  }
  EXPECT_EQ(Destroyed, 7);
}

TEST(StringListObjects, OwningListFreesObjectsItDoesNotStore) {
  int Destroyed = 0;
  TStringList List;
  List.SetOwnsObjects(true);
  List.SetSorted(true);
  List.AddObject("a", new TCounted(Destroyed));
  EXPECT_EQ(List.AddObject("A", new TCounted(Destroyed)), 0);  // ignored duplicate
  EXPECT_EQ(Destroyed, 1);
  List.SetDuplicates(dupError);
  EXPECT_THROW(List.AddObject("a", new TCounted(Destroyed)), EStringListError);
  EXPECT_EQ(Destroyed, 2);
  EXPECT_THROW(List.InsertObject(0, "b", new TCounted(Destroyed)), EStringListError);
  EXPECT_THROW(List.PutObject(5, new TCounted(Destroyed)), EStringListError);
  EXPECT_EQ(Destroyed, 4);
  EXPECT_EQ(List.Count(), 1);
}

TEST(StringList, AssignAndAddStringsShareObjects) {
  int Destroyed = 0;
  TCounted Object(Destroyed);
  TStringList Source;
  Source.AddObject("one", &Object);
  Source.Add("two");
  TStringList Target;
  Target.Add("old");
  Target.Assign(Source);
  EXPECT_EQ(LinesOf(Target), (TLines{"one", "two"}));
  EXPECT_EQ(Target.Objects(0), &Object);
  Target.AddStrings(Target);  // a list may add itself
  EXPECT_EQ(LinesOf(Target), (TLines{"one", "two", "one", "two"}));
}

// A list that mirrors its changes elsewhere sees every addition through Add.
class TLoggingList : public TStringList {
 public:
  int AddObject(std::string S, TObject* AObject) override {
    Log += S + ";";
    return TStringList::AddObject(std::move(S), AObject);
  }
  std::string Log;
};

// A string handed over is moved in, and one added from a variable is copied, not moved from.
TEST(StringList, AddedStringsAreMovedInOrCopied) {
  TStringList List;
  std::string Kept = "a text long enough to live outside the string object";
  List.Add(Kept);
  EXPECT_EQ(Kept, "a text long enough to live outside the string object");
  std::string Moved = Kept;
  const char* Bytes = Moved.data();
  List.Add(std::move(Moved));
  EXPECT_EQ(List.Strings(1).data(), Bytes);
  EXPECT_EQ(List.Strings(0), List.Strings(1));
}

TEST(StringList, TextAndAssignGoThroughOverriddenAdd) {
  TLoggingList List;
  List.SetText("a\r\nb");
  TStringList Other;
  Other.Add("c");
  List.AddStrings(Other);
  List.Insert(0, "not logged");
  EXPECT_EQ(List.Log, "a;b;c;");
}

}  // namespace
