// Readers items on a server's mail file: a document is invisible, on every path, to users its
// Readers and Authors items do not name through their name, a group or a role.
#include <set>

#include "ELotusNotes.h"
#include "MailFixture.h"
#include "NotesApiErrors.h"
#include "TAclRoles.h"
#include "TActingAs.h"
#include "TAddressBookAdmin.h"
#include "TNotesACL.h"
#include "TNotesDocumentCollection.h"
#include "TNotesFolder.h"
#include "TNotesItem.h"

namespace {

using TSubjects = std::set<std::string>;

class ReadersTest : public MailFixture {
 protected:
  // The server sets it up: it reads everything it files.
  void SetUp() override {
    MailFixture::SetUp();
    TAddressBookAdmin(Server, "names.nsf").AddGroup("Team", {"Jane Doe/Acme"});
    TActingAs server(Server);
    TNotesDatabase mail;
    mail.Open(Server, "mail/jdoe.nsf");
    TNotesACL& acl = mail.GetACL();
    acl.Roles().Add("Boss");
    TNotesACLEntry* john = acl.CreateACLEntry(Other);
    john->SetAccessLevel(aclReader);
    john->SetRoles("Boss");
    acl.Save();
    Save(mail, "public", "", "");
    Save(mail, "team", "Team", "");
    Save(mail, "boss", "[Boss]", "");
    Save(mail, "authored", "Nobody/Acme", "Jane Doe/Acme");
    TNotesFolder inbox(mail, "($Inbox)");
    for (NOTEID id : FIds) inbox.AddDocument(TNotesDocument(mail, id));
  }

  void Save(TNotesDatabase& Mail, const std::string& Subject, const std::string& Readers,
            const std::string& Authors) {
    std::unique_ptr<TNotesDocument> document = Mail.CreateDocument();
    document->GetItemByName("Subject")->SetAsString(Subject);
    document->GetItemByName("Body")->SetAsString("findme " + Subject);
    if (!Readers.empty()) Names(*document, "DocReaders", Readers, ITEM_READERS);
    if (!Authors.empty()) Names(*document, "DocAuthors", Authors, ITEM_READWRITERS);
    document->Save();
    FIds.push_back(document->NoteID());
    FUnids.push_back(document->GetUniversalID());
  }

  static void Names(TNotesDocument& Document, const std::string& Item, const std::string& Name,
                    WORD Flag) {
    TNotesItem* item = Document.GetItemByName(Item);
    // The flags go with the next write of the value.
    item->SetItemFlags(Flag | ITEM_NAMES | ITEM_SUMMARY, true);
    item->SetAsString(Name);
  }

  static TSubjects SubjectsOf(const TNotesDocumentCollection& Collection) {
    TSubjects subjects;
    for (int index = 0; index < Collection.Count(); ++index)
      subjects.insert(Collection.GetDocument(index)->GetItemByName("Subject")->GetAsString());
    return subjects;
  }

  // What User finds on each path: opened by note ID and by UNID, searched, in a view, in a
  // folder, by full text and among the unread documents.
  std::vector<TSubjects> Seen(const std::string& User) {
    TActingAs acting(User);
    TNotesDatabase database;
    database.Open(Server, "mail/jdoe.nsf");
    TSubjects byId, byUnid;
    for (size_t index = 0; index < FIds.size(); ++index) {
      try {
        byId.insert(TNotesDocument(database, FIds[index]).GetItemByName("Subject")->GetAsString());
      } catch (const ELotusNotes& error) {
        EXPECT_EQ(error.Status, ERR_NOACCESS) << User;
      }
      try {
        TNotesDocument document(database, FUnids[index]);
        byUnid.insert(document.GetItemByName("Subject")->GetAsString());
      } catch (const ELotusNotes& error) {
        EXPECT_EQ(error.Status, ERR_NOACCESS) << User;
      }
    }
    return {byId,
            byUnid,
            SubjectsOf(*database.Search("", 0)),
            SubjectsOf(*database.OpenView("($Drafts)")),
            SubjectsOf(TNotesFolder(database, "($Inbox)")),
            SubjectsOf(*database.FTSearch("findme", 0, 0, 0)),
            SubjectsOf(*database.UnreadDocuments())};
  }

  std::vector<NOTEID> FIds;
  std::vector<UNIVERSALNOTEID> FUnids;
};

TEST_F(ReadersTest, EveryPathHidesWhatTheReadersItemsDoNotGrant) {
  const std::vector<std::pair<std::string, TSubjects>> cases = {
      {User, {"public", "team", "authored"}},
      {Other, {"public", "boss"}},
      {Server, {"public", "team", "boss", "authored"}},
  };
  for (const auto& [user, expected] : cases) {
    std::vector<TSubjects> paths = Seen(user);
    for (size_t path = 0; path < paths.size(); ++path)
      EXPECT_EQ(paths[path], expected) << user << ", path " << path;
  }
}

TEST_F(ReadersTest, ARefusedChangeLeavesTheStoredAndTheOpenNoteAsTheyWere) {
  TActingAs john(Other);
  TNotesDatabase database;
  database.Open(Server, "mail/jdoe.nsf");
  TNotesDocument document(database, FIds[0]);
  document.GetItemByName("Subject")->SetAsString("changed by John");
  EXPECT_THROW(document.Save(), ELotusNotes);
  EXPECT_EQ(document.GetItemByName("Subject")->GetAsString(), "changed by John");
  EXPECT_THROW(database.Delete(FIds[0]), ELotusNotes);
  TActingAs server(Server);
  TNotesDatabase stored;
  stored.Open(Server, "mail/jdoe.nsf");
  EXPECT_EQ(TNotesDocument(stored, FIds[0]).GetItemByName("Subject")->GetAsString(), "public");
  EXPECT_EQ(database.GetAccessLevel(), aclReader);
}

}  // namespace
