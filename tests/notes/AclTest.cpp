// Access control lists through the object library: what it saves reaches the file and reads
// back, roles keep their privilege bits, and every refusal names its fault or carries the
// runtime's status. The access rules themselves are the runtime's (tests/runtime/AclTest.cpp).
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "NotesApiErrors.h"
#include "NotesErrorOf.h"
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
};

// Entries saved, then renamed (-Default- keeps its name), changed or deleted with changes
// pending: the file holds what was saved last, and changes not saved change nothing.
TEST_F(Acl, SavedChangesAreReadBackAndUnsavedOnesAreNot) {
  ASSERT_EQ(FDatabase->GetACL().GetEntriesCount(), 1);
  EXPECT_EQ(FDatabase->GetACL().GetEntryByIndex(0)->GetAccessLevel(), aclManager);
  SaveSample();
  TNotesACL& acl = FDatabase->GetACL();
  ASSERT_EQ(ACLSetFlags(acl.ACLHandle(), 0x0004), NOERROR);  // uniform access is one flag of more
  acl.SetUniformAccess(true);
  acl.CreateACLEntry("CN=Al/O=Acme");
  acl.CreateACLEntry("CN=Bo/O=Acme");
  acl.Save();
  acl.GetEntry("CN=Al/O=Acme")->SetName("CN=Alan/O=Acme");
  acl.GetEntry("CN=Bo/O=Acme")->SetAccessLevel(aclManager);
  acl.CreateACLEntry("CN=Cy/O=Acme");
  for (const char* name : {"cn=alan/o=acme", "CN=Bo/O=Acme", "CN=Cy/O=Acme", "Nobody"})
    acl.DeleteACLEntry(name);
  TNotesACLEntry* jo = acl.GetEntry("CN=JO BLOGGS/O=ACME");
  ASSERT_NE(jo, nullptr) << "names are matched without regard to case";
  jo->SetName("CN=Joe Bloggs/O=Acme");
  jo->SetName("CN=Joseph Bloggs/O=Acme");
  acl.GetEntry("-default-")->SetName("-DEFAULT-");
  acl.GetEntry("-DEFAULT-")->SetAccessLevel(aclReader);
  acl.Save();
  for (int pass = 0; pass < 2; ++pass) {
    SCOPED_TRACE(pass == 0 ? "saved" : "after unsaved changes");
    auto read = Reread();
    ASSERT_EQ(read->GetEntriesCount(), 2);
    EXPECT_EQ(read->GetEntryByIndex(0)->GetName(), "-Default-");
    EXPECT_EQ(read->GetEntryByIndex(0)->GetAccessLevel(), aclReader);
    TNotesACLEntry* joseph = read->GetEntryByIndex(1);
    EXPECT_EQ(joseph->GetName(), "CN=Joseph Bloggs/O=Acme");
    EXPECT_EQ(joseph->GetAccessLevel(), aclEditor);
    EXPECT_EQ(joseph->GetFlags(), (TNotesAclFlags{acfPerson, acfNoDelete}));
    EXPECT_EQ(joseph->GetRoles(), "Admin\r\n");
    EXPECT_TRUE(ACLIsPrivSet(joseph->GetPrivileges(), 6));
    EXPECT_EQ(read->Roles().Text(), "Sales\r\nAdmin\r\n");
    DWORD flags = 0;
    ASSERT_EQ(ACLGetFlags(read->ACLHandle(), &flags), NOERROR);
    EXPECT_EQ(flags, 0x0004u | ACL_UNIFORM_ACCESS);
    read->SetUniformAccess(false);
    EXPECT_FALSE(read->GetUniformAccess());
    joseph->SetAccessLevel(aclNoAccess);
    read->CreateACLEntry("CN=Al/O=Acme");
    read->Roles().Add("Unsaved");
  }
}

