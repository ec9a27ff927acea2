#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "DateUtils.h"
#include "Exception.h"
#include "Export.h"

// Kinds of variant, numbered as in OLE. An array reports varArray | its element kind.
enum TVarType : uint16_t {
  varEmpty = 0,
  varNull = 1,
  varSmallint = 2,
  varInteger = 3,
  varSingle = 4,
  varDouble = 5,
  varCurrency = 6,
  varDate = 7,
  varOleStr = 8,
  varBoolean = 11,
  varVariant = 12,
  varByte = 17,
  varWord = 18,
  varInt64 = 20,
  varString = 0x100,
  varArray = 0x2000,
  varTypeMask = 0x0FFF
};

// A failed conversion, an index outside an array's bounds, or an array operation on a value
// that is no array.
class VESK_API EVariantError : public Exception {
 public:
  using Exception::Exception;
  ~EVariantError() override;
};

// The kind's name as messages show it: "Integer", "String", "Array Double" ...
std::string VarTypeName(TVarType VarType);

// A tagged value: empty, null, a number, a date-time, a Boolean, a string (UTF-8 or UTF-16) or a
// one-dimensional array with bounds and one element kind (varVariant: any value per element).
// Conversions follow Delphi's variant rules: empty converts to "" or 0, null to nothing;
// numbers and strings convert both ways ("." as decimal point); Booleans are -1 and 0, or
// "True" and "False"; date-times convert as numbers, and to text by DateTimeToStr.
class VESK_API TVariant {
 public:
  TVariant() = default;
  static TVariant Null();
  TVariant(int16_t Value);
  TVariant(int32_t Value);
  TVariant(float Value);
  TVariant(double Value);
  TVariant(bool Value);
  // Without these a string literal would become a Boolean.
  TVariant(const char* Value);
  TVariant(const char16_t* Value);
  TVariant(std::string Value);
  TVariant(std::u16string Value);
  static TVariant FromDate(TDateTime Value);
  // Ten-thousandths of the currency unit.
  static TVariant FromCurrency(int64_t Scaled);
  static TVariant FromByte(uint8_t Value);
  static TVariant FromWord(uint16_t Value);
  static TVariant FromInt64(int64_t Value);
  // Elements LowBound..HighBound (HighBound = LowBound - 1: no elements), each the neutral
  // value of ElementType: zero, empty text, false, or empty for varVariant.
  static TVariant CreateArray(int LowBound, int HighBound, TVarType ElementType);

  TVarType VarType() const { return FType; }
  bool IsEmpty() const { return FType == varEmpty; }
  bool IsNull() const { return FType == varNull; }
  bool IsArray() const { return (FType & varArray) != 0; }

  // Array access; each raises EVariantError on a value that is no array.
  TVarType ElementType() const;
  int LowBound() const;
  int HighBound() const;
  int ElementCount() const;
  // Index runs from LowBound to HighBound; outside raises EVariantError.
  const TVariant& GetElement(int Index) const;
  // Stores Value converted to the element kind.
  void PutElement(int Index, const TVariant& Value);

  // Each raises EVariantError when the value has no such form.
  std::string AsString() const;
  std::u16string AsWideString() const;
  double AsDouble() const;
  int32_t AsInteger() const;
  int64_t AsInt64() const;
  int64_t AsCurrency() const;
  bool AsBoolean() const;
  TDateTime AsDateTime() const;
  // The value converted to another kind; an array converts element by element to an array
  // of the kind's element type.
  TVariant AsType(TVarType VarType) const;

  // Same kind and same value; arrays also need the same bounds.
  bool operator==(const TVariant& Other) const;

 private:
  using TArray = std::vector<TVariant>;
  using TValue = std::variant<std::monostate, int64_t, double, std::string, std::u16string, TArray>;

  TVariant(TVarType Type, TValue Value) : FType(Type), FValue(std::move(Value)) {}

  [[noreturn]] void RaiseCastError(TVarType Target) const;
  const TArray& Elements() const;
  size_t ElementOffset(int Index) const;
  int64_t IntegerValue() const;
  double RealValue() const;
  double NumberValue(TVarType Target) const;
  int64_t WholeNumber(TVarType Target, int64_t Min, int64_t Max) const;
  TVariant ConvertScalar(TVarType Target) const;
  TVariant ConvertArray(TVarType Target) const;

  TVarType FType = varEmpty;
  TValue FValue;
  int FLowBound = 0;
};
