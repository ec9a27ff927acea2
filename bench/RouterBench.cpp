// Mail through the runtime: 1,000 mails deposited in a server's MAIL.BOX the way Send does it
// (made in the sender's mail file, moved to the mailbox under a new OID), then one router pass
// delivering them to two people. Beside each, a baseline doing the same commits on plain SQLite
// files: one row per mail deposited; per mail routed one row into each of two files and one row
// deleted from the mailbox. Items per second are mails per second.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "BenchEnv.h"
#include "notesapi/mailserv.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsfdb.h"
#include "notesapi/nsfnote.h"
#include "notesapi/osenv.h"
#include "notesapi/ostime.h"
#include "notesapi/textlist.h"

namespace {

constexpr int Mails = 1000;
constexpr char Server[] = "CN=Srv1/O=Acme";
constexpr char MailBox[] = "CN=Srv1/O=Acme!!mail.box";
const std::vector<std::string> Recipients{"Bob Jones", "Carol White"};
const std::string BodyLine(70, 'x');

TBenchEnv* Env = nullptr;

void Check(STATUS Status) {
  if (Status != NOERROR) std::abort();
}

void Text(NOTEHANDLE Note, const char* Name, const std::string& Value) {
  Check(NSFItemAppend(Note, ITEM_SUMMARY, Name, static_cast<WORD>(std::strlen(Name)), TYPE_TEXT,
                      Value.data(), Value.size()));
}

void AddPerson(DBHANDLE Names, const std::string& First, const std::string& Last) {
  NOTEHANDLE note = NULLHANDLE;
  Check(NSFNoteCreate(Names, &note));
  Text(note, "Form", "Person");
  Text(note, "FirstName", First);
  Text(note, "LastName", Last);
  Text(note, "FullName", "CN=" + First + " " + Last + "/O=Acme");
  Text(note, "MailServer", Server);
  Text(note, "MailFile", "mail/" + First + ".nsf");
  Check(NSFNoteUpdate(note, 0));
  NSFNoteClose(note);
  DBHANDLE mail = NULLHANDLE;
  std::string path = std::string(Server) + "!!mail/" + First + ".nsf";
  Check(NSFDbCreateAndCopy("mail.ntf", path.c_str(), NOTE_CLASS_ALLNONDATA, 0, 0, &mail));
  NSFDbClose(mail);
}

// A server with its directory, the sender's mail file and two recipients.
void MakeWorld() {
  std::string servers = (Env->DataDir() / ".." / "servers").string();
  OSSetEnvironmentVariable(NOTESRT_SERVERS_DIR_VAR, servers.c_str());
  OSSetEnvironmentVariable(NOTESRT_USER_NAME_VAR, "CN=Alice Smith/O=Acme");
  Check(NotesRTCreateServer(Server));
  DBHANDLE names = NULLHANDLE;
  Check(NSFDbOpen((std::string(Server) + "!!names.nsf").c_str(), &names));
  AddPerson(names, "Alice", "Smith");
  AddPerson(names, "Bob", "Jones");
  AddPerson(names, "Carol", "White");
  NSFDbClose(names);
}

void Compose(NOTEHANDLE Note, int Index) {
  std::string subject = "Mail " + std::to_string(Index);
  Check(MailAddHeaderItem(Note, MAIL_SUBJECT_ITEM_NUM, subject.data(),
                          static_cast<WORD>(subject.size())));
  Check(MailAddHeaderItem(Note, MAIL_FROM_ITEM_NUM, "Alice Smith/Acme", 16));
  DHANDLE list = NULLHANDLE;
  void* pointer = nullptr;
  WORD size = 0;
  Check(ListAllocate(0, 0, TRUE, &list, &pointer, &size));
  OSUnlockObject(list);
  for (const std::string& name : Recipients)
    Check(ListAddEntry(list, TRUE, &size, 0, name.c_str(), static_cast<WORD>(name.size())));
  Check(MailAddRecipientsItem(Note, list, size));
  DHANDLE body = NULLHANDLE;
  DWORD length = 0;
  Check(MailCreateBodyItem(&body, &length));
  for (int line = 0; line < 10; ++line)
    Check(MailAppendBodyItemLine(body, &length, const_cast<char*>(BodyLine.data()),
                                 static_cast<WORD>(BodyLine.size())));
  Check(MailAddBodyItem(Note, body, length, nullptr));
  OSMemFree(body);
  TIMEDATE now{};
  OSCurrentTIMEDATE(&now);
  Check(MailAddHeaderItem(Note, MAIL_POSTEDDATE_ITEM_NUM, &now, sizeof now));
}

void BM_Deposit(benchmark::State& State) {
  MakeWorld();
  DBHANDLE user = NULLHANDLE;
  Check(NSFDbOpen((std::string(Server) + "!!mail/Alice.nsf").c_str(), &user));
  int index = 0;
  for (auto _ : State) {
    DBHANDLE box = NULLHANDLE;
    NOTEHANDLE note = NULLHANDLE;
    Check(NSFNoteCreate(user, &note));
    Compose(note, index++);
    Check(NSFDbOpen(MailBox, &box));
    ORIGINATORID oid{};
    Check(NSFDbGenerateOID(box, &oid));
    NSFNoteSetInfo(note, _NOTE_DB, &box);
    NSFNoteSetInfo(note, _NOTE_ID, nullptr);
    NSFNoteSetInfo(note, _NOTE_OID, &oid);
    Check(NSFNoteUpdate(note, UPDATE_NOCOMMIT));
    NSFDbClose(box);
    NSFNoteClose(note);
  }
  NSFDbClose(user);
  State.SetItemsProcessed(State.iterations());
}

void BM_RouterPass(benchmark::State& State) {
  for (auto _ : State) {
    DWORD delivered = 0;
    Check(NotesRTRouteMail(Server, &delivered, nullptr, nullptr, nullptr));
    if (delivered != Mails * Recipients.size()) std::abort();
  }
  State.SetItemsProcessed(Mails);
}

// One SQLite file of the same kind as the runtime's (WAL, full sync), with a table of rows.
class TBaselineFile {
 public:
  explicit TBaselineFile(const std::string& Name) {
    std::string path = (Env->DataDir() / Name).string();
    sqlite3_open(path.c_str(), &FDb);
    sqlite3_exec(FDb, "PRAGMA journal_mode = WAL; PRAGMA synchronous = FULL;", nullptr, nullptr,
                 nullptr);
    sqlite3_exec(FDb, "CREATE TABLE IF NOT EXISTS mails(id INTEGER PRIMARY KEY, value BLOB)",
                 nullptr, nullptr, nullptr);
  }
  ~TBaselineFile() { sqlite3_close(FDb); }

