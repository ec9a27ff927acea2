#include "search/formula/NoteContext.h"

#include <filesystem>

#include "note/Note.h"
#include "notesapi/names.h"
#include "notesapi/nsfdb.h"
#include "notesapi/nsfnote.h"
#include "notesapi/osfile.h"
#include "storage/Database.h"
#include "storage/DbInfo.h"
#include "text/TimeConversion.h"

namespace notesrt {

std::optional<TItemValue> TNoteContext::ReadItem(std::string_view Name) {
  const TNoteItem* item = FNote.Find(Name);
  if (!item) return std::nullopt;
  return TItemValue{item->Type, std::string(TNote::DataOf(*item))};
}

// Assigned fields are summary fields, as Notes makes them.
void TNoteContext::WriteItem(std::string_view Name, const TItemValue& Value) {
  FNote.DeleteAll(Name);
  FNote.Append(Name, ITEM_SUMMARY, Value.Type, Value.Bytes, CurrentTimeDate());
}

NOTEID TNoteContext::NoteId() {
  return FNote.Header().Id;
}

UNIVERSALNOTEID TNoteContext::Unid() {
  const ORIGINATORID& oid = FNote.Header().Oid;
  return UNIVERSALNOTEID{{oid.File[0], oid.File[1]}, oid.Note};
}

// The note part of the UNID is the time the note was made.
TIMEDATE TNoteContext::Created() {
  return FNote.Header().Oid.Note;
}

TIMEDATE TNoteContext::Modified() {
  return FNote.Header().Modified;
}

bool TNoteContext::IsResponse() {
  return FNote.Header().Parent != 0 || FNote.Find(std::string_view(ITEM_NAME_NOTEREF));
}

// Relative to the data directory when the file is in it, as Notes names local databases.
std::string DatabasePathOf(const TDatabase& Database) {
  char dataDirectory[MAXPATH] = {};
  OSGetDataDirectory(dataDirectory);
  const std::filesystem::path& path = Database.Path();
  std::filesystem::path relative = path.lexically_relative(dataDirectory);
  bool inside = !relative.empty() && *relative.begin() != "..";
  return (inside ? relative : path).generic_string();
}

std::string DatabaseTitleOf(TDatabase& Database) {
  return std::string(TDbInfo(Database.Header().Info).Piece(0));
}

std::string TNoteContext::DbPath() {
  return DatabasePathOf(FNote.Database());
}

std::string TNoteContext::DbTitle() {
  return DatabaseTitleOf(FNote.Database());
}

}  // namespace notesrt
