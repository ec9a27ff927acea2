#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "ErrorOf.h"
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

// The words of a text, split at blanks.
TLines Words(const std::string& Text) {
  TLines Result;
  std::istringstream In(Text);
  for (std::string Word; In >> Word;) Result.push_back(Word);
  return Result;
}

// Each case adds its words in order to a sorted list: the lines it keeps, the index the last Add
// gave, and what Find gives for a probe (the first of equal lines, else where it would go).
TEST(StringListSorted, OrderCaseFoldingAndTheDuplicatesRules) {
  const struct {
    bool CaseSensitive;
    TDuplicates Duplicates;
    const char *Adds, *Lines;
    int Added;
    const char* Probe;
    bool Found;
    int Index;
  } Cases[] = {
      {false, dupIgnore, "pear Apple banana apricot Zebra cherry",
       "Apple apricot banana cherry pear Zebra", 3, "BANANA", true, 2},
      {false, dupIgnore, "pear Apple banana", "Apple banana pear", 1, "grape", false, 2},
      {false, dupIgnore, "b c B", "b c", 0, "zz", false, 2},
      {false, dupAccept, "x a x x b", "a b x x x", 1, "X", true, 2},
      {false, dupAccept, "x a x x b", "a b x x x", 1, "c", false, 2},
      {true, dupError, "B a b A", "a A b B", 1, "A", true, 1},
      {true, dupError, "B a b A", "a A b B", 1, "B", true, 3},
      {false, dupIgnore, "\xC3\xA4rger \xC3\x84RGER", "\xC3\xA4rger", 0, "\xC3\x84rger", true, 0},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Adds);
    TStringList List;
    List.SetCaseSensitive(Case.CaseSensitive);
    List.SetSorted(true);
    List.SetDuplicates(Case.Duplicates);
    int Added = -1;
    for (const std::string& S : Words(Case.Adds)) Added = List.Add(S);
    EXPECT_EQ(LinesOf(List), Words(Case.Lines));
    EXPECT_EQ(Added, Case.Added);
    int At = -1;
    EXPECT_EQ(List.Find(Case.Probe, At), Case.Found) << Case.Probe;
    EXPECT_EQ(At, Case.Index) << Case.Probe;
    EXPECT_EQ(List.IndexOf(Case.Probe), Case.Found ? Case.Index : -1) << Case.Probe;
  }
  // dupError raises and keeps the list; a change of case sensitivity sorts anew.
  TStringList List;
  List.SetSorted(true);
  List.SetDuplicates(dupError);
  List.Add("b");
  EXPECT_EQ(vesktest::ErrorOf<EStringListError>([&] { List.Add("B"); }),
            "String list does not allow duplicates");
  EXPECT_EQ(LinesOf(List), TLines{"b"});
  List.SetDuplicates(dupAccept);
  for (const char* S : {"B", "a", "A"}) List.Add(S);
  List.SetCaseSensitive(true);
  EXPECT_EQ(LinesOf(List), (TLines{"a", "A", "b", "B"}));
}

// Bad indexes, and changes of order in a sorted list, raise and leave the list as it was.
TEST(StringList, UnsortedEditingAndIndexErrorsAndOrderChangesOfSortedListsRaise) {
  TStringList List, Sorted;
  List.Add("only");
  for (const char* S : {"b", "a"}) Sorted.Add(S);
  Sorted.SetSorted(true);
  EXPECT_EQ(vesktest::ErrorOf<EStringListError>([&] { List.Strings(1); }),
            "List index out of bounds (1)");
  const std::function<void()> Raising[] = {
      [&] { List.Strings(-1); },  [&] { List.Objects(1); },       [&] { List.Put(1, "x"); },
      [&] { List.Delete(1); },    [&] { List.Insert(2, "x"); },   [&] { List.Exchange(0, 1); },
      [&] { List.Names(3); },     [&] { Sorted.Insert(0, "c"); }, [&] { Sorted.Exchange(0, 1); },
      [&] { Sorted.Put(0, "z"); }};
  for (size_t I = 0; I < std::size(Raising); ++I) EXPECT_THROW(Raising[I](), EStringListError) << I;
  EXPECT_EQ(LinesOf(Sorted), (TLines{"a", "b"}));
  List.Insert(1, "end");  // inserting at Count appends
  EXPECT_EQ(LinesOf(List), (TLines{"only", "end"}));
  // Unsorted lists are edited in place.
  TStringList Editing;
  Editing.Add("a");
  Editing.Add("c");
  Editing.Insert(1, "b");
  Editing.Add("a");
  EXPECT_EQ(Editing.IndexOf("A"), 0);
  Editing.Exchange(0, 2);
  Editing.Put(3, "d");
  Editing.Delete(1);
  EXPECT_EQ(LinesOf(Editing), (TLines{"c", "a", "d"}));
  Editing.Sort();
  EXPECT_EQ(LinesOf(Editing), (TLines{"a", "c", "d"}));
}

