#include "RouterFixture.h"

#include "notesapi/idtable.h"
#include "notesapi/mailserv.h"
#include "notesapi/nif.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsfsearc.h"
#include "notesapi/osenv.h"
#include "notesapi/osmem.h"

namespace runtimetest {

namespace {

std::string Lower(std::string Text) {
  for (char& c : Text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return Text;
}

}  // namespace

void RouterTest::SetUp() {
  NameLookupTest::SetUp();
  std::string servers = (FEnv.Root() / "servers").string();
  OSSetEnvironmentVariable(NOTESRT_SERVERS_DIR_VAR, servers.c_str());
  OSSetEnvironmentVariable(NOTESRT_USER_NAME_VAR, "CN=Alice Smith/O=Acme");
  ASSERT_EQ(NotesRTCreateServer(Srv1), NOERROR);
  ASSERT_EQ(NotesRTCreateServer("Srv2/Acme"), NOERROR);
  // The tests set up directories, mail files and mailboxes and look into them as the
  // administrator of the servers does.
  ASSERT_EQ(NotesRTSwitchUser(Srv1), NOERROR);
}

void RouterTest::AddPeople() {
  FAlice = AddUser("Alice", "Smith");
  FBob = AddUser("Bob", "Jones");
  FCarol = AddUser("Carol", "White");
  FDave = AddUser("Dave", "Brown", Srv2);
}

std::string RouterTest::Box(const std::string& Server) {
  return Server + "!!" + MAILBOX_NAME;
}

std::filesystem::path RouterTest::OnSrv1(const std::string& File) const {
  return FEnv.Root() / "servers" / "CN=SRV1%2FO=ACME" / File;
}

std::string RouterTest::AddUser(const std::string& First, const std::string& Last,
                                const std::string& MailServer) {
  std::string file = "mail/" + Lower(First) + ".nsf";
  TFields fields{{"MailServer", {MailServer}},
                 {"MailFile", {file}},
                 {"ShortName", {Lower(First)}},
                 {"InternetAddress", {Lower(First) + "@acme.example"}}};
  for (const std::string& server : {std::string(Srv1), MailServer}) {
    DbRef names(server + "!!names.nsf");
    AddPerson(names.Get(), First, Last, fields);
    if (server == MailServer) break;
  }
  std::string path = MailServer + "!!" + file;
  if (OpenStatus(path) != NOERROR) CopyDatabase("mail.ntf", path);
  return path;
}

void RouterTest::AddDirectoryGroup(const std::string& Server, const std::string& Name,
                                   const std::vector<std::string>& Members) {
  DbRef names(Server + "!!names.nsf");
  AddGroup(names.Get(), Name, Members);
}

void RouterTest::Deposit(const std::string& Server, const std::string& Subject,
                         const std::vector<std::string>& Recipients, TFields More) {
  More.emplace("Form", std::vector<std::string>{"Memo"});
  More.emplace("From", std::vector<std::string>{"CN=Alice Smith/O=Acme"});
  More.emplace("Subject", std::vector<std::string>{Subject});
  if (!Recipients.empty()) More.emplace("Recipients", Recipients);
  DbRef box(Server.empty() ? std::string(MAILBOX_NAME) : Server + "!!" + MAILBOX_NAME);
  Save(box.Get(), More);
}

RouterTest::Counts RouterTest::Route(const std::string& Server, STATUS Expected) {
  Counts counts;
  EXPECT_EQ(NotesRTRouteMail(Server.c_str(), &counts.Delivered, &counts.Forwarded, &counts.Failed,
                             &counts.Dead),
            Expected);
  return counts;
}

std::vector<NOTEID> RouterTest::Documents(DBHANDLE Db) {
  std::vector<NOTEID> ids;
  EXPECT_EQ(NSFSearch(
                Db, NULLHANDLE, nullptr, 0, NOTE_CLASS_DOCUMENT, nullptr,
                [](void* Ids, SEARCH_MATCH* Match, ITEM_TABLE*) -> STATUS {
                  if (Match->SERetFlags & SE_FMATCH)
                    static_cast<std::vector<NOTEID>*>(Ids)->push_back(Match->ID.NoteID);
                  return NOERROR;
                },
                &ids, nullptr),
            NOERROR);
  return ids;
}

std::vector<std::string> RouterTest::Values(const std::string& Path, const std::string& Item) {
  DbRef db(Path);
  std::vector<std::string> values;
  for (NOTEID id : Documents(db.Get())) {
    NoteRef note;
    EXPECT_EQ(NSFNoteOpen(db.Get(), id, 0, note.Out()), NOERROR);
    char text[4096];
    WORD length = NSFItemConvertToText(note.Get(), Item.c_str(), text, sizeof text, ';');
    values.emplace_back(text, length);
  }
  return values;
}

std::vector<std::string> RouterTest::Subjects(const std::string& Path) {
  return Values(Path, "Subject");
}

std::vector<std::string> RouterTest::Entries(const std::string& Path, const char* View) {
  DbRef db(Path);
  std::vector<std::string> subjects;
  for (NOTEID id : ViewIds(db.Get(), View)) subjects.push_back(TextOf(db.Get(), id));
  return subjects;
}

size_t RouterTest::UnreadCount(const std::string& Path, const std::string& User) {
  DbRef db(Path);
  DHANDLE table = NULLHANDLE;
  EXPECT_EQ(NSFDbGetUnreadNoteTable(db.Get(), const_cast<char*>(User.c_str()),
                                    static_cast<WORD>(User.size()), FALSE, &table),
            NOERROR);
  if (!table) return 0;
  size_t count = IDEntries(table);
  IDDestroyTable(table);
  return count;
}

}  // namespace runtimetest
