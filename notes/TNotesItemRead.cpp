// The typed readers of TNotesItem.
#include <cstring>

#include "ELotusNotes.h"
#include "HugeNSFItemAppend.h"
#include "NotesApiErrors.h"
#include "NotesCharset.h"
#include "NotesItemValues.h"
#include "NotesText.h"
#include "NotesTime.h"
#include "RichTextLines.h"
#include "TLineSplitter.h"
#include "TNotesItem.h"
#include "ValueToVariant.h"

namespace {

// Texts that Notes converts for us are cut to what one WORD-sized buffer holds.
constexpr WORD ConvertedTextSize = 60000;
constexpr WORD ConvertedValueSize = 62000;

// A single value as a one-element array, so that lists always come back as arrays.
TVariant AsArray(const TVariant& Value, TVarType ElementType) {
  if (Value.IsArray() || Value.IsNull() || Value.IsEmpty()) return Value;
  TVariant array = TVariant::CreateArray(0, 0, ElementType);
  array.PutElement(0, Value);
  return array;
}

// Notes text keeps a NUL after each line but the last. Every NUL is a line break, empty lines
// included (NotesToString would end the text at the first empty line); only the terminator
// after the last line is dropped. The text is native: in LMBCS a byte may belong to a
// character of three.
std::string LinesToString(std::string Text) {
  if (!Text.empty() && Text.back() == '\0') Text.pop_back();
  std::string result;
  result.reserve(Text.size());
  for (char c : Text) {
    if (c == '\0')
      result += "\r\n";
    else
      result += c;
  }
  return result;
}

std::string UpToNul(const std::vector<char>& Buffer) {
  return std::string(Buffer.data(), strnlen(Buffer.data(), Buffer.size()));
}

}  // namespace

// A text longer than one item was stored as consecutive TYPE_TEXT items of the name, every one
// but the last full (IsFullTextPiece); they are joined from this item on, so that the text
// reads back whole. The first item that is not full ends the value.
std::string TNotesItem::JoinedText() const {
  std::string text;
  std::unique_ptr<TNotesItem> next;
  for (const TNotesItem* item = this; item != nullptr && item->FDataType == TYPE_TEXT;
       item = next.get()) {
    const std::vector<char> value = item->GetValueBuffer();
    if (value.size() <= sizeof(WORD)) break;
    text.append(value.begin() + sizeof(WORD), value.end());
    if (!IsFullTextPiece(static_cast<DWORD>(value.size() - sizeof(WORD)))) break;
    next = item->CreateNextItem();
  }
  return LinesToString(Lmbcs2NativeRaw(text));
}

std::vector<TItemValue> TNotesItem::RichTextValues() const {
  std::vector<TItemValue> values{{FItemBID, FDataType, FValueBID, FValueLength}};
  for (const TItemValue& next : ItemValuesAfter(NoteHandle(), FLmbcsName, FItemBID)) {
    if (next.DataType != TYPE_COMPOSITE) break;
    values.push_back(next);
  }
  return values;
}

std::string TNotesItem::RichTextAsText() const {
  const std::vector<TItemValue> values = RichTextValues();
  std::string text;
  // The records' bytes: about the text's size, with room for a few characters that grow.
  size_t size = 0;
  for (const TItemValue& value : values) size += value.Length;
  text.reserve(size);
  ForEachRichTextLine(values, [&text](std::string_view Piece) { text += Piece; });
  return text;
}

std::string TNotesItem::GetAsString() const {
  if (!FLoaded) return "";
  switch (FDataType) {
    case TYPE_TEXT:
      return JoinedText();
    case TYPE_COMPOSITE:
      return RichTextAsText();
    default: {
      std::vector<char> buffer(ConvertedTextSize + 1, '\0');
      NSFItemConvertToText(NoteHandle(), FLmbcsName.data(), buffer.data(), ConvertedTextSize, ';');
      return Lmbcs2Native(UpToNul(buffer));
    }
  }
}