// SetValue edits in place, or in a sorted list moves the line with its object.
TEST(StringListNames, LookupIgnoresCaseEvenWhenCaseSensitiveAndSetValueEditsOrMovesTheLine) {
  TStringList List;
  List.SetCaseSensitive(true);
  for (const char* S : {"Server=Mail01/Acme", "plain line", "Path=a=b", "B=2"}) List.Add(S);
  EXPECT_EQ(List.Values("SERVER"), "Mail01/Acme");
  EXPECT_EQ(List.Values("path"), "a=b");
  EXPECT_EQ(List.Values("plain line"), "");
  EXPECT_EQ(List.IndexOfName("server"), 0);
  EXPECT_EQ(List.IndexOfName("plain line"), -1);
  EXPECT_EQ(List.Names(0), "Server");
  EXPECT_EQ(List.Names(1), "");
  EXPECT_EQ(List.ValueFromIndex(1), "");
  EXPECT_EQ(List.ValueFromIndex(2), "a=b");
  // Replaces the value (and the name's case), adds, and deletes on an empty value.
  List.SetValue("server", "10");
  List.SetValue("C", "3");
  List.SetValue("b", "");
  List.SetValue("missing", "");
  EXPECT_EQ(LinesOf(List), (TLines{"server=10", "plain line", "Path=a=b", "C=3"}));
  int Destroyed = 0;
  TStringList Sorted;
  Sorted.SetOwnsObjects(true);
  Sorted.SetSorted(true);
  auto* Object = new TCounted(Destroyed);
  Sorted.AddObject("m=5", Object);
  Sorted.Add("b=1");
  Sorted.SetValue("M", "0");
  Sorted.SetValue("b", "9");
  EXPECT_EQ(LinesOf(Sorted), (TLines{"b=9", "M=0"}));
  EXPECT_EQ(Sorted.Objects(1), Object);
  EXPECT_EQ(Destroyed, 0);
}

// Sorting moves objects with their lines; a list not told to own its objects never frees them.
TEST(StringListObjects, BorrowedByDefaultMovedBySortingAndOwnedOnesFreedWhenGoneOrNotStored) {
  int Destroyed = 0;
  TCounted Object(Destroyed);
  {
    TStringList List;
    List.Add("bb");
    List.AddObject("a", &Object);
    List.Add("cc");
    List.AddObject("d", &Object);
    List.CustomSort([](const TStringList& L, int I1, int I2) {
      return static_cast<int>(L.Strings(I1).size()) - static_cast<int>(L.Strings(I2).size());
    });
    EXPECT_EQ(LinesOf(List), (TLines{"a", "d", "bb", "cc"}));
    EXPECT_EQ(List.IndexOfObject(&Object), 0);
    List.Delete(0);
    List.Clear();
    List.AddObject("z", &Object);
  }
  EXPECT_EQ(Destroyed, 0);
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
  // Objects an owning list does not store are freed at once.
  TStringList List;
  List.SetOwnsObjects(true);
  List.SetSorted(true);
  List.AddObject("a", new TCounted(Destroyed));
  EXPECT_EQ(List.AddObject("A", new TCounted(Destroyed)), 0);  // ignored duplicate
  EXPECT_EQ(Destroyed, 8);
  List.SetDuplicates(dupError);
  EXPECT_THROW(List.AddObject("a", new TCounted(Destroyed)), EStringListError);
  EXPECT_EQ(Destroyed, 9);
  EXPECT_THROW(List.InsertObject(0, "b", new TCounted(Destroyed)), EStringListError);
  EXPECT_THROW(List.PutObject(5, new TCounted(Destroyed)), EStringListError);
  EXPECT_EQ(Destroyed, 11);
  EXPECT_EQ(List.Count(), 1);
}

// Records every line added through AddObject.
class TLoggingList : public TStringList {
 public:
  int AddObject(std::string S, TObject* AObject) override {
    Log += S + ";";
    return TStringList::AddObject(std::move(S), AObject);
  }
  std::string Log;
};

TEST(StringList, AssignAndAddStringsShareObjectsAndGoThroughOverriddenAdd) {
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
  // A list that mirrors its changes elsewhere sees every addition through Add.
  TLoggingList Logging;
  Logging.SetText("a\r\nb");
  Logging.AddStrings(Source);
  Logging.Insert(0, "not logged");
  EXPECT_EQ(Logging.Log, "a;b;one;two;");
}

}  // namespace
