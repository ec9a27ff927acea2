// A mail with an RTF body through the loaded plug-in, each beside its baseline in the same run:
// GetMail of a mail whose "Body" items hold the records of the 1 MB LibreOffice document and
// three attachments (10 KB, 1 MB, 5 MB) against exporting the same items through the export
// entry point alone; SendMail of that mail against the import entry point on the same RTF;
// Detach of the 5 MB attachment against std::filesystem::copy_file of its source.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "BenchEnv.h"
#include "BenchMailServer.h"
#include "FileText.h"
#include "LoadedPlugin.h"
#include "NotesLock.h"
#include "NotesSession.h"
#include "RtfFilters.h"
#include "StringList.h"
#include "TNotesDatabase.h"
#include "TNotesDocument.h"
#include "TNotesRichTextItem.h"
#include "notesapi/nsfnote.h"

namespace {

const char* const Server = "CN=Bench/O=Acme";
const char* const MailFile = "mail/jdoe.nsf";
const char* const BigAttachment = "five-megabytes.bin";

TBenchEnv* Env = nullptr;

struct TMail {
  int32_t NoteID = 0;
  std::string RtfFile, CdFile, ExportFile;
  std::vector<std::string> Files;
};
TMail* Mail = nullptr;

std::string RandomBytes(size_t Size, unsigned Seed) {
  std::mt19937 random(Seed);
  std::string bytes(Size, '\0');
  for (char& byte : bytes) byte = static_cast<char>(random());
  return bytes;
}

// Every "Body" item's records after one type word, as GetMail hands them to the export.
std::string BodyRecords(NOTEHANDLE Note) {
  std::string records{static_cast<char>(TYPE_COMPOSITE & 0xFF),
                      static_cast<char>(TYPE_COMPOSITE >> 8)};
  BLOCKID item{}, value{};
  WORD type = 0;
  DWORD length = 0;
  for (STATUS status = NSFItemInfo(Note, "Body", 4, &item, &type, &value, &length);
       status == NOERROR;
       status = NSFItemInfoNext(Note, item, "Body", 4, &item, &type, &value, &length)) {
    TNotesLock lock(value);
    if (length > sizeof(WORD)) records.append(lock.Data() + sizeof(WORD), length - sizeof(WORD));
  }
  return records;
}

// The mail in Jane's mail file, written as the plug-in's SendMail writes a host's mail.
void MakeMail(TMail& Mail) {
  const std::filesystem::path files = Env->DataDir() / "files";
  std::filesystem::create_directories(files);
  const std::pair<const char*, size_t> attachments[] = {
      {"ten-kilobytes.bin", 10 << 10}, {"one-megabyte.bin", 1 << 20}, {BigAttachment, 5 << 20}};
  for (const auto& [name, size] : attachments) {
    Mail.Files.push_back((files / name).string());
    vesktest::WriteFileText(Mail.Files.back(), RandomBytes(size, static_cast<unsigned>(size)));
  }
  Mail.RtfFile = RTF_BENCH_DOCUMENT;
  Mail.CdFile = (files / "body.cd").string();
  Mail.ExportFile = (files / "body.rtf").string();
  TNotesDatabase database;
  database.CreateNew(Server, MailFile, "mail.ntf");
  std::unique_ptr<TNotesDocument> document = database.CreateDocument();
  document->SetItemByNum(MAIL_SUBJECT_ITEM_NUM, "Quarterly report");
  document->SetItemByNum(MAIL_SENDTO_ITEM_NUM, "Jane Doe");
  {
    std::unique_ptr<TNotesRichTextItem> body = TNotesRichTextItem::CreateNew(*document, "Body");
    body->PlainText = false;
    TStringList lines;
    lines.LoadFromFile(Mail.RtfFile);
    body->SetRichText(lines);
  }
  for (const std::string& file : Mail.Files) document->Attach(file);
  document->Save();
  Mail.NoteID = static_cast<int32_t>(document->NoteID());
  vesktest::WriteFileText(Mail.CdFile, BodyRecords(document->NoteHandle()));
}

void SetMegabytesPerSecond(benchmark::State& State, size_t Bytes) {
  State.counters["MB/s"] = benchmark::Counter(static_cast<double>(Bytes) / 1e6,
                                              benchmark::Counter::kIsIterationInvariantRate);
}

void BM_GetMail_Plugin(benchmark::State& State) {
  TLoadedPlugin plugin;
  if (!plugin.Mail->Connect()) return State.SkipWithError("the plug-in does not connect");
  size_t lines = 0, attachments = 0;
  for (auto _ : State) {
    TMailItemData data;
    plugin.Mail->GetMail(Mail->NoteID, "", data);
    const std::unique_ptr<TStringList> body(data.Body), names(data.Attachments);
    lines = static_cast<size_t>(body->Count());
    attachments = static_cast<size_t>(names->Count());
  }
  plugin.Mail->DisConnect();
  if (attachments != Mail->Files.size()) State.SkipWithError("an attachment is not listed");
  State.counters["body_lines"] = static_cast<double>(lines);
}

// The baseline: the export entry point alone on the same records, read from a file.
void BM_ExportBody_Entry(benchmark::State& State) {
  TRtfFilter filter("NXRTF");
  for (auto _ : State)
    if (!filter.Export(Mail->CdFile, Mail->ExportFile))
      return State.SkipWithError("the export failed");
  State.counters["cd_MB"] = static_cast<double>(std::filesystem::file_size(Mail->CdFile)) / 1e6;
}

// Each iteration sends one mail (deposited in MAIL.BOX, a sent copy kept).
void BM_SendMail_Plugin(benchmark::State& State) {
  TLoadedPlugin plugin;
  if (!plugin.Mail->Connect()) return State.SkipWithError("the plug-in does not connect");
  TStringList body, files;
  body.LoadFromFile(Mail->RtfFile);
  for (const std::string& file : Mail->Files) files.Add(file);
  TMailItemData data;
  data.SendTo = "Jane Doe";
  data.Subject = "Quarterly report";
  data.KeepSentCopy = true;
  data.Body = &body;
  data.Attachments = &files;
  for (auto _ : State) plugin.Mail->SendMail(data);
  plugin.Mail->DisConnect();
}

// The baseline: the import entry point alone on the same RTF.
void BM_ImportBody_Entry(benchmark::State& State) {
  TRtfFilter filter("NIRTF");
  const std::string output = Mail->CdFile + ".imported";
  for (auto _ : State)
    if (!filter.Import(Mail->RtfFile, output)) return State.SkipWithError("the import failed");
  SetMegabytesPerSecond(State, std::filesystem::file_size(Mail->RtfFile));
}

void BM_Detach_Plugin(benchmark::State& State) {
  TLoadedPlugin plugin;
  if (!plugin.Mail->Connect()) return State.SkipWithError("the plug-in does not connect");
  const std::string target = (Env->DataDir() / "detached.bin").string();
  for (auto _ : State)
    if (!plugin.Mail->Detach(Mail->NoteID, "", BigAttachment, target))
      return State.SkipWithError("Detach found no attachment");
  plugin.Mail->DisConnect();
  if (vesktest::ReadFileText(target) != vesktest::ReadFileText(Mail->Files.back()))
    State.SkipWithError("the detached file differs");
  SetMegabytesPerSecond(State, std::filesystem::file_size(target));
}

// The baseline: copying the attachment's source file.
void BM_CopyFile(benchmark::State& State) {
  const std::filesystem::path target = Env->DataDir() / "copied.bin";
  for (auto _ : State)
    std::filesystem::copy_file(Mail->Files.back(), target,
                               std::filesystem::copy_options::overwrite_existing);
  SetMegabytesPerSecond(State, std::filesystem::file_size(target));
}

}  // namespace

BENCHMARK(BM_GetMail_Plugin)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExportBody_Entry)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SendMail_Plugin)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ImportBody_Entry)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Detach_Plugin)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CopyFile)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TBenchEnv env;
  Env = &env;
  NotesObjectsInitialize();
  MakeBenchMailServer(env, Server, MailFile);
  {
    TMail mail;
    MakeMail(mail);
    Mail = &mail;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Mail = nullptr;
  }
  NotesObjectsFinalize();
  Env = nullptr;
  return 0;
}
