// Mail through the object library and the plug-in: GetMailItems(mfInbox) of the loaded plug-in
// module over a 15,000-mail inbox, side by side with the same six fields read straight from
// SQLite, with the user the mail file's Manager and its Reader (what access control costs);
// opening and reading mails by the C API likewise; 1,000 mails sent through SendMail, and the
// router pass that delivers them.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "BenchEnv.h"
#include "BenchMailServer.h"
#include "LoadedPlugin.h"
#include "NotesSession.h"
#include "StringList.h"
#include "TNotesDatabase.h"
#include "TNotesDocument.h"
#include "TNotesFolder.h"
#include "TNotesItem.h"
#include "TNotesView.h"
#include "notesapi/acl.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsfnote.h"

namespace {

constexpr int InboxMails = 15000;
constexpr int SentMails = 1000;
constexpr int FilingBatch = 500;
const char* const Server = "CN=Bench/O=Acme";
const char* const MailFile = "mail/jdoe.nsf";

TBenchEnv* Env = nullptr;

void FileIntoInbox(TNotesDatabase& Database,
                   std::vector<std::unique_ptr<TNotesDocument>>& Documents) {
  std::vector<const TNotesDocument*> filed;
  for (const auto& document : Documents) filed.push_back(document.get());
  TNotesFolder(Database, "($Inbox)").AddDocuments(filed);
  Documents.clear();
}

void FillInbox() {
  TNotesDatabase database;
  database.CreateNew(Server, MailFile, "mail.ntf");
  std::vector<std::unique_ptr<TNotesDocument>> batch;
  for (int index = 0; index < InboxMails; ++index) {
    auto mail = database.CreateDocument();
    mail->SetItemByNum(MAIL_FORM_ITEM_NUM, "Memo");
    mail->SetItemByNum(MAIL_FROM_ITEM_NUM, "CN=Sender " + std::to_string(index % 50) + "/O=Acme");
    mail->SetItemByNum(MAIL_SENDTO_ITEM_NUM, "Jane Doe");
    mail->SetItemByNum(MAIL_SUBJECT_ITEM_NUM, "Subject of mail number " + std::to_string(index));
    mail->GetItemByName("DeliveredDate")->SetAsDateTime(Now());
    mail->Save();
    batch.push_back(std::move(mail));
    if (batch.size() == FilingBatch) FileIntoInbox(database, batch);
  }
  if (!batch.empty()) FileIntoInbox(database, batch);
}

// The mail server gives Jane's entry in her mail file the level State's argument names.
void GiveJane(WORD Level) {
  if (NotesRTSwitchUser(Server) != NOERROR) std::abort();
  {
    TNotesDatabase database;
    database.Open(Server, MailFile);
    DHANDLE acl = NULLHANDLE;
    ACL_PRIVILEGES none{};
    if (NSFDbReadACL(database.Handle(), &acl) != NOERROR ||
        ACLUpdateEntry(acl, "CN=Jane Doe/O=Acme", ACL_UPDATE_LEVEL, nullptr, Level, &none, 0) !=
            NOERROR ||
        NSFDbStoreACL(database.Handle(), acl, 0, 0) != NOERROR)
      std::abort();
    OSMemFree(acl);
  }
  NotesRTSwitchUser(nullptr);
}

void BM_GetMailItems_Plugin(benchmark::State& State) {
  GiveJane(static_cast<WORD>(State.range(0)));
  TLoadedPlugin plugin;
  if (!plugin.Mail->Connect()) return State.SkipWithError("the plug-in does not connect");
  int lines = 0;
  for (auto _ : State) {
    TStringList* list = nullptr;
    plugin.Mail->GetMailItems(mfInbox, list);
    std::unique_ptr<TStringList> owned(list);
    lines = owned->Count();
  }
  plugin.Mail->DisConnect();
  if (lines != InboxMails) State.SkipWithError("the inbox does not list every mail");
  State.counters["lines"] = lines;
}

// The baseline: the inbox's notes in folder order, each line made from the note's modified time
// and its items blob (per item: name length WORD, flags WORD, type WORD, value length DWORD,
// changed TIMEDATE, the name, the value).
template <class T>
T ReadAt(std::string_view Bytes, size_t At) {
  T value{};
  std::memcpy(&value, Bytes.data() + At, sizeof value);
  return value;
}

std::string LocalTimeText(std::string_view TimeDate) {
  if (TimeDate.size() < 8) return "";
  const uint32_t ticks = ReadAt<uint32_t>(TimeDate, 0);
  const uint32_t julianDay = ReadAt<uint32_t>(TimeDate, 4) & 0xFFFFFF;
  const time_t seconds = (static_cast<time_t>(julianDay) - 2440588) * 86400 + ticks / 100;
  tm local{};
  localtime_r(&seconds, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

std::string BaselineLine(int64_t NoteID, std::string_view Modified, std::string_view Items) {
  constexpr size_t Header = 3 * sizeof(uint16_t) + sizeof(uint32_t) + 8;
  std::string_view from, sendTo, subject;
  int attachments = 0;
  for (size_t at = 0; at + Header <= Items.size();) {
    const size_t nameLength = ReadAt<uint16_t>(Items, at);
    const size_t valueLength = ReadAt<uint32_t>(Items, at + 3 * sizeof(uint16_t));
    const std::string_view name = Items.substr(at + Header, nameLength);
    const std::string_view value = Items.substr(at + Header + nameLength, valueLength);
    if (name == "From") from = value;
    if (name == "SendTo") sendTo = value;
    if (name == "Subject") subject = value;
    if (name == "$FILE") ++attachments;
    at += Header + nameLength + valueLength;
  }
  return std::to_string(NoteID) + "|" + LocalTimeText(Modified) + "|" + std::string(from) + "|" +
         std::string(sendTo) + "|" + std::string(subject) + "|" + std::to_string(attachments);
}

std::string Column(sqlite3_stmt* Statement, int Index) {
  return std::string(static_cast<const char*>(sqlite3_column_blob(Statement, Index)),
                     static_cast<size_t>(sqlite3_column_bytes(Statement, Index)));
}

void BM_GetMailItems_Sqlite(benchmark::State& State) {
  NOTEID inboxID = 0;
  {
    TNotesDatabase database;
    database.Open(Server, MailFile);
    inboxID = TNotesView::GetViewID(database, "($Inbox)");
  }
  const std::string file = (Env->DataDir() / ".." / "servers" / "CN=BENCH%2FO=ACME" / MailFile);
  sqlite3* direct = nullptr;
  if (sqlite3_open_v2(file.c_str(), &direct, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
    return State.SkipWithError("cannot open the mail file's SQLite file");
  const char* const sql =
      "SELECT n.note_id, n.modified, n.items FROM folder_members f JOIN notes n "
      "ON n.note_id = f.note_id WHERE f.folder_id = ?1 ORDER BY f.seq";
  int lines = 0;
  for (auto _ : State) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(direct, sql, -1, &statement, nullptr);
    sqlite3_bind_int64(statement, 1, inboxID);
    TStringList list;
    while (sqlite3_step(statement) == SQLITE_ROW)
      list.Add(BaselineLine(sqlite3_column_int64(statement, 0), Column(statement, 1),
                            Column(statement, 2)));
    sqlite3_finalize(statement);
    lines = list.Count();
  }
  sqlite3_close(direct);
  if (lines != InboxMails) State.SkipWithError("the baseline does not read every mail");
  State.counters["lines"] = lines;
}

// NSFNoteOpen of the first 1,000 inbox mails, each with its subject read.
void BM_NoteOpenRead(benchmark::State& State) {
  GiveJane(static_cast<WORD>(State.range(0)));
  TNotesDatabase database;
  database.Open(Server, MailFile);
  std::vector<NOTEID> ids;
  {
    TNotesFolder inbox(database, "($Inbox)");
    for (int index = 0; index < 1000; ++index)
      ids.push_back(static_cast<NOTEID>(inbox.GetDocumentId(index)));
  }
  char subject[256];
  for (auto _ : State) {
    for (NOTEID id : ids) {
      NOTEHANDLE note = NULLHANDLE;
      if (NSFNoteOpen(database.Handle(), id, 0, &note) != NOERROR) std::abort();
      benchmark::DoNotOptimize(NSFItemGetText(note, "Subject", subject, sizeof subject));
      NSFNoteClose(note);
    }
  }
  State.SetItemsProcessed(State.iterations() * static_cast<int64_t>(ids.size()));
}

void BM_SendMail(benchmark::State& State) {
  TNotesDatabase database;
  database.OpenMail();
  int sent = 0;
  for (auto _ : State)
    database.SendMail("Jane Doe", "Benchmark mail " + std::to_string(sent++), "A short body.");
  State.SetItemsProcessed(sent);
}

void BM_RouterPass(benchmark::State& State) {
  DWORD delivered = 0;
  for (auto _ : State)
    if (NotesRTRouteMail(Server, &delivered, nullptr, nullptr, nullptr) != NOERROR) std::abort();
  if (delivered != SentMails) State.SkipWithError("the pass did not deliver every mail");
  State.SetItemsProcessed(delivered);
}

BENCHMARK(BM_GetMailItems_Plugin)
    ->Arg(ACL_LEVEL_MANAGER)
    ->Arg(ACL_LEVEL_READER)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2)
    ->UseRealTime();
BENCHMARK(BM_GetMailItems_Sqlite)->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime();
BENCHMARK(BM_NoteOpenRead)
    ->Arg(ACL_LEVEL_MANAGER)
    ->Arg(ACL_LEVEL_READER)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_SendMail)->Iterations(SentMails)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_RouterPass)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int Argc, char** Argv) {
  benchmark::Initialize(&Argc, Argv);
  TBenchEnv env;
  Env = &env;
  NotesObjectsInitialize();
  MakeBenchMailServer(env, Server, MailFile);
  std::fprintf(stderr, "filling an inbox of %d mails...\n", InboxMails);
  FillInbox();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  NotesObjectsFinalize();
  return 0;
}
