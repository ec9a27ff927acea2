// The typed writers of TNotesItem.
#include <cstring>

#include "ELotusNotes.h"
#include "NotesCharset.h"
#include "NotesItemValues.h"
#include "NotesListValue.h"
#include "NotesText.h"
#include "NotesTime.h"
#include "SysUtils.h"
#include "TCompoundText.h"
#include "TNotesItem.h"

namespace {

// The array converted element by element to Type, unless it already holds that kind. An
// element without such a form raises ELotusNotes naming it, before anything is written.
TVariant ArrayOf(const TVariant& Value, TVarType Type, const std::string& ItemName) {
  if (Value.ElementType() == Type) return Value;
  TVariant array = TVariant::CreateArray(Value.LowBound(), Value.HighBound(), Type);
  for (int i = Value.LowBound(); i <= Value.HighBound(); ++i) {
    const TVariant& element = Value.GetElement(i);
    try {
      array.PutElement(i, element.AsType(Type));
    } catch (const EVariantError&) {
      throw ELotusNotes(-1, Format("Element %d of the list for the item %s (%s) has no %s form", i,
                                   ItemName.c_str(), VarTypeName(element.VarType()).c_str(),
                                   Type == varDate ? "date-time" : "number"));
    }
  }
  return array;
}

}  // namespace

// The lines are split in the native text: in LMBCS a byte 0x0A or 0x0D may be part of a
// three-byte character, which a split there would cut in two.
void TNotesItem::SetAsString(const std::string& Text) {
  std::vector<char> buffer;
  uint32_t length = 0;
  StringToNotes(Text, buffer, length);
  const std::string value = Native2LmbcsRaw(std::string(buffer.data(), length - 1));
  SetValueBuffer(TYPE_TEXT, FItemFlags, value.data(), static_cast<DWORD>(value.size()));
}

void TNotesItem::SetAsFloat(double Number) {
  FItemFlags |= ITEM_SUMMARY;
  DeleteAllItems();
  const NUMBER number = Number;
  CheckNotesStatus(NSFItemSetNumber(NoteHandle(), FLmbcsName.data(), &number));
  SetCreated();
}

void TNotesItem::SetAsDateTime(TDateTime DateTime) {
  if (DateTime == 0) {
    SetAsString("");
    return;
  }
  const TIMEDATE time = DateTimeToNotes(DateTime);
  DeleteAllItems();
  CheckNotesStatus(NSFItemSetTime(NoteHandle(), FLmbcsName.data(), &time));
  SetCreated();
}

void TNotesItem::SetAsList(const TVariant& Value) {
  if (!Value.IsArray()) {
    SetItemValue(Value);
    return;
  }
  const TListValue list = BuildListValue(Value);
  const WORD flags = list.DataType == TYPE_TEXT_LIST ? FItemFlags : WORD{ITEM_SUMMARY};
  ReplaceWithValue(list.DataType, flags, list.Bytes);
}

void TNotesItem::SetAsNumbers(const TVariant& Value) {
  if (Value.IsArray()) SetAsList(ArrayOf(Value, varDouble, FName));
}

void TNotesItem::SetAsTimes(const TVariant& Value) {
  if (Value.IsArray()) SetAsList(ArrayOf(Value, varDate, FName));
}

void TNotesItem::SetAsStrings(const TStringList* List) {
  if (List == nullptr) return;
  // A copy first: List may be this item's own Lines, which the write empties as stale.
  TStringList lines;
  lines.Assign(*List);
  if (lines.Count() == 0) {
    SetAsString("");
  } else {
    TVariant array = TVariant::CreateArray(0, lines.Count() - 1, varOleStr);
    for (int i = 0; i < lines.Count(); ++i) array.PutElement(i, TVariant(lines.Strings(i)));
    SetAsList(array);
  }
  Lines().Assign(lines);
}

void TNotesItem::SetAsReference(const UNIVERSALNOTEID& Unid) {
  std::vector<char> buffer(sizeof(LIST) + sizeof(Unid));
  const LIST list{1};
  std::memcpy(buffer.data(), &list, sizeof(list));
  std::memcpy(buffer.data() + sizeof(list), &Unid, sizeof(Unid));
  SetValueBuffer(TYPE_NOTEREF_LIST, FItemFlags, buffer.data(), static_cast<DWORD>(buffer.size()));
}

void TNotesItem::SetItemValue(const TVariant& Value) {
  if (Value.IsArray()) {
    SetAsList(Value);
    return;
  }
  switch (Value.VarType()) {
    case varEmpty:
    case varNull:
      // Nothing to store: the item goes, so that reading it gives the neutral value.
      DeleteAllItems();
      SetCreated();
      return;
    case varSmallint:
    case varInteger:
    case varByte:
    case varWord:
    case varInt64:
    case varSingle:
    case varDouble:
    case varCurrency:
      SetAsFloat(Value.AsDouble());
      return;
    case varBoolean:
      SetAsFloat(Value.AsBoolean() ? 1 : 0);
      return;
    case varDate:
      SetAsDateTime(Value.AsDateTime());
      return;
    case varOleStr:
    case varString:
      SetAsString(Value.AsString());
      return;
    default:
      throw ELotusNotes(
          -1, "A " + VarTypeName(Value.VarType()) + " value cannot be stored in the item " + FName);
  }
}

// The new field is complete before the old items go, and is appended after them before they
// are removed: a failure on the way leaves the note as it was.
void TNotesItem::SetRichText(const TStringList& List) {
  std::string text;
  for (int index = 0; index < List.Count(); ++index) text += List.Strings(index) + "\r\n";
  TCompoundText field(NoteHandle(), FLmbcsName);
  field.AddText(Native2Lmbcs(std::move(text)));
  const std::vector<TItemValue> oldItems = ItemValuesAfter(NoteHandle(), FLmbcsName, BLOCKID{});
  field.Close();
  for (const TItemValue& old : oldItems)
    CheckNotesStatus(NSFItemDeleteByBLOCKID(NoteHandle(), old.Item));
  SetCreated();
}
