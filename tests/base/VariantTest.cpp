#include <gtest/gtest.h>

#include <cmath>

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

// Runs Convert and returns the message of the EVariantError it must raise.
template <typename F>
std::string ErrorOf(F Convert) {
  try {
    Convert();
  } catch (const EVariantError& E) {
    return E.Message();
  }
  return "no error";
}

TEST(Variant, ConstructorsChooseTheKindAndAStringLiteralMakesAString) {
  EXPECT_EQ(TVariant(int16_t{7}).VarType(), varSmallint);
  EXPECT_EQ(TVariant(7).VarType(), varInteger);
  EXPECT_EQ(TVariant(1.5f).VarType(), varSingle);
  EXPECT_EQ(TVariant(true).VarType(), varBoolean);
  EXPECT_EQ(TVariant(u"wide").VarType(), varOleStr);
  EXPECT_TRUE(TVariant::Null().IsNull());
  TVariant V = "text";
  EXPECT_EQ(V.VarType(), varString);
  EXPECT_EQ(V.AsString(), "text");
  EXPECT_EQ(TVariant(static_cast<const char*>(nullptr)).AsString(), "");
}

TEST(Variant, NumbersToText) {
  EXPECT_EQ(TVariant(-42).AsString(), "-42");
  EXPECT_EQ(TVariant(1.5).AsString(), "1.5");
  EXPECT_EQ(TVariant(0.1).AsString(), "0.1");
  EXPECT_EQ(TVariant(100.0).AsString(), "100");
  EXPECT_EQ(TVariant(1e20).AsString(), "1E20");
  EXPECT_EQ(TVariant(0.00001).AsString(), "1E-5");
  EXPECT_EQ(TVariant(0.0001).AsString(), "0.0001");
  EXPECT_EQ(TVariant(-2.5e-7).AsString(), "-2.5E-7");
  EXPECT_EQ(TVariant(0.1f).AsString(), "0.1");  // single: seven digits
  EXPECT_EQ(TVariant::FromCurrency(-1234567).AsString(), "-123.4567");
  EXPECT_EQ(TVariant::FromCurrency(20000).AsString(), "2");
  EXPECT_EQ(TVariant(true).AsString(), "True");
  EXPECT_EQ(TVariant(false).AsString(), "False");
  EXPECT_EQ(TVariant().AsString(), "");
}

TEST(Variant, TextToNumbersAndBooleanRules) {
  EXPECT_EQ(TVariant(" 12 ").AsInteger(), 12);
  EXPECT_DOUBLE_EQ(TVariant("-1.25e2").AsDouble(), -125.0);
  EXPECT_EQ(TVariant("2.5").AsInteger(), 2);  // rounds half to even
  EXPECT_EQ(TVariant("3.5").AsInteger(), 4);
  EXPECT_EQ(TVariant("9223372036854775807").AsInt64(), INT64_MAX);
  EXPECT_EQ(TVariant("1.23456").AsCurrency(), 12346);
  EXPECT_EQ(TVariant(u"7").AsInteger(), 7);
  EXPECT_EQ(TVariant("true").AsInteger(), -1);
  EXPECT_EQ(TVariant().AsInteger(), 0);
  EXPECT_EQ(TVariant().AsDouble(), 0);
  EXPECT_EQ(TVariant(true).AsInteger(), -1);
  EXPECT_EQ(TVariant(false).AsDouble(), 0);
  EXPECT_TRUE(TVariant(2).AsBoolean());
  EXPECT_FALSE(TVariant(0.0).AsBoolean());
  EXPECT_TRUE(TVariant("TRUE").AsBoolean());
  EXPECT_FALSE(TVariant("False").AsBoolean());
  EXPECT_TRUE(TVariant("-1").AsBoolean());
  EXPECT_FALSE(TVariant().AsBoolean());
  EXPECT_EQ(TVariant(true).AsCurrency(), -10000);
}

TEST(Variant, DatesAsNumbersAndText) {
  TDefaultFormatSettings Defaults;
  TDateTime When = EncodeDate(2024, 2, 29) + EncodeTime(13, 5, 0, 0);
  TVariant V = TVariant::FromDate(When);
  EXPECT_DOUBLE_EQ(V.AsDouble(), When);
  EXPECT_EQ(V.AsString(), "2024-02-29 13:05:00");
  EXPECT_DOUBLE_EQ(TVariant(V.AsString()).AsDateTime(), When);
  EXPECT_DOUBLE_EQ(TVariant(45000.5).AsDateTime(), 45000.5);
}

TEST(Variant, FailingConversionsNameBothKinds) {
  EXPECT_EQ(ErrorOf([] { TVariant("abc").AsInteger(); }),
            "Could not convert variant of type (String) into type (Integer)");
  EXPECT_EQ(ErrorOf([] { TVariant::Null().AsString(); }),
            "Could not convert variant of type (Null) into type (String)");
  EXPECT_EQ(ErrorOf([] { TVariant::Null().AsDouble(); }),
            "Could not convert variant of type (Null) into type (Double)");
  EXPECT_EQ(ErrorOf([] { TVariant(u"x").AsBoolean(); }),
            "Could not convert variant of type (OleStr) into type (Boolean)");
  EXPECT_EQ(ErrorOf([] { TVariant("soon").AsDateTime(); }),
            "Could not convert variant of type (String) into type (Date)");
  EXPECT_EQ(ErrorOf([] { TVariant::CreateArray(0, 1, varInteger).AsString(); }),
            "Could not convert variant of type (Array Integer) into type (String)");
  EXPECT_EQ(VarTypeName(varOleStr), "OleStr");
  EXPECT_EQ(VarTypeName(static_cast<TVarType>(varArray | varVariant)), "Array Variant");
  EXPECT_EQ(VarTypeName(static_cast<TVarType>(0x48)), "$0048");
}

