#pragma once

#include <string>

#include "NotesApi.h"
#include "StringList.h"

class TNotesACL;

// The role names of a TNotesACL, each change written through to the list's in-memory copy.
// Each role carries the privilege bit it stands for as its line's object (bit i + 5 for the
// i-th role as long as no privilege number was left unnamed between two roles), so that
// sorting or exchanging lines moves the bit with the name. Roles are plain names, without the
// brackets Notes shows them in. They can be added and renamed but not removed, and their
// objects cannot be replaced.
class TAclRoles : public TStringList {
 public:
  explicit TAclRoles(TNotesACL& Owner);
  ~TAclRoles() override;

  TNotesACL& Owner() const { return FOwner; }

  // Replaces the lines with the names of privilege numbers 0 to 79; those of the privilege levels
  // below ACL_BITPRIVCOUNT are not roles.
  void Load();
  int PrivilegeOf(int Index) const;
  // The index of the role with that privilege bit, -1 for none.
  int IndexOfPrivilege(int Bit) const;

  // Adds a role with the privilege number after the highest one in use (Add and Insert alike:
  // the position asked for is not used). An object handed in is not stored: it stays the
  // caller's.
  int AddObject(std::string S, TObject* AObject) override;
  void InsertObject(int Index, std::string S, TObject* AObject) override;
  // Renames the role at Index.
  void Put(int Index, const std::string& S) override;
  // A role's object is its privilege: it cannot be replaced, and roles cannot be removed. All
  // three raise ELotusNotes.
  void PutObject(int Index, TObject* AObject) override;
  void Delete(int Index) override;
  void Clear() override;

 private:
  class TPrivilege;

  void NamePrivilege(WORD Number, const std::string& Name);

  TNotesACL& FOwner;
};