  void Insert(int Id, const std::string& Value) {
    Run("INSERT OR REPLACE INTO mails(id, value) VALUES(?, ?)", Id, &Value);
  }
  void Delete(int Id) { Run("DELETE FROM mails WHERE id = ?", Id, nullptr); }

 private:
  void Run(const char* Sql, int Id, const std::string* Value) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(FDb, Sql, -1, &statement, nullptr);
    sqlite3_bind_int(statement, 1, Id);
    if (Value) sqlite3_bind_blob(statement, 2, Value->data(), Value->size(), SQLITE_STATIC);
    if (sqlite3_step(statement) != SQLITE_DONE) std::abort();
    sqlite3_finalize(statement);
  }

  sqlite3* FDb = nullptr;
};

// About the size of a deposited mail: headers, recipients and ten lines of body.
const std::string MailBytes(1200, 'm');

void BM_BaselineDeposit(benchmark::State& State) {
  TBaselineFile box("baseline-box.db");
  int index = 0;
  for (auto _ : State) box.Insert(index++, MailBytes);
  State.SetItemsProcessed(State.iterations());
}

void BM_BaselineRoute(benchmark::State& State) {
  for (auto _ : State) {
    TBaselineFile box("baseline-box.db"), bob("baseline-bob.db"), carol("baseline-carol.db");
    for (int index = 0; index < Mails; ++index) {
      bob.Insert(index, MailBytes);
      carol.Insert(index, MailBytes);
      box.Delete(index);
    }
  }
  State.SetItemsProcessed(Mails);
}

}  // namespace

BENCHMARK(BM_Deposit)->Iterations(Mails)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaselineDeposit)->Iterations(Mails)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RouterPass)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaselineRoute)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  return RunBenchmarks(argc, argv, Env);
}