// What the library refuses it says; what the runtime refuses comes with the runtime's status.
// Neither changes the list.
TEST_F(Acl, RefusalsNameTheirFaultAndChangeNothing) {
  SaveSample();
  TNotesACL& acl = FDatabase->GetACL();
  TAclRoles& roles = acl.Roles();
  acl.CreateACLEntry("CN=Al/O=Acme");
  acl.Save();
  const std::string status = std::to_string(ERR_NOTESRT_ACL_DUPLICATE) + " ";
  const struct {
    const char* Name;
    std::function<void()> Action;
    std::string Refusal;  // its start
  } cases[] = {
      {"a taken name in another case", [&] { acl.CreateACLEntry("cn=jo bloggs/o=acme"); },
       "-1 Entry with name cn=jo bloggs/o=acme already exists"},
      {"-Default- again", [&] { acl.CreateACLEntry("-DEFAULT-"); },
       "-1 Entry with name -DEFAULT- already exists"},
      {"a blank name", [&] { acl.CreateACLEntry("  "); }, "-1 Entry name is blank"},
      {"no such index", [&] { acl.GetEntryByIndex(3); }, "-1 List index out of bounds (3)"},
      {"deleting -Default-", [&] { acl.DeleteACLEntry("-Default-"); },
       std::to_string(ERR_ACL_UNDELETABLE) + " "},
      {"Clear", [&] { roles.Clear(); }, "-1 Action is not supported"},
      {"Delete", [&] { roles.Delete(0); }, "-1 Action is not supported"},
      {"PutObject", [&] { roles.PutObject(0, nullptr); }, "-1 Action is not supported"},
      {"a blank role", [&] { roles.Add(" "); }, "-1 Role name is blank"},
      {"a role again", [&] { roles.Add("sales"); }, status},
      {"a role too long", [&] { roles.Add("ABCDEFGHIJKLMNOP"); },
       std::to_string(ERR_MISC_INVALID_ARGS) + " "},
      {"a rename onto another's name",
       [&] {
         acl.GetEntry("CN=Al/O=Acme")->SetName("cn=jo bloggs/o=acme");
         acl.Save();
       },
       status},
  };
  for (const auto& c : cases) {
    const std::string refusal = NotesErrorOf(c.Action);
    EXPECT_EQ(refusal.rfind(c.Refusal, 0), 0u) << c.Name << ": " << refusal;
  }
  auto read = Reread();
  EXPECT_EQ(read->GetEntriesCount(), 3);
  EXPECT_EQ(read->Roles().Text(), "Sales\r\nAdmin\r\n");
  // Roles take the privileges past the bit privileges; one more than those is the runtime's fault.
  int added = 0;
  const std::string full = NotesErrorOf([&] {
    for (; added < ACL_PRIVCOUNT; ++added) read->Roles().Add("Role " + std::to_string(added));
  });
  EXPECT_EQ(full.rfind(std::to_string(ERR_ACL_FULL) + " ", 0), 0u) << full;
  EXPECT_EQ(added, ACL_PRIVCOUNT - ACL_BITPRIVCOUNT - 2);
}

// An entry's roles are whole role names of the list, other names ignored; inserted and renamed
// roles keep their bits, and so do roles named by others with gaps between their privileges.
TEST_F(Acl, RolesAreWholeNamesThatKeepTheirPrivilegeBits) {
  {
    TNotesACL& acl = FDatabase->GetACL();
    char first[] = "Sales", later[] = "Admin", level[] = "Old level";
    ASSERT_EQ(ACLSetPrivName(acl.ACLHandle(), 2, level), NOERROR);
    ASSERT_EQ(ACLSetPrivName(acl.ACLHandle(), 5, first), NOERROR);
    ASSERT_EQ(ACLSetPrivName(acl.ACLHandle(), 9, later), NOERROR);
    ACL_PRIVILEGES privileges{};
    ACLSetPriv(privileges, 9);
    ASSERT_EQ(ACLAddEntry(acl.ACLHandle(), "Jo", ACL_LEVEL_READER, &privileges, 0), NOERROR);
    acl.Save();
  }
  auto acl = Reread();
  TAclRoles& roles = acl->Roles();
  EXPECT_EQ(roles.Text(), "Sales\r\nAdmin\r\n");
  TNotesACLEntry* jo = acl->GetEntry("Jo");
  EXPECT_EQ(jo->GetRoles(), "Admin\r\n");
  jo->SetRoles("Marketing\r\nsales\r\nAdmin");
  EXPECT_EQ(jo->GetRoles(), "Sales\r\nAdmin\r\n");
  roles.Add("SuperAdmin");
  EXPECT_EQ(roles.PrivilegeOf(2), 10);
  jo->AddRole("SuperAdmin");
  jo->AddRole("SuperAdmin");
  jo->DeleteRole("Admin");
  EXPECT_EQ(jo->GetRoles(), "Sales\r\nSuperAdmin\r\n");
  jo->AddRole("Admin");
  jo->DeleteRole("SALES");
  EXPECT_EQ(jo->GetRoles(), "Admin\r\nSuperAdmin\r\n");
  EXPECT_TRUE(ACLIsPrivSet(jo->GetPrivileges(), 10));
  roles.Insert(0, "Support");
  roles.Put(1, "Managers");
  acl->Save();
  acl = Reread();
  EXPECT_EQ(acl->Roles().Text(), "Sales\r\nManagers\r\nSuperAdmin\r\nSupport\r\n");
  EXPECT_EQ(acl->GetEntry("Jo")->GetRoles(), "Managers\r\nSuperAdmin\r\n");
}