TEST(Variant, OutOfRangeConversionsFail) {
  EXPECT_THROW(TVariant(3e9).AsInteger(), EVariantError);
  EXPECT_THROW(TVariant("2147483648").AsInteger(), EVariantError);
  EXPECT_EQ(TVariant("-2147483648").AsInteger(), INT32_MIN);
  EXPECT_THROW(TVariant::FromInt64(INT64_MAX).AsCurrency(), EVariantError);
  EXPECT_THROW(TVariant(1e300).AsCurrency(), EVariantError);
  EXPECT_THROW(TVariant(9223372036854775808.0).AsInt64(), EVariantError);
  EXPECT_EQ(TVariant(-9223372036854775808.0).AsInt64(), INT64_MIN);
  EXPECT_THROW(TVariant(std::nan("")).AsInteger(), EVariantError);
  EXPECT_THROW(TVariant(70000).AsType(varSmallint), EVariantError);
  EXPECT_THROW(TVariant(-1).AsType(varByte), EVariantError);
  EXPECT_THROW(TVariant(1e40).AsType(varSingle), EVariantError);
}

TEST(Variant, AsTypeConverts) {
  EXPECT_EQ(TVariant("12").AsType(varSmallint), TVariant(int16_t{12}));
  EXPECT_EQ(TVariant(12).AsType(varOleStr), TVariant(u"12"));
  EXPECT_EQ(TVariant(1).AsType(varBoolean), TVariant(true));
  EXPECT_EQ(TVariant(2.5).AsType(varCurrency), TVariant::FromCurrency(25000));
  EXPECT_EQ(TVariant("x").AsType(varVariant), TVariant("x"));
  EXPECT_EQ(TVariant(u"wide").AsString(), "wide");
  EXPECT_EQ(TVariant::FromWord(65535).AsInteger(), 65535);
}

TEST(Variant, EqualityNeedsSameKindAndValue) {
  EXPECT_EQ(TVariant(1), TVariant(1));
  EXPECT_FALSE(TVariant(1) == TVariant(1.0));
  EXPECT_FALSE(TVariant(1) == TVariant(int16_t{1}));
  EXPECT_FALSE(TVariant("1") == TVariant(u"1"));
  EXPECT_EQ(TVariant::Null(), TVariant::Null());
  EXPECT_FALSE(TVariant() == TVariant::Null());
}

TEST(VariantArray, BoundsAndNeutralElements) {
  TVariant A = TVariant::CreateArray(5, 7, varDouble);
  EXPECT_TRUE(A.IsArray());
  EXPECT_EQ(A.VarType(), varArray | varDouble);
  EXPECT_EQ(A.ElementType(), varDouble);
  EXPECT_EQ(A.LowBound(), 5);
  EXPECT_EQ(A.HighBound(), 7);
  EXPECT_EQ(A.ElementCount(), 3);
  EXPECT_EQ(A.GetElement(6), TVariant(0.0));
  EXPECT_EQ(TVariant::CreateArray(0, 0, varOleStr).GetElement(0), TVariant(u""));
  EXPECT_TRUE(TVariant::CreateArray(-2, -2, varVariant).GetElement(-2).IsEmpty());
  TVariant None = TVariant::CreateArray(0, -1, varInteger);
  EXPECT_EQ(None.ElementCount(), 0);
  EXPECT_EQ(None.HighBound(), -1);
}

TEST(VariantArray, PutConvertsToElementKind) {
  TVariant A = TVariant::CreateArray(1, 3, varInteger);
  A.PutElement(1, TVariant("42"));
  A.PutElement(2, TVariant(2.6));
  A.PutElement(3, TVariant(true));
  EXPECT_EQ(A.GetElement(1), TVariant(42));
  EXPECT_EQ(A.GetElement(2), TVariant(3));
  EXPECT_EQ(A.GetElement(3), TVariant(-1));
  EXPECT_THROW(A.PutElement(1, TVariant("x")), EVariantError);
  EXPECT_EQ(A.GetElement(1), TVariant(42));  // a failed put changes nothing
}

TEST(VariantArray, VariantElementsHoldAnything) {
  TVariant A = TVariant::CreateArray(0, 2, varVariant);
  A.PutElement(0, TVariant("s"));
  A.PutElement(1, TVariant::Null());
  A.PutElement(2, A);  // an array may hold a copy of itself
  EXPECT_EQ(A.GetElement(0), TVariant("s"));
  EXPECT_TRUE(A.GetElement(1).IsNull());
  const TVariant& Inner = A.GetElement(2);
  EXPECT_TRUE(Inner.IsArray());
  EXPECT_EQ(Inner.GetElement(0), TVariant("s"));
  EXPECT_TRUE(Inner.GetElement(2).IsEmpty());
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
