#pragma once

#include <cctype>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "NameLookupFixture.h"
#include "notesapi/idtable.h"
#include "notesapi/mailserv.h"
#include "notesapi/nif.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsfsearc.h"
#include "notesapi/osenv.h"
#include "notesapi/osmem.h"

namespace runtimetest {

// A small mail world: the servers Srv1/Acme (its directory lists everybody) and Srv2/Acme,
// each with a directory and a router mailbox; people whose mail files are made from the mail
// template; helpers to deposit mail, run the router and look at what arrived where.
class RouterTest : public NameLookupTest {
 protected:
  static constexpr char Srv1[] = "CN=Srv1/O=Acme";
  static constexpr char Srv2[] = "CN=Srv2/O=Acme";

  void SetUp() override {
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

  // Alice Smith, Bob Jones and Carol White on Srv1, Dave Brown on Srv2; their mail files' paths.
  void AddPeople() {
    FAlice = AddUser("Alice", "Smith");
    FBob = AddUser("Bob", "Jones");
    FCarol = AddUser("Carol", "White");
    FDave = AddUser("Dave", "Brown", Srv2);
  }
  std::string FAlice, FBob, FCarol, FDave;

  // A server's router mailbox, and where a database of Srv1 lies on disk.
  static std::string Box(const std::string& Server = Srv1) { return Server + "!!" + MAILBOX_NAME; }
  std::filesystem::path OnSrv1(const std::string& File) const {
    return FEnv.Root() / "servers" / "CN=SRV1%2FO=ACME" / File;
  }

  // "CN=<First> <Last>/O=Acme" in Srv1's directory (and Srv2's when MailServer is Srv2), its
  // mail file mail/<first>.nsf on MailServer; the mail file's path is returned.
  std::string AddUser(const std::string& First, const std::string& Last,
                      const std::string& MailServer = Srv1) {
    std::string lower = First;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::string file = "mail/" + lower + ".nsf";
    TFields fields{{"MailServer", {MailServer}},
                   {"MailFile", {file}},
                   {"ShortName", {lower}},
                   {"InternetAddress", {lower + "@acme.example"}}};
    for (const std::string& server : {std::string(Srv1), MailServer}) {
      DbRef names(server + "!!names.nsf");
      AddPerson(names.Get(), First, Last, fields);
      if (server == MailServer) break;
    }
    std::string path = MailServer + "!!" + file;
    if (OpenStatus(path) != NOERROR) CopyDatabase("mail.ntf", path);
    return path;
  }

  void AddDirectoryGroup(const std::string& Server, const std::string& Name,
                         const std::vector<std::string>& Members) {
    DbRef names(Server + "!!names.nsf");
    AddGroup(names.Get(), Name, Members);
  }

  // A mail from Alice in Server's mailbox ("" this machine's) with these fields besides.
  void Deposit(const std::string& Server, const std::string& Subject,
               const std::vector<std::string>& Recipients, TFields More = {}) {
    More.emplace("Form", std::vector<std::string>{"Memo"});
    More.emplace("From", std::vector<std::string>{"CN=Alice Smith/O=Acme"});
    More.emplace("Subject", std::vector<std::string>{Subject});
    if (!Recipients.empty()) More.emplace("Recipients", Recipients);
    DbRef box(Server.empty() ? std::string(MAILBOX_NAME) : Server + "!!" + MAILBOX_NAME);
    Save(box.Get(), More);
  }

  struct Counts {
    DWORD Delivered = 0, Forwarded = 0, Failed = 0, Dead = 0;
    bool operator==(const Counts&) const = default;
    friend void PrintTo(const Counts& C, std::ostream* Out) {
      *Out << C.Delivered << " delivered, " << C.Forwarded << " forwarded, " << C.Failed
           << " failed, " << C.Dead << " dead";
    }
  };
  Counts Route(const std::string& Server, STATUS Expected = NOERROR) {
    Counts counts;
    EXPECT_EQ(NotesRTRouteMail(Server.c_str(), &counts.Delivered, &counts.Forwarded, &counts.Failed,
                               &counts.Dead),
              Expected);
    return counts;
  }

  // The Subject of each document of a database, in note ID order.
  std::vector<std::string> Subjects(const std::string& Path) { return Values(Path, "Subject"); }
  // The Subject of each document in a view or folder, in the view's order.
  std::vector<std::string> Entries(const std::string& Path, const char* View) {
    DbRef db(Path);
    std::vector<std::string> subjects;
    for (NOTEID id : ViewIds(db.Get(), View)) subjects.push_back(TextOf(db.Get(), id));
    return subjects;
  }
  std::vector<std::string> Inbox(const std::string& Path) { return Entries(Path, "($Inbox)"); }

  // One item of every document as text (list entries joined by ";"), in note ID order.
  std::vector<std::string> Values(const std::string& Path, const std::string& Item) {
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

  // How many documents of a mail file are unread for User.
  size_t UnreadCount(const std::string& Path, const std::string& User) {
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

  std::vector<NOTEID> Documents(DBHANDLE Db) {
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
};

}  // namespace runtimetest