double TNotesItem::GetAsFloat() const {
  NUMBER number = 0;
  if (!FLoaded || !NSFItemGetNumber(NoteHandle(), FLmbcsName.data(), &number)) return 0;
  return number;
}

TDateTime TNotesItem::GetAsDateTime() const {
  TIMEDATE time{};
  if (!FLoaded || !NSFItemGetTime(NoteHandle(), FLmbcsName.data(), &time)) return 0;
  return NotesToDateTime(time);
}

TVariant TNotesItem::GetAsList() const {
  if (!FLoaded) return TVariant::Null();
  TVarType elementType;
  switch (FDataType) {
    case TYPE_NUMBER_RANGE:
      elementType = varDouble;
      break;
    case TYPE_TIME_RANGE:
      elementType = varDate;
      break;
    case TYPE_TEXT_LIST:
      elementType = varOleStr;
      break;
    default:
      return TVariant::Null();
  }
  // The entries are read from the stored value itself, each as long as it is stored.
  const std::vector<char> value = GetValueBuffer();
  TVariant result;
  ValueToVariant(value.data(), value.size(), result);
  return AsArray(result, elementType);
}

TVariant TNotesItem::GetAsNumbers() const {
  if (!FLoaded || FDataType != TYPE_NUMBER_RANGE) return TVariant(int32_t{0});
  return GetAsList();
}

TVariant TNotesItem::GetAsTimes() const {
  if (!FLoaded || FDataType != TYPE_TIME_RANGE) return TVariant::Null();
  return GetAsList();
}

TStringList& TNotesItem::GetAsStrings() {
  TStringList& lines = Lines();
  if (!FLoaded || (FDataType != TYPE_TEXT_LIST && FDataType != TYPE_NUMBER_RANGE &&
                   FDataType != TYPE_TIME_RANGE))
    return lines;
  lines.Clear();
  const TVariant list = GetAsList();
  if (list.IsArray())
    for (int i = list.LowBound(); i <= list.HighBound(); ++i)
      lines.Add(list.GetElement(i).AsString());
  return lines;
}

UNIVERSALNOTEID TNotesItem::GetAsReference() const {
  UNIVERSALNOTEID unid{};
  const std::vector<char> value = GetValueBuffer();
  const size_t header = sizeof(WORD) + sizeof(LIST);
  if (value.size() < header + sizeof(unid)) return unid;
  LIST list;
  std::memcpy(&list, value.data() + sizeof(WORD), sizeof(list));
  if (list.ListEntries > 0) std::memcpy(&unid, value.data() + header, sizeof(unid));
  return unid;
}

TVariant TNotesItem::GetItemValue() const {
  if (!FLoaded) return TVariant::Null();
  switch (FDataType) {
    case TYPE_TEXT:
      return TVariant(GetAsString());
    case TYPE_TEXT_LIST:
      return GetAsList();
    case TYPE_NUMBER:
      return TVariant(GetAsFloat());
    case TYPE_NUMBER_RANGE:
      return GetAsNumbers();
    case TYPE_TIME:
      return TVariant::FromDate(GetAsDateTime());
    case TYPE_TIME_RANGE:
      return GetAsTimes();
    case TYPE_NOTEREF_LIST:
      return TVariant(UNIDtoStr(GetAsReference(), true));
    default: {
      std::vector<char> buffer(ConvertedValueSize + 1, '\0');
      NSFItemConvertValueToText(FDataType, FValueBID, FValueLength, buffer.data(),
                                ConvertedValueSize, '\0');
      return TVariant(Lmbcs2Native(UpToNul(buffer)));
    }
  }
}

TStringList& TNotesItem::GetRichText() {
  TStringList& lines = Lines();
  if (!FLoaded) return lines;
  if (FDataType != TYPE_COMPOSITE) {
    lines.SetText(GetAsString());
    return lines;
  }
  // Item by item into the list: a long text is never held whole, nor split again afterwards.
  TLineSplitter splitter(lines);
  ForEachRichTextLine(RichTextValues(),
                      [&splitter](std::string_view Piece) { splitter.AppendLine(Piece); });
  splitter.Finish();
  return lines;
}
