#pragma once

#include <memory>
#include <string>
#include <vector>

#include "NotesApi.h"
#include "NotesHandle.h"
#include "Object.h"
#include "TNotesACLEntry.h"

class TAclRoles;
class TNotesDatabase;

// A database's access control list, read into memory: its entries, its roles and the
// uniform-access setting. Entry changes are written into the in-memory copy by Save (or left
// with the entry); role, uniform-access and deletion changes act on the copy at once. Only Save
// stores the copy into the database. Once the database closes, the list object stays (the
// database keeps it) but its copy is gone: what needs the copy raises ELotusNotes.
class TNotesACL : public TObject {
 public:
  explicit TNotesACL(TNotesDatabase& Database);
  ~TNotesACL() override;
  TNotesACL(const TNotesACL&) = delete;
  TNotesACL& operator=(const TNotesACL&) = delete;

  TNotesDatabase& Database() const { return FDatabase; }
  // Raises ELotusNotes once the database was closed.
  DHANDLE ACLHandle() const;
  // Drops the in-memory copy when the database closes.
  void DatabaseClosed();
  const TAclRoles& Roles() const { return *FRoles; }
  TAclRoles& Roles() { return *FRoles; }

  int GetEntriesCount() const { return static_cast<int>(FEntries.size()); }
  // Indexes outside the list raise ELotusNotes.
  TNotesACLEntry* GetEntryByIndex(int Index) const;
  // The first entry of that name without regard to case, or null.
  TNotesACLEntry* GetEntry(const std::string& Name) const;
  // A new entry at No Access, owned by the list; a name in use or a blank name raises
  // ELotusNotes.
  TNotesACLEntry* CreateACLEntry(const std::string& Name);
  // Removes the entry of that name, if there is one, with its pending changes.
  void DeleteACLEntry(const std::string& Name);

  bool GetUniformAccess() const;
  // Changes the uniform-access bit alone; the list's other flags stay.
  void SetUniformAccess(bool Value);

  // Writes every entry's pending changes into the in-memory copy, then stores it.
  void Save();

 private:
  using TEntries = std::vector<std::unique_ptr<TNotesACLEntry>>;

  TEntries::const_iterator Find(const std::string& Name) const;
  void ReadEntries();
  static void LNCALLBACK AddReadEntry(void* Param, char* Name, WORD AccessLevel,
                                      ACL_PRIVILEGES* Privileges, WORD AccessFlags);

  TNotesDatabase& FDatabase;
  // Declared before the entries and roles, so that it goes after them.
  TMemoryHandle FACLHandle;
  // The file the list was read from, once its database closed; empty while it is open.
  std::string FClosedFile;
  TEntries FEntries;
  std::unique_ptr<TAclRoles> FRoles;
};