// Roles Zeta, Alpha and Mid, then an operation that reorders the list: every role keeps its
// privilege bit, and a role added afterwards gets a bit of its own.
TEST_F(Acl, ReorderedRolesKeepTheirPrivileges) {
  const std::pair<const char*, std::function<void(TAclRoles&)>> cases[] = {
      {"Sort", [](TAclRoles& Roles) { Roles.Sort(); }},
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
  for (const auto& [name, reorder] : cases) {
    SCOPED_TRACE(name);
    const std::string file = std::string("roles-") + name + ".nsf";
    {
      TNotesDatabase database;
      database.CreateNew("", file, "");
      TNotesACL& acl = database.GetACL();
      for (const char* role : {"Zeta", "Alpha", "Mid"}) acl.Roles().Add(role);
      reorder(acl.Roles());
      acl.Roles().Add("Omega");
      TNotesACLEntry* eve = acl.CreateACLEntry("Eve");
      eve->SetRoles("Mid\r\nAlpha\r\nOmega");
      acl.Save();
    }
    TNotesDatabase database;
    database.Open("", file);
    TNotesACL& acl = database.GetACL();
    EXPECT_EQ(acl.Roles().Text(), "Zeta\r\nAlpha\r\nMid\r\nOmega\r\n");
    EXPECT_EQ(acl.GetEntry("Eve")->GetRoles(), "Alpha\r\nMid\r\nOmega\r\n");
  }
}

// A caller may keep the list past a close; what needs the closed database raises.
TEST_F(Acl, AListKeptPastACloseRaisesClearly) {
  const std::pair<const char*, std::function<void(TNotesDatabase&)>> cases[] = {
      {"Close", [](TNotesDatabase& Database) { Database.Close(); }},
      {"SetActive", [](TNotesDatabase& Database) { Database.SetActive(false); }},
      {"SetFileName", [](TNotesDatabase& Database) { Database.SetFileName("x.nsf"); }},
      {"SetServerName",
       [](TNotesDatabase& Database) { Database.SetServerName("CN=Srv2/O=Acme"); }}};
  const std::string closed =
      "-1 The access control list of test.nsf cannot be used: the database was closed";
  for (const auto& [name, close] : cases) {
    SCOPED_TRACE(name);
    FDatabase->Open("", "test.nsf");
    TNotesACL& kept = FDatabase->GetACL();
    kept.Roles().Add(name);
    close(*FDatabase);
    EXPECT_EQ(kept.GetEntriesCount(), 1);
    EXPECT_EQ(NotesErrorOf([&] { kept.Save(); }), closed);
    EXPECT_EQ(NotesErrorOf([&] { kept.GetUniformAccess(); }), closed);
    EXPECT_EQ(NotesErrorOf([&] { kept.Roles().Add("More"); }), closed);
    FDatabase->Open("", "test.nsf");
    EXPECT_NE(&FDatabase->GetACL(), &kept);
    EXPECT_EQ(FDatabase->GetACL().Roles().Count(), 0);
  }
}

}  // namespace
