#pragma once

#include <string>
#include <vector>

#include "NotesApi.h"
#include "StringList.h"

class TNotesACL;

// The role names of a TNotesACL in privilege order, each change written through to the list's
// in-memory copy. Role i stands for the privilege bit PrivilegeOf(i): bit i + 5 as long as no
// privilege number was left unnamed between two roles. Roles are plain names, without the
// brackets Notes shows them in. They can be added and renamed but not removed, and their order
// is the privilege order: the list must be neither sorted nor reordered.
class TAclRoles : public TStringList {
 public:
  explicit TAclRoles(TNotesACL& Owner) : FOwner(Owner) {}

  TNotesACL& Owner() const { return FOwner; }

  // Replaces the lines with the names of privilege numbers 0 to 79; those of the privilege levels
  // below ACL_BITPRIVCOUNT are not roles.
  void Load();
  int PrivilegeOf(int Index) const;
  // The index of the role with that privilege bit, -1 for none.
  int IndexOfPrivilege(int Bit) const;

  // Adds a role with the privilege number after the last one in use (Add and Insert alike:
  // the position asked for is not used).
  int AddObject(std::string S, TObject* AObject) override;
  void InsertObject(int Index, std::string S, TObject* AObject) override;
  // Renames the role at Index.
  void Put(int Index, const std::string& S) override;
  // Roles cannot be removed: both raise ELotusNotes.
  void Delete(int Index) override;
  void Clear() override;

 private:
  void NamePrivilege(WORD Number, const std::string& Name);

  TNotesACL& FOwner;
  // The privilege number of each line.
  std::vector<WORD> FPrivileges;
};
