// Access control lists: entries, roles and uniform access, saved and read again from the file.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "ELotusNotes.h"
#include "NotesApiErrors.h"
#include "StorageFixture.h"
#include "TAclRoles.h"
#include "TNotesACL.h"

namespace {

class Acl : public StorageFixture {
 protected:
  // The list as the file holds it now.
  std::unique_ptr<TNotesACL> Reread() {
    Reopen();
    return std::make_unique<TNotesACL>(*FDatabase);
  }

  // A list with two roles and Jo Bloggs holding one of them, saved.
  void SaveSample() {
    TNotesACL& acl = FDatabase->GetACL();
    acl.Roles().Add("Sales");
    acl.Roles().Add("Admin");
    TNotesACLEntry* jo = acl.CreateACLEntry("CN=Jo Bloggs/O=Acme");
    jo->SetAccessLevel(aclEditor);
    jo->SetFlags({acfPerson, acfNoDelete});
    jo->SetRoles("Admin\r\n");
    acl.Save();
  }

  template <class TAction>
  static void ExpectLibraryError(TAction&& Action, const std::string& Message) {
    try {
      Action();
      ADD_FAILURE() << "no error; expected: " << Message;
    } catch (const ELotusNotes& error) {
      EXPECT_EQ(error.Status, -1);
      EXPECT_EQ(error.Message(), Message);
    }
  }
};

TEST_F(Acl, ANewDatabaseHasOnlyTheDefaultEntryAtManager) {
  TNotesACL& acl = FDatabase->GetACL();
  EXPECT_EQ(&acl, &FDatabase->GetACL());
  ASSERT_EQ(acl.GetEntriesCount(), 1);
  EXPECT_EQ(acl.GetEntryByIndex(0)->GetName(), "-Default-");
  EXPECT_EQ(acl.GetEntryByIndex(0)->GetAccessLevel(), aclManager);
  EXPECT_EQ(acl.Roles().Count(), 0);
  EXPECT_FALSE(acl.GetUniformAccess());
  EXPECT_THROW(acl.GetEntryByIndex(1), ELotusNotes);
  // Uniform access is one flag among others of the list.
  ASSERT_EQ(ACLSetFlags(acl.ACLHandle(), 0x0004), NOERROR);
  acl.SetUniformAccess(true);
  EXPECT_TRUE(acl.GetUniformAccess());
  acl.SetUniformAccess(false);
  EXPECT_FALSE(acl.GetUniformAccess());
  DWORD flags = 0;
  ASSERT_EQ(ACLGetFlags(acl.ACLHandle(), &flags), NOERROR);
  EXPECT_EQ(flags, 0x0004u);
}

TEST_F(Acl, SavedEntriesRolesAndUniformAccessAreReadBackAndUnsavedChangesAreNot) {
  SaveSample();
  FDatabase->GetACL().SetUniformAccess(true);
  FDatabase->GetACL().Save();
  auto acl = Reread();
  ASSERT_EQ(acl->GetEntriesCount(), 2);
  ASSERT_EQ(acl->Roles().Count(), 2);
  EXPECT_EQ(acl->Roles().Strings(0), "Sales");
  EXPECT_EQ(acl->Roles().Strings(1), "Admin");
  EXPECT_EQ(acl->Roles().PrivilegeOf(1), 6);
  TNotesACLEntry* jo = acl->GetEntryByIndex(1);
  EXPECT_EQ(jo->GetName(), "CN=Jo Bloggs/O=Acme");
  EXPECT_EQ(jo->GetAccessLevel(), aclEditor);
  EXPECT_EQ(jo->GetFlags(), (TNotesAclFlags{acfPerson, acfNoDelete}));
  EXPECT_EQ(jo->GetRoles(), "Admin\r\n");
  EXPECT_TRUE(ACLIsPrivSet(jo->GetPrivileges(), 6));
  EXPECT_FALSE(jo->IsNew());
  EXPECT_EQ(jo->UpdateFlags(), 0);
  EXPECT_TRUE(acl->GetUniformAccess());
  // Changes not saved change nothing.
  jo->SetAccessLevel(aclNoAccess);
  acl->CreateACLEntry("CN=Al/O=Acme");
  acl->Roles().Add("Unsaved");
  acl = Reread();
  EXPECT_EQ(acl->GetEntriesCount(), 2);
  EXPECT_EQ(acl->GetEntry("CN=Jo Bloggs/O=Acme")->GetAccessLevel(), aclEditor);
  EXPECT_EQ(acl->Roles().Count(), 2);
}

TEST_F(Acl, NamesAreMatchedWithoutRegardToCase) {
  SaveSample();
  TNotesACL& acl = FDatabase->GetACL();
  EXPECT_EQ(acl.GetEntry("CN=JO BLOGGS/O=ACME"), acl.GetEntryByIndex(1));
  EXPECT_EQ(acl.GetEntry("Nobody"), nullptr);
  ExpectLibraryError([&] { acl.CreateACLEntry("cn=jo bloggs/o=acme"); },
                     "Entry with name cn=jo bloggs/o=acme already exists");
  ExpectLibraryError([&] { acl.CreateACLEntry("-DEFAULT-"); },
                     "Entry with name -DEFAULT- already exists");
  ExpectLibraryError([&] { acl.CreateACLEntry("  "); }, "Entry name is blank");
  EXPECT_EQ(acl.GetEntriesCount(), 2);
}

TEST_F(Acl, ANewEntryIsAddedOnceAndChangedAfterwards) {
  TNotesACL& acl = FDatabase->GetACL();
  TNotesACLEntry* al = acl.CreateACLEntry("CN=Al/O=Acme");
  EXPECT_TRUE(al->IsNew());
  EXPECT_EQ(al->UpdateFlags(), 0x0F);
  EXPECT_EQ(al->GetAccessLevel(), aclNoAccess);
  acl.Save();
  EXPECT_FALSE(al->IsNew());
  al->SetAccessLevel(aclAuthor);
  al->SetAccessLevel(aclAuthor);
  EXPECT_EQ(al->UpdateFlags(), TNotesACLEntry::ChangedLevel);
  acl.Save();
  auto reread = Reread();
  ASSERT_EQ(reread->GetEntriesCount(), 2);
  EXPECT_EQ(reread->GetEntry("CN=Al/O=Acme")->GetAccessLevel(), aclAuthor);
}

// Notes clears what a rename does not set again; the entry still has all its fields to give.
TEST_F(Acl, RenamedEntriesKeepTheirAccessAndTheDefaultKeepsItsName) {
  SaveSample();
  TNotesACLEntry* jo = FDatabase->GetACL().GetEntry("CN=Jo Bloggs/O=Acme");
  jo->SetName("CN=Joe Bloggs/O=Acme");
  jo->SetName("CN=Joseph Bloggs/O=Acme");
  EXPECT_EQ(jo->OldName(), "CN=Jo Bloggs/O=Acme");
  FDatabase->GetACL().Save();
  EXPECT_EQ(jo->OldName(), "");
  auto acl = Reread();
  ASSERT_EQ(acl->GetEntriesCount(), 2);
  TNotesACLEntry* joseph = acl->GetEntryByIndex(1);
  EXPECT_EQ(joseph->GetName(), "CN=Joseph Bloggs/O=Acme");
  EXPECT_EQ(joseph->GetAccessLevel(), aclEditor);
  EXPECT_EQ(joseph->GetFlags(), (TNotesAclFlags{acfPerson, acfNoDelete}));
  EXPECT_EQ(joseph->GetRoles(), "Admin\r\n");
  // -Default- is written as such whatever its case; a rename onto another's name is refused.
  acl->GetEntry("-default-")->SetName("-DEFAULT-");
  acl->GetEntry("-DEFAULT-")->SetAccessLevel(aclReader);
  acl->Save();
  acl = Reread();
  EXPECT_EQ(acl->GetEntryByIndex(0)->GetName(), "-Default-");
  EXPECT_EQ(acl->GetEntryByIndex(0)->GetAccessLevel(), aclReader);
  acl->CreateACLEntry("CN=Al/O=Acme");
  acl->Save();
  acl->GetEntry("CN=Al/O=Acme")->SetName("cn=joseph bloggs/o=acme");
  try {
    acl->Save();
    ADD_FAILURE() << "a rename onto another entry's name was saved";
  } catch (const ELotusNotes& error) {
    EXPECT_EQ(error.Status, ERR_NOTESRT_ACL_DUPLICATE);
  }
}

// An entry's roles are whole role names of the list; other names are ignored.
TEST_F(Acl, EntryRolesAreWholeRoleNamesOfTheList) {
  SaveSample();
  TNotesACL& acl = FDatabase->GetACL();
  TNotesACLEntry* jo = acl.GetEntry("CN=Jo Bloggs/O=Acme");
  jo->SetRoles("Marketing\r\nsales\r\nAdmin");
  EXPECT_EQ(jo->GetRoles(), "Sales\r\nAdmin\r\n");
  jo->SetRoles("");
  EXPECT_EQ(jo->GetRoles(), "");
  acl.Roles().Add("SuperAdmin");
  jo->AddRole("SuperAdmin");
  acl.Save();
  jo->AddRole("SuperAdmin");
  EXPECT_EQ(jo->UpdateFlags(), 0);
  jo->DeleteRole("Admin");
  EXPECT_EQ(jo->GetRoles(), "SuperAdmin\r\n");
  jo->AddRole("Admin");
  EXPECT_EQ(jo->GetRoles(), "Admin\r\nSuperAdmin\r\n");
  jo->DeleteRole("SUPERADMIN");
  EXPECT_EQ(jo->GetRoles(), "Admin\r\n");
}

TEST_F(Acl, RolesCanBeAddedAndRenamedButNotRemoved) {
  SaveSample();
  TAclRoles& roles = FDatabase->GetACL().Roles();
  ExpectLibraryError([&] { roles.Clear(); }, "Action is not supported");
  ExpectLibraryError([&] { roles.Delete(0); }, "Action is not supported");
  ExpectLibraryError([&] { roles.PutObject(0, nullptr); }, "Action is not supported");
  ExpectLibraryError([&] { roles.Add(" "); }, "Role name is blank");
  roles.Insert(0, "Support");
  roles.Put(1, "Managers");
  EXPECT_THROW(roles.Add("ABCDEFGHIJKLMNOP"), ELotusNotes);
  EXPECT_THROW(roles.Add("support"), ELotusNotes);
  EXPECT_EQ(roles.Text(), "Sales\r\nManagers\r\nSupport\r\n");
  FDatabase->GetACL().Save();
  auto acl = Reread();
  EXPECT_EQ(acl->Roles().Text(), "Sales\r\nManagers\r\nSupport\r\n");
  EXPECT_EQ(acl->GetEntryByIndex(1)->GetRoles(), "Managers\r\n");
  int added = 0;
  try {
    for (; added < ACL_PRIVCOUNT; ++added) acl->Roles().Add("Role " + std::to_string(added));
    ADD_FAILURE() << "more roles than privileges";
  } catch (const ELotusNotes& error) {
    EXPECT_EQ(error.Status, ERR_ACL_FULL);
  }
  EXPECT_EQ(added, ACL_PRIVCOUNT - ACL_BITPRIVCOUNT - 3);
}

// Roles Zeta, Alpha and Mid, then an operation that reorders the list: every role keeps its
// privilege bit, and a role added afterwards gets a bit of its own.
TEST_F(Acl, ReorderedRolesKeepTheirPrivileges) {
  const struct {
    const char* Name;
    std::function<void(TAclRoles&)> Reorder;
  } cases[] = {{"Sort", [](TAclRoles& Roles) { Roles.Sort(); }},
               {"CustomSort",
                [](TAclRoles& Roles) {
                  Roles.CustomSort([](const TStringList& List, int A, int B) {
                    return List.Strings(B).compare(List.Strings(A));
                  });
                }},
               {"Exchange", [](TAclRoles& Roles) { Roles.Exchange(0, 2); }},
               {"SetSorted", [](TAclRoles& Roles) { Roles.SetSorted(true); }},
               {"SetCaseSensitive", [](TAclRoles& Roles) {
                  Roles.SetSorted(true);
                  Roles.SetCaseSensitive(true);
                }}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string file = std::string("roles-") + c.Name + ".nsf";
    {
      TNotesDatabase database;
      database.CreateNew("", file, "");
      TNotesACL& acl = database.GetACL();
      for (const char* role : {"Zeta", "Alpha", "Mid"}) acl.Roles().Add(role);
      c.Reorder(acl.Roles());
      acl.Roles().Add("Omega");
      TNotesACLEntry* eve = acl.CreateACLEntry("Eve");
      eve->SetRoles("Mid");
      eve->AddRole("Alpha");
      eve->AddRole("Omega");
      EXPECT_EQ(eve->GetRoles(), "Alpha\r\nMid\r\nOmega\r\n");
      acl.Save();
    }
    TNotesDatabase database;
    database.Open("", file);
    TNotesACL& acl = database.GetACL();
    EXPECT_EQ(acl.Roles().Text(), "Zeta\r\nAlpha\r\nMid\r\nOmega\r\n");
    EXPECT_EQ(acl.GetEntry("Eve")->GetRoles(), "Alpha\r\nMid\r\nOmega\r\n");
  }
}

// Privileges may be named by others with gaps between them; each role keeps its own bit.
TEST_F(Acl, RolesAfterAnUnnamedPrivilegeKeepTheirBits) {
  {
    TNotesACL& acl = FDatabase->GetACL();
    char first[] = "First", later[] = "Later", level[] = "Old level";
    ASSERT_EQ(ACLSetPrivName(acl.ACLHandle(), 2, level), NOERROR);
    ASSERT_EQ(ACLSetPrivName(acl.ACLHandle(), 5, first), NOERROR);
    ASSERT_EQ(ACLSetPrivName(acl.ACLHandle(), 9, later), NOERROR);
    ACL_PRIVILEGES privileges{};
    ACLSetPriv(privileges, 9);
    ASSERT_EQ(ACLAddEntry(acl.ACLHandle(), "Jo", ACL_LEVEL_READER, &privileges, 0), NOERROR);
    acl.Save();
  }
  auto acl = Reread();
  EXPECT_EQ(acl->Roles().Text(), "First\r\nLater\r\n");
  TNotesACLEntry* jo = acl->GetEntry("Jo");
  EXPECT_EQ(jo->GetRoles(), "Later\r\n");
  acl->Roles().Add("Third");
  EXPECT_EQ(acl->Roles().PrivilegeOf(2), 10);
  jo->AddRole("Third");
  EXPECT_TRUE(ACLIsPrivSet(jo->GetPrivileges(), 10));
  EXPECT_TRUE(ACLIsPrivSet(jo->GetPrivileges(), 9));
}

// A caller may keep the list past a close; what needs the closed database raises.
TEST_F(Acl, AListKeptPastACloseRaisesClearly) {
  const struct {
    const char* Name;
    std::function<void(TNotesDatabase&)> Close;
  } cases[] = {{"Close", [](TNotesDatabase& Database) { Database.Close(); }},
               {"SetActive", [](TNotesDatabase& Database) { Database.SetActive(false); }},
               {"SetFileName", [](TNotesDatabase& Database) { Database.SetFileName("x.nsf"); }},
               {"SetServerName",
                [](TNotesDatabase& Database) { Database.SetServerName("CN=Srv2/O=Acme"); }}};
  const std::string closed =
      "The access control list of test.nsf cannot be used: the database "
      "was closed";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    FDatabase->Open("", "test.nsf");
    TNotesACL& kept = FDatabase->GetACL();
    kept.Roles().Add(c.Name);
    c.Close(*FDatabase);
    EXPECT_EQ(kept.GetEntriesCount(), 1);
    ExpectLibraryError([&] { kept.Save(); }, closed);
    ExpectLibraryError([&] { kept.GetUniformAccess(); }, closed);
    ExpectLibraryError([&] { kept.Roles().Add("More"); }, closed);
    FDatabase->Open("", "test.nsf");
    EXPECT_NE(&FDatabase->GetACL(), &kept);
    EXPECT_EQ(FDatabase->GetACL().Roles().Count(), 0);
  }
}

TEST_F(Acl, DeletedEntriesGoWithTheirPendingChanges) {
  SaveSample();
  TNotesACL& acl = FDatabase->GetACL();
  acl.CreateACLEntry("CN=Al/O=Acme");
  acl.CreateACLEntry("CN=Bo/O=Acme");
  acl.Save();
  acl.GetEntry("CN=Al/O=Acme")->SetName("CN=Alan/O=Acme");
  acl.GetEntry("CN=Bo/O=Acme")->SetAccessLevel(aclManager);
  acl.CreateACLEntry("CN=Cy/O=Acme");
  acl.DeleteACLEntry("cn=alan/o=acme");
  acl.DeleteACLEntry("CN=Bo/O=Acme");
  acl.DeleteACLEntry("CN=Cy/O=Acme");
  acl.DeleteACLEntry("Nobody");
  EXPECT_THROW(acl.DeleteACLEntry("-Default-"), ELotusNotes);
  acl.Save();
  auto reread = Reread();
  ASSERT_EQ(reread->GetEntriesCount(), 2);
  EXPECT_EQ(reread->GetEntryByIndex(1)->GetName(), "CN=Jo Bloggs/O=Acme");
}

}  // namespace
