// The note and its surroundings: identity, times, fields by computed name, user, database.
#include <array>
#include <cstdio>

#include "search/formula/Call.h"
#include "search/formula/Elementwise.h"
#include "search/formula/FormulaText.h"
#include "search/formula/FunctionTable.h"

namespace notesrt {

namespace {

TValue NeedsNote() {
  return TValue::Error(ERR_FORMULA_NEEDS_NOTE);
}

std::u16string Hex(DWORD Value) {
  char text[9];
  std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(Value));
  return std::u16string(text, text + 8);
}

TValue Created(TCall& Call) {
  if (!Call.Context().HasNote()) return NeedsNote();
  return TValue::Time(Call.Context().Created());
}

TValue Modified(TCall& Call) {
  if (!Call.Context().HasNote()) return NeedsNote();
  return TValue::Time(Call.Context().Modified());
}

TValue IsResponseDoc(TCall& Call) {
  if (!Call.Context().HasNote()) return NeedsNote();
  return TValue::Boolean(Call.Context().IsResponse());
}

// 32 hexadecimal digits: file words 1 and 0, then note words 1 and 0.
TValue DocumentUniqueID(TCall& Call) {
  if (!Call.Context().HasNote()) return NeedsNote();
  UNIVERSALNOTEID unid = Call.Context().Unid();
  return TValue::Text(Hex(unid.File[1]) + Hex(unid.File[0]) + Hex(unid.Note.Innards[1]) +
                      Hex(unid.Note.Innards[0]));
}

TValue NoteID(TCall& Call) {
  if (!Call.Context().HasNote()) return NeedsNote();
  return TValue::Text(u"NT" + Hex(Call.Context().NoteId()));
}

// Who last saved the note, else who sent it.
TValue Author(TCall& Call) {
  if (!Call.Context().HasNote()) return NeedsNote();
  TValue updatedBy = Call.Evaluation().ReadField("$UpdatedBy");
  return updatedBy.IsNull() ? Call.Evaluation().ReadField("From") : updatedBy;
}

TValue GetField(TCall& Call) {
  if (!Call.HasKinds({TValueKind::Text})) return WrongType();
  return Call.Evaluation().ReadField(LmbcsOf(Call.Arg(0).AsTexts()[0]));
}

TValue SetField(TCall& Call) {
  if (!Call.HasKinds({TValueKind::Text})) return WrongType();
  return Call.Evaluation().WriteField(LmbcsOf(Call.Arg(0).AsTexts()[0]), Call.Arg(1));
}

TValue UserName(TCall& Call) {
  return TValue::Text(TextOfLmbcs(Call.Context().UserName()));
}

// Server ("" when local) and path.
TValue DbName(TCall& Call) {
  if (!Call.Context().HasNote()) return NeedsNote();
  return TValue::Texts(
      {TextOfLmbcs(Call.Context().DbServer()), TextOfLmbcs(Call.Context().DbPath())});
}

TValue DbTitle(TCall& Call) {
  if (!Call.Context().HasNote()) return NeedsNote();
  return TValue::Text(TextOfLmbcs(Call.Context().DbTitle()));
}

constexpr std::array Specs{
    TFunctionSpec{u"CREATED", 0, 0, 0, Created},
    TFunctionSpec{u"MODIFIED", 0, 0, 0, Modified},
    TFunctionSpec{u"ISRESPONSEDOC", 0, 0, 0, IsResponseDoc},
    TFunctionSpec{u"DOCUMENTUNIQUEID", 0, 0, 0, DocumentUniqueID},
    TFunctionSpec{u"NOTEID", 0, 0, 0, NoteID},
    TFunctionSpec{u"AUTHOR", 0, 0, 0, Author},
    TFunctionSpec{u"GETFIELD", 1, 1, 0, GetField},
    TFunctionSpec{u"SETFIELD", 2, 2, 0, SetField},
    TFunctionSpec{u"USERNAME", 0, 0, 0, UserName},
    TFunctionSpec{u"DBNAME", 0, 0, 0, DbName},
    TFunctionSpec{u"DBTITLE", 0, 0, 0, DbTitle},
};

}  // namespace

std::span<const TFunctionSpec> DocumentFunctions() {
  return Specs;
}

}  // namespace notesrt
