#include "Variant.h"

#include <climits>

#include "SysUtils.h"

EVariantError::~EVariantError() = default;

namespace {

const char* ScalarTypeName(TVarType VarType) {
  switch (VarType) {
    case varEmpty:
      return "Empty";
    case varNull:
      return "Null";
    case varSmallint:
      return "Smallint";
    case varInteger:
      return "Integer";
    case varSingle:
      return "Single";
    case varDouble:
      return "Double";
    case varCurrency:
      return "Currency";
    case varDate:
      return "Date";
    case varOleStr:
      return "OleStr";
    case varBoolean:
      return "Boolean";
    case varVariant:
      return "Variant";
    case varByte:
      return "Byte";
    case varWord:
      return "Word";
    case varInt64:
      return "Int64";
    case varString:
      return "String";
    default:
      return nullptr;
  }
}

bool IsElementType(TVarType VarType) {
  return VarType != varEmpty && VarType != varNull && ScalarTypeName(VarType) != nullptr;
}

}  // namespace

std::string VarTypeName(TVarType VarType) {
  std::string Prefix = (VarType & varArray) != 0 ? "Array " : "";
  TVarType Element = static_cast<TVarType>(VarType & ~varArray);
  const char* Name = ScalarTypeName(Element);
  return Prefix + (Name != nullptr ? Name : "$" + IntToHex(Element, 4));
}

TVariant TVariant::Null() {
  return TVariant(varNull, std::monostate());
}
TVariant::TVariant(int16_t Value) : FType(varSmallint), FValue(int64_t{Value}) {}
TVariant::TVariant(int32_t Value) : FType(varInteger), FValue(int64_t{Value}) {}
TVariant::TVariant(float Value) : FType(varSingle), FValue(double{Value}) {}
TVariant::TVariant(double Value) : FType(varDouble), FValue(Value) {}
TVariant::TVariant(bool Value) : FType(varBoolean), FValue(int64_t{Value ? 1 : 0}) {}
TVariant::TVariant(const char* Value) : TVariant(std::string(Value != nullptr ? Value : "")) {}
TVariant::TVariant(const char16_t* Value)
    : TVariant(std::u16string(Value != nullptr ? Value : u"")) {}
TVariant::TVariant(std::string Value) : FType(varString), FValue(std::move(Value)) {}
TVariant::TVariant(std::u16string Value) : FType(varOleStr), FValue(std::move(Value)) {}
TVariant TVariant::FromDate(TDateTime Value) {
  return TVariant(varDate, Value);
}
TVariant TVariant::FromCurrency(int64_t Scaled) {
  return TVariant(varCurrency, Scaled);
}
TVariant TVariant::FromByte(uint8_t Value) {
  return TVariant(varByte, int64_t{Value});
}
TVariant TVariant::FromWord(uint16_t Value) {
  return TVariant(varWord, int64_t{Value});
}
TVariant TVariant::FromInt64(int64_t Value) {
  return TVariant(varInt64, Value);
}

TVariant TVariant::CreateArray(int LowBound, int HighBound, TVarType ElementType) {
  int64_t Count = int64_t{HighBound} - LowBound + 1;
  if (!IsElementType(ElementType) || Count < 0 || Count > INT_MAX)
    throw EVariantError("Error creating variant or safe array");
  TVariant Neutral = TVariant().AsType(ElementType);
  TVariant Result(static_cast<TVarType>(varArray | ElementType),
                  TArray(static_cast<size_t>(Count), Neutral));
  Result.FLowBound = LowBound;
  return Result;
}

const TVariant::TArray& TVariant::Elements() const {
  if (!IsArray()) throw EVariantError("Variant is not an array");
  return std::get<TArray>(FValue);
}

TVarType TVariant::ElementType() const {
  Elements();
  return static_cast<TVarType>(FType & varTypeMask);
}

int TVariant::LowBound() const {
  Elements();
  return FLowBound;
}

int TVariant::HighBound() const {
  return LowBound() + ElementCount() - 1;
}

int TVariant::ElementCount() const {
  return static_cast<int>(Elements().size());
}

size_t TVariant::ElementOffset(int Index) const {
  int64_t Offset = int64_t{Index} - LowBound();
  if (Offset < 0 || Offset >= ElementCount())
    throw EVariantError("Variant or safe array index out of bounds");
  return static_cast<size_t>(Offset);
}

const TVariant& TVariant::GetElement(int Index) const {
  return Elements()[ElementOffset(Index)];
}

void TVariant::PutElement(int Index, const TVariant& Value) {
  size_t Offset = ElementOffset(Index);
  TVarType Element = ElementType();
  // Converted into a copy first: Value may be this array or one of its elements.
  TVariant Stored = Element == varVariant ? Value : Value.AsType(Element);
  std::get<TArray>(FValue)[Offset] = std::move(Stored);
}

bool TVariant::operator==(const TVariant& Other) const {
  return FType == Other.FType && FLowBound == Other.FLowBound && FValue == Other.FValue;
}

void TVariant::RaiseCastError(TVarType Target) const {
  throw EVariantError(Format("Could not convert variant of type (%s) into type (%s)",
                             VarTypeName(FType).c_str(), VarTypeName(Target).c_str()));
}
