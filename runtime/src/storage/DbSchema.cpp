#include "storage/DbSchema.h"

#include <array>
#include <string>

#include "storage/DbFile.h"

namespace notesrt::DbSchema {

namespace {

// Each step moves the schema up by one version; steps are never edited once released, later
// features (views, full text) append their own.
constexpr std::array Steps{
    // Version 1: header, notes (each with its items in one blob), attachment objects, unread
    // marks.
    "CREATE TABLE header(id INTEGER PRIMARY KEY CHECK(id = 1), replica_id BLOB, "
    "  replica_flags INTEGER, cutoff_interval INTEGER, cutoff BLOB, db_id BLOB, "
    "  db_class INTEGER, info BLOB, next_note_id INTEGER, mod_counter INTEGER, modified BLOB);"
    "INSERT INTO header(id, next_note_id, mod_counter, info) VALUES(1, 4, 0, x'');"
    "CREATE TABLE notes(note_id INTEGER PRIMARY KEY, class INTEGER, flags INTEGER, "
    "  unid BLOB UNIQUE, seq INTEGER, seq_time BLOB, modified BLOB, accessed BLOB, added BLOB, "
    "  parent_id INTEGER, deleted INTEGER NOT NULL DEFAULT 0, deleted_time BLOB, "
    "  profile_name TEXT, profile_user TEXT, added_counter INTEGER, changed_counter INTEGER, "
    "  items BLOB);"
    // Partial indexes: an ordinary document adds no entry to them, and so no page to its save.
    "CREATE INDEX notes_parent ON notes(parent_id) WHERE parent_id <> 0;"
    "CREATE INDEX notes_profile ON notes(profile_name, profile_user) "
    "  WHERE profile_name IS NOT NULL;"
    "CREATE TABLE objects(object_id INTEGER PRIMARY KEY, note_id INTEGER, data BLOB);"
    "CREATE INDEX objects_note ON objects(note_id);"
    "CREATE TABLE unread_users(user_key TEXT PRIMARY KEY);"
    "CREATE TABLE unread(user_key TEXT, note_id INTEGER, PRIMARY KEY(user_key, note_id)) "
    "  WITHOUT ROWID;"
    "CREATE INDEX unread_note ON unread(note_id);",
    // Version 2: view indexes (each entry's evaluated columns, kept up to date from the change
    // counter) and folder membership in insertion order.
    "CREATE TABLE view_index(view_id INTEGER PRIMARY KEY, design_counter INTEGER, "
    "  built_counter INTEGER, format INTEGER, members_changed INTEGER);"
    "CREATE TABLE view_entries(view_id INTEGER, note_id INTEGER, part INTEGER, "
    "  selected INTEGER, parent_id INTEGER, sort_key BLOB, summary BLOB, "
    "  PRIMARY KEY(view_id, note_id, part)) WITHOUT ROWID;"
    "CREATE INDEX view_entries_note ON view_entries(note_id);"
    "CREATE TABLE folder_members(folder_id INTEGER, note_id INTEGER, seq INTEGER, "
    "  PRIMARY KEY(folder_id, note_id)) WITHOUT ROWID;"
    "CREATE INDEX folder_members_note ON folder_members(note_id);",
    // Version 3: the access control list (no row in acl: never stored).
    "CREATE TABLE acl(id INTEGER PRIMARY KEY CHECK(id = 1), flags INTEGER);"
    "CREATE TABLE acl_entries(position INTEGER PRIMARY KEY, name BLOB, level INTEGER, "
    "  privileges BLOB, flags INTEGER);"
    "CREATE TABLE acl_privileges(number INTEGER PRIMARY KEY, name BLOB);",
    // Version 4: the notes that are no documents (design, ACL, ...), so that a search for them
    // does not step through every mail of a mail file. Documents add nothing to it.
    "CREATE INDEX IF NOT EXISTS notes_nondocuments ON notes(note_id) WHERE class <> 1;",
    // Version 5: what a view index held when it was built (its entries and their checksum), so
    // that damaged or missing rows are found when it is read. Indexes are derived data: every
    // view is indexed afresh on its next use.
    "DROP TABLE IF EXISTS view_index;"
    "CREATE TABLE view_index(view_id INTEGER PRIMARY KEY, design_counter INTEGER, "
    "  built_counter INTEGER, format INTEGER, members_changed INTEGER, entry_count INTEGER, "
    "  entry_checksum INTEGER);"
    "DELETE FROM view_entries;",
    // Version 6: folder members by position, so that adding a document to a large folder (mail
    // delivered to an inbox) finds the last position without reading the whole folder, and a
    // folder is read in order without sorting.
    "CREATE INDEX IF NOT EXISTS folder_members_seq ON folder_members(folder_id, seq);",
};

}  // namespace

int64_t CurrentVersion() {
  return static_cast<int64_t>(Steps.size());
}

void Migrate(TDbFile& File, int64_t FromVersion) {
  for (int64_t version = FromVersion; version < CurrentVersion(); ++version)
    File.Execute(Steps[static_cast<size_t>(version)]);
  File.Execute(("PRAGMA user_version = " + std::to_string(CurrentVersion())).c_str());
}

}  // namespace notesrt::DbSchema
