#include "NotesListValue.h"

#include <cstring>
#include <string>

#include "ELotusNotes.h"
#include "NotesCharset.h"
#include "NotesTime.h"

namespace {

enum TListKind { lkNone, lkNumber, lkTime, lkText };

TListKind KindOf(TVarType Type) {
  switch (Type) {
    case varSmallint:
    case varInteger:
    case varSingle:
    case varDouble:
    case varCurrency:
    case varBoolean:
    case varByte:
    case varWord:
    case varInt64:
      return lkNumber;
    case varDate:
      return lkTime;
    case varOleStr:
    case varString:
      return lkText;
    default:
      return lkNone;
  }
}

[[noreturn]] void RaiseUnstorable(TVarType Type) {
  throw ELotusNotes(-1, "A list of " + VarTypeName(Type) + " values cannot be stored in Notes");
}

// The kind an array's elements share; an empty array of variants is an empty text list.
TListKind ListKind(const TVariant& Array) {
  if (Array.ElementType() != varVariant) {
    const TListKind kind = KindOf(Array.ElementType());
    if (kind == lkNone) RaiseUnstorable(Array.ElementType());
    return kind;
  }
  TListKind kind = lkText;
  for (int i = Array.LowBound(); i <= Array.HighBound(); ++i) {
    const TVarType type = Array.GetElement(i).VarType();
    const TListKind elementKind = KindOf(type);
    if (elementKind == lkNone || (i > Array.LowBound() && elementKind != kind))
      RaiseUnstorable(type);
    kind = elementKind;
  }
  return kind;
}

template <typename T>
void Append(std::vector<char>& Bytes, const T& Value) {
  const auto* data = reinterpret_cast<const char*>(&Value);
  Bytes.insert(Bytes.end(), data, data + sizeof(T));
}

template <typename Entry, typename Convert>
std::vector<char> BuildRange(const TVariant& Array, Convert ToEntry) {
  std::vector<char> bytes;
  const RANGE header{static_cast<USHORT>(Array.ElementCount()), 0};
  Append(bytes, header);
  for (int i = Array.LowBound(); i <= Array.HighBound(); ++i)
    Append(bytes, ToEntry(Array.GetElement(i)));
  return bytes;
}

std::vector<char> BuildTextList(const TVariant& Array) {
  std::vector<std::string> texts;
  for (int i = Array.LowBound(); i <= Array.HighBound(); ++i)
    texts.push_back(Native2Lmbcs(Array.GetElement(i).AsString()));
  std::vector<char> bytes;
  Append(bytes, LIST{static_cast<USHORT>(texts.size())});
  for (const std::string& text : texts) {
    if (text.size() > MAXWORD) throw ELotusNotes(-1, "A list entry is too long to be stored");
    Append(bytes, static_cast<WORD>(text.size()));
  }
  for (const std::string& text : texts) bytes.insert(bytes.end(), text.begin(), text.end());
  return bytes;
}

}  // namespace

TListValue BuildListValue(const TVariant& Array) {
  if (static_cast<DWORD>(Array.ElementCount()) > MAXWORD)
    throw ELotusNotes(-1, "The list has too many entries");
  switch (ListKind(Array)) {
    case lkNumber:
      return {TYPE_NUMBER_RANGE, BuildRange<NUMBER>(Array, [](const TVariant& Element) {
                return Element.AsDouble();
              })};
    case lkTime:
      return {TYPE_TIME_RANGE, BuildRange<TIMEDATE>(Array, [](const TVariant& Element) {
                return DateTimeToNotes(Element.AsDateTime());
              })};
    default:
      return {TYPE_TEXT_LIST, BuildTextList(Array)};
  }
}
