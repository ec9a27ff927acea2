#include <string>
#include <vector>

#include "NotesFixture.h"
#include "NotesTime.h"
#include "ValueToVariant.h"

namespace {

using ValueToVariantTest = NotesFixture;

// A typed value as Notes keeps it: the type word, then the value.
class Value {
 public:
  explicit Value(WORD Type) { Add(Type); }
  template <typename T>
  Value& Add(const T& Data) {
    const auto* bytes = reinterpret_cast<const char*>(&Data);
    FBytes.insert(FBytes.end(), bytes, bytes + sizeof(T));
    return *this;
  }
  Value& AddText(const std::string& Text) {
    FBytes.insert(FBytes.end(), Text.begin(), Text.end());
    return *this;
  }
  TVariant Convert() const { return ConvertFirst(FBytes.size()); }
  TVariant ConvertFirst(size_t Length) const {
    TVariant result = TVariant("untouched");
    ValueToVariant(FBytes.data(), Length, result);
    return result;
  }

 private:
  std::vector<char> FBytes;
};

Value TextList(const std::vector<std::string>& Entries) {
  Value value(TYPE_TEXT_LIST);
  value.Add(static_cast<USHORT>(Entries.size()));
  for (const auto& entry : Entries) value.Add(static_cast<WORD>(entry.size()));
  for (const auto& entry : Entries) value.AddText(entry);
  return value;
}

TEST_F(ValueToVariantTest, EveryTypeBecomesItsVariantAndTruncatedValuesOnlyWhatTheyHold) {
  TVariant v = Value(TYPE_TEXT)
                   .AddText(std::string("Gr\x81\xE1"
                                        "e\0Zeile",
                                        11))
                   .Convert();
  EXPECT_EQ(v.VarType(), varString);
  EXPECT_EQ(v.AsString(),
            "Gr\xC3\xBC\xC3\x9F"
            "e\r\nZeile");
  // Text lists by their entry count.
  EXPECT_TRUE(TextList({}).Convert().IsNull());
  TVariant one = TextList({"only"}).Convert();
  EXPECT_EQ(one.VarType(), varString);
  EXPECT_EQ(one.AsString(), "only");
  TVariant three = TextList({"a", "b\x81", ""}).Convert();
  ASSERT_TRUE(three.IsArray());
  EXPECT_EQ(three.ElementType(), varOleStr);
  EXPECT_EQ(three.LowBound(), 0);
  EXPECT_EQ(three.HighBound(), 2);
  EXPECT_EQ(three.GetElement(1).AsWideString(), u"b\u00FC");
  EXPECT_EQ(three.GetElement(2).AsString(), "");
  // Numbers, times and their ranges.
  EXPECT_EQ(Value(TYPE_NUMBER).Add(2.5).Convert().AsDouble(), 2.5);
  EXPECT_TRUE(Value(TYPE_NUMBER_RANGE).Add(RANGE{0, 0}).Convert().IsNull());
  EXPECT_EQ(Value(TYPE_NUMBER_RANGE).Add(RANGE{1, 0}).Add(7.0).Convert().AsDouble(), 7.0);
  TVariant list = Value(TYPE_NUMBER_RANGE).Add(RANGE{3, 0}).Add(1.0).Add(2.0).Add(3.0).Convert();
  ASSERT_TRUE(list.IsArray());
  EXPECT_EQ(list.ElementType(), varDouble);
  EXPECT_EQ(list.HighBound(), 2);
  EXPECT_EQ(list.GetElement(2).AsDouble(), 3.0);
  ScopedTimeZone zone("Europe/Berlin");
  TDateTime when = EncodeDate(2026, 7, 1) + EncodeTime(9, 30, 0, 0);
  TIMEDATE stamp = DateTimeToNotes(when);
  TVariant single = Value(TYPE_TIME).Add(stamp).Convert();
  EXPECT_EQ(single.VarType(), varDate);
  EXPECT_NEAR(single.AsDateTime(), when, 1e-8);
  TVariant range = Value(TYPE_TIME_RANGE).Add(RANGE{2, 0}).Add(stamp).Add(stamp).Convert();
  ASSERT_TRUE(range.IsArray());
  EXPECT_EQ(range.ElementType(), varDate);
  EXPECT_NEAR(range.GetElement(1).AsDateTime(), when, 1e-8);
  // Other types are empty; truncated values yield only what they hold.
  EXPECT_TRUE(Value(TYPE_COMPOSITE).AddText("xx").Convert().IsEmpty());
  EXPECT_TRUE(Value(TYPE_TEXT).ConvertFirst(1).IsEmpty());
  // Headers that claim more than the value holds must not be read past.
  EXPECT_TRUE(Value(TYPE_NUMBER).Add(static_cast<WORD>(1)).Convert().IsNull());
  Value numbers = Value(TYPE_NUMBER_RANGE).Add(RANGE{500, 0}).Add(4.0);
  EXPECT_EQ(numbers.Convert().AsDouble(), 4.0);
  Value cut = TextList({"first", "second"});
  EXPECT_EQ(cut.ConvertFirst(2 + 2 + 4 + 5 + 3).AsString(), "first");
  Value bogus(TYPE_TEXT_LIST);
  bogus.Add(static_cast<USHORT>(60000));
  EXPECT_TRUE(bogus.Convert().IsNull());
}

}  // namespace
