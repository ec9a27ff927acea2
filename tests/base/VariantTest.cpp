#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <tuple>

#include "ErrorOf.h"
#include "Variant.h"

namespace {

// The default regional settings for the duration of a test, so that text forms of dates do not
// depend on the machine's locale.
class TDefaultFormatSettings {
 public:
  TDefaultFormatSettings() : FSaved(FormatSettings()) { FormatSettings() = TFormatSettings(); }
  ~TDefaultFormatSettings() { FormatSettings() = FSaved; }

 private:
  TFormatSettings FSaved;
};

std::string ErrorOf(const std::function<void()>& Convert) {
  return vesktest::ErrorOf<EVariantError>(Convert);
}

TEST(Variant, ConstructorsChooseTheKindAndEqualityNeedsSameKindAndValue) {
  const std::pair<TVariant, TVarType> Kinds[] = {{int16_t{7}, varSmallint}, {7, varInteger},
                                                 {1.5f, varSingle},         {true, varBoolean},
                                                 {u"wide", varOleStr},      {"text", varString}};
  for (const auto& [Value, Kind] : Kinds) EXPECT_EQ(Value.VarType(), Kind) << Value.AsString();
  EXPECT_TRUE(TVariant::Null().IsNull());
  EXPECT_EQ(TVariant(static_cast<const char*>(nullptr)).AsString(), "");
  // Equality needs the same kind and value.
  EXPECT_EQ(TVariant(1), TVariant(1));
  EXPECT_EQ(TVariant::Null(), TVariant::Null());
  const std::pair<TVariant, TVariant> Different[] = {
      {1, 1.0}, {1, int16_t{1}}, {"1", u"1"}, {TVariant(), TVariant::Null()}};
  for (const auto& [Left, Right] : Different) EXPECT_FALSE(Left == Right) << Left.AsString();
}

// A single shows seven digits.
TEST(Variant, NumbersAndDatesToText) {
  const std::pair<TVariant, const char*> Cases[] = {
      {-42, "-42"},   {1.5, "1.5"},      {0.1, "0.1"},       {100.0, "100"},
      {1e20, "1E20"}, {0.00001, "1E-5"}, {0.0001, "0.0001"}, {-2.5e-7, "-2.5E-7"},
      {0.1f, "0.1"},  {true, "True"},    {false, "False"},   {TVariant(), ""}};
  for (const auto& [Value, Text] : Cases) EXPECT_EQ(Value.AsString(), Text);
  EXPECT_EQ(TVariant::FromCurrency(-1234567).AsString(), "-123.4567");
  EXPECT_EQ(TVariant::FromCurrency(20000).AsString(), "2");
  // Dates are numbers and text.
  TDefaultFormatSettings Defaults;
  TDateTime When = EncodeDate(2024, 2, 29) + EncodeTime(13, 5, 0, 0);
  TVariant V = TVariant::FromDate(When);
  EXPECT_DOUBLE_EQ(V.AsDouble(), When);
  EXPECT_EQ(V.AsString(), "2024-02-29 13:05:00");
  EXPECT_DOUBLE_EQ(TVariant(V.AsString()).AsDateTime(), When);
  EXPECT_DOUBLE_EQ(TVariant(45000.5).AsDateTime(), 45000.5);
}

TEST(Variant, TextToNumbersAndBooleanRules) {
  // Text rounds half to even; True is -1.
  const std::pair<TVariant, int> Integers[] = {{" 12 ", 12}, {"2.5", 2},      {"3.5", 4}, {u"7", 7},
                                               {"true", -1}, {TVariant(), 0}, {true, -1}};
  for (const auto& [Value, Integer] : Integers) EXPECT_EQ(Value.AsInteger(), Integer) << Integer;
  const std::pair<TVariant, bool> Booleans[] = {
      {2, true}, {0.0, false}, {"TRUE", true}, {"False", false}, {"-1", true}, {TVariant(), false}};
  for (const auto& [Value, Boolean] : Booleans) EXPECT_EQ(Value.AsBoolean(), Boolean);
  EXPECT_DOUBLE_EQ(TVariant("-1.25e2").AsDouble(), -125.0);
  EXPECT_EQ(TVariant("9223372036854775807").AsInt64(), INT64_MAX);
  EXPECT_EQ(TVariant("1.23456").AsCurrency(), 12346);
  EXPECT_EQ(TVariant().AsDouble(), 0);
  EXPECT_EQ(TVariant(false).AsDouble(), 0);
  EXPECT_EQ(TVariant(true).AsCurrency(), -10000);
}

TEST(Variant, FailingConversionsNameBothKinds) {
  const std::pair<std::function<void()>, const char*> Cases[] = {
      {[] { TVariant("abc").AsInteger(); }, "(String) into type (Integer)"},
      {[] { TVariant::Null().AsString(); }, "(Null) into type (String)"},
      {[] { TVariant::Null().AsDouble(); }, "(Null) into type (Double)"},
      {[] { TVariant(u"x").AsBoolean(); }, "(OleStr) into type (Boolean)"},
      {[] { TVariant("soon").AsDateTime(); }, "(String) into type (Date)"},
      {[] { TVariant::CreateArray(0, 1, varInteger).AsString(); },
       "(Array Integer) into type (String)"}};
  for (const auto& [Convert, Kinds] : Cases)
    EXPECT_EQ(ErrorOf(Convert), std::string("Could not convert variant of type ") + Kinds);
  EXPECT_EQ(VarTypeName(static_cast<TVarType>(varArray | varVariant)), "Array Variant");
  EXPECT_EQ(VarTypeName(static_cast<TVarType>(0x48)), "$0048");
}

TEST(Variant, OutOfRangeConversionsFailAndAsTypeConverts) {
  EXPECT_EQ(TVariant("-2147483648").AsInteger(), INT32_MIN);
  EXPECT_EQ(TVariant(-9223372036854775808.0).AsInt64(), INT64_MIN);
  const std::function<void()> OutOfRange[] = {[] { TVariant(3e9).AsInteger(); },
                                              [] { TVariant("2147483648").AsInteger(); },
                                              [] { TVariant::FromInt64(INT64_MAX).AsCurrency(); },
                                              [] { TVariant(1e300).AsCurrency(); },
                                              [] { TVariant(9223372036854775808.0).AsInt64(); },
                                              [] { TVariant(std::nan("")).AsInteger(); },
                                              [] { TVariant(70000).AsType(varSmallint); },
                                              [] { TVariant(-1).AsType(varByte); },
                                              [] { TVariant(1e40).AsType(varSingle); }};
  for (const auto& Convert : OutOfRange) EXPECT_NE(ErrorOf(Convert), "no error");
  const std::tuple<TVariant, TVarType, TVariant> Converted[] = {
      {"12", varSmallint, int16_t{12}},
      {12, varOleStr, u"12"},
      {1, varBoolean, true},
      {2.5, varCurrency, TVariant::FromCurrency(25000)},
      {"x", varVariant, "x"},
      {u"wide", varString, "wide"},
      {TVariant::FromWord(65535), varInteger, 65535}};
  for (const auto& [Value, Kind, Expected] : Converted)
    EXPECT_EQ(Value.AsType(Kind), Expected) << Value.AsString();
}

// Elements start neutral and take what is put converted to the element kind; a variant element
// holds anything, even a copy of its array.
TEST(VariantArray, BoundsNeutralElementsAndPutConverting) {
  TVariant A = TVariant::CreateArray(5, 7, varInteger);
  EXPECT_EQ(std::tuple(A.LowBound(), A.HighBound(), A.ElementCount()), std::tuple(5, 7, 3));
  EXPECT_EQ(A.GetElement(6), TVariant(0));
  EXPECT_EQ(TVariant::CreateArray(0, 0, varOleStr).GetElement(0), TVariant(u""));
  EXPECT_EQ(TVariant::CreateArray(0, -1, varInteger).ElementCount(), 0);
  A.PutElement(5, TVariant("42"));
  A.PutElement(6, TVariant(2.6));
  A.PutElement(7, TVariant(true));
  EXPECT_EQ(A.GetElement(5), TVariant(42));
  EXPECT_EQ(A.GetElement(6), TVariant(3));
  EXPECT_EQ(A.GetElement(7), TVariant(-1));
  EXPECT_THROW(A.PutElement(5, TVariant("x")), EVariantError);
  EXPECT_EQ(A.GetElement(5), TVariant(42));  // a failed put changes nothing
  TVariant V = TVariant::CreateArray(-1, 1, varVariant);
  V.PutElement(-1, TVariant("s"));
  V.PutElement(0, TVariant::Null());
  V.PutElement(1, V);
  EXPECT_TRUE(V.GetElement(0).IsNull());
  const TVariant& Inner = V.GetElement(1);
  EXPECT_EQ(Inner.GetElement(-1), TVariant("s"));
  EXPECT_TRUE(Inner.GetElement(1).IsEmpty());
}

TEST(VariantArray, ArrayMisuseRaises) {
  TVariant A = TVariant::CreateArray(10, 11, varString);
  EXPECT_EQ(ErrorOf([&] { A.GetElement(9); }), "Variant or safe array index out of bounds");
  EXPECT_THROW(A.GetElement(12), EVariantError);
  EXPECT_THROW(A.PutElement(0, TVariant("x")), EVariantError);
  EXPECT_THROW(A.GetElement(INT32_MIN), EVariantError);
  TVariant V = 5;
  EXPECT_EQ(ErrorOf([&] { V.LowBound(); }), "Variant is not an array");
  EXPECT_THROW(V.HighBound(), EVariantError);
  EXPECT_THROW(V.ElementCount(), EVariantError);
  EXPECT_THROW(V.ElementType(), EVariantError);
  EXPECT_THROW(V.GetElement(0), EVariantError);
  EXPECT_THROW(V.PutElement(0, TVariant(1)), EVariantError);
  EXPECT_THROW(TVariant::CreateArray(0, -2, varInteger), EVariantError);
  EXPECT_THROW(TVariant::CreateArray(0, 1, varEmpty), EVariantError);
  EXPECT_THROW(TVariant::CreateArray(0, 1, varNull), EVariantError);
  EXPECT_THROW(TVariant::CreateArray(0, 1, static_cast<TVarType>(varArray | varInteger)),
               EVariantError);
  EXPECT_THROW(TVariant::CreateArray(INT32_MIN, INT32_MAX, varByte), EVariantError);
}

TEST(VariantArray, ConvertsElementWiseAndComparesElementWise) {
  TVariant Numbers = TVariant::CreateArray(2, 3, varInteger);
  Numbers.PutElement(2, TVariant(1));
  Numbers.PutElement(3, TVariant(2));
  TVariant Doubles = Numbers.AsType(static_cast<TVarType>(varArray | varDouble));
  EXPECT_EQ(Doubles.LowBound(), 2);
  EXPECT_EQ(Doubles.GetElement(3), TVariant(2.0));
  TVariant Copy = Numbers;
  EXPECT_EQ(Copy, Numbers);
  Copy.PutElement(3, TVariant(9));
  EXPECT_FALSE(Copy == Numbers);
  EXPECT_EQ(Numbers.GetElement(3), TVariant(2));  // copies do not share elements
  EXPECT_FALSE(TVariant::CreateArray(0, 1, varInteger) == TVariant::CreateArray(1, 2, varInteger));
  EXPECT_THROW(TVariant(1).AsType(static_cast<TVarType>(varArray | varInteger)), EVariantError);
}

}  // namespace
