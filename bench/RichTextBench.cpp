// Rich text through TNotesRichTextItem on one open note of a scratch database, each figure beside
// its baseline from the same run and memcpy of the same bytes for scale:
// - composing 10 MB (AddTextPara and SaveContext) against SetBodyAsString of the same text;
// - reading it back (GetRichText) against ConvertItemToText over the same items;
// - walking 100,000 records with EnumCompositeBuffer against a bare loop over the same bytes,
//   and TNotesRichTextItem::Create, which walks them for attachments and links;
// - composing 1, 10 and 40 MB, whose time per MB must stay flat.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "BenchEnv.h"
#include "NotesApi.h"
#include "NotesCharset.h"
#include "NotesHandle.h"
#include "NotesItemValues.h"
#include "NotesLock.h"
#include "NotesSession.h"
#include "TNotesDatabase.h"
#include "TNotesDocument.h"
#include "TNotesRichTextItem.h"

namespace {

constexpr size_t MB = 1024 * 1024;
constexpr int LinkRecords = 1000;
constexpr int FileHotspots = 100;
constexpr int WalkedRecords = 100000;

TNotesDatabase* Database = nullptr;
// Where the files to attach are written: the bench's own directory, removed at the end.
std::filesystem::path FileDir;

// Lines of 1 KB (CR LF included), one in 16 with characters outside ASCII, Size bytes in all.
std::string Text(size_t Size) {
  std::string text;
  text.reserve(Size);
  for (size_t line = 0; text.size() < Size; ++line) {
    std::string body(1022, static_cast<char>('a' + line % 26));
    if (line % 16 == 0) body.replace(0, 8, "Grüße ");  // two characters of two bytes
    text += body + "\r\n";
  }
  return text;
}

void SkipUnless(benchmark::State& State, bool Condition, const char* Error) {
  if (!Condition) State.SkipWithError(Error);
}

void Compose(TNotesDocument& Note, const std::string& Text) {
  TNotesItem::DeleteAllItems(Note.NoteHandle(), "Body");
  const auto body = TNotesRichTextItem::CreateNew(Note, "Body");
  body->AddTextPara(Text);
  body->SaveContext();
}

void BM_Compose_RichText(benchmark::State& State) {
  const std::string text = Text(static_cast<size_t>(State.range(0)) * MB);
  auto note = Database->CreateDocument();
  for (auto _ : State) Compose(*note, text);
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * text.size()));
  State.counters["items"] = note->CountMultipleItems("Body");
}

void BM_Compose_SetBodyAsString(benchmark::State& State) {
  const std::string text = Text(10 * MB);
  auto note = Database->CreateDocument();
  for (auto _ : State) note->SetBodyAsString(text);
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * text.size()));
}

void BM_Memcpy(benchmark::State& State) {
  const std::string text = Text(static_cast<size_t>(State.range(0)) * MB);
  std::vector<char> copy(text.size());
  for (auto _ : State) {
    std::memcpy(copy.data(), text.data(), text.size());
    benchmark::DoNotOptimize(copy.data());
  }
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * text.size()));
}

// The 10 MB note read back by both readers. Its last line has no CR LF, which would read as one
// more, empty line.
struct TReadNote {
  TReadNote() : Note(Database->CreateDocument()), Source(Text(10 * MB)) {
    Source.resize(Source.size() - 2);
    Compose(*Note, Source);
    LmbcsLength = Native2Lmbcs(Source).size();
  }
  std::unique_ptr<TNotesDocument> Note;
  std::string Source;
  size_t LmbcsLength = 0;  // ConvertItemToText gives LMBCS, shorter for the non-ASCII lines
};
std::unique_ptr<TReadNote> ReadNoteData;

TReadNote& ReadNote() {
  if (!ReadNoteData) ReadNoteData = std::make_unique<TReadNote>();
  return *ReadNoteData;
}

void BM_Read_GetRichText(benchmark::State& State) {
  TReadNote& read = ReadNote();
  const auto body = TNotesRichTextItem::Create(*read.Note, "Body");
  size_t lines = 0;
  for (auto _ : State) lines = static_cast<size_t>(body->GetRichText().Count());
  SkipUnless(State, lines == 10240, "not every line came back");
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * read.Source.size()));
}

void BM_Read_ConvertItemToText(benchmark::State& State) {
  TReadNote& read = ReadNote();
  const std::vector<TItemValue> items = ItemValuesAfter(read.Note->NoteHandle(), "Body", BLOCKID{});
  size_t length = 0;
  for (auto _ : State) {
    length = 0;
    for (const TItemValue& item : items) {
      TMemoryHandle text;
      DWORD size = 0;
      if (ConvertItemToText(item.Value, item.Length, "\r\n", 0, text.Receive(), &size, FALSE))
        std::abort();
      length += size;
    }
  }
  SkipUnless(State, length >= read.LmbcsLength, "the text is short");
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * read.Source.size()));
}

// For scale beside the readers: only making the lines that GetRichText gives, one string each,
// from the text already in memory. The ConvertItemToText baseline makes none of them.
void BM_Read_LinesOnly(benchmark::State& State) {
  TReadNote& read = ReadNote();
  TStringList lines;
  for (auto _ : State) {
    lines.Clear();
    const std::string_view source = read.Source;
    for (size_t start = 0; start < source.size();) {
      const size_t end = std::min(source.find("\r\n", start), source.size());
      lines.Add(std::string(source.substr(start, end - start)));
      start = end + 2;
    }
  }
  SkipUnless(State, lines.Count() == 10240, "not every line was made");
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * read.Source.size()));
}

// A "Body" of about 50 items and 100,000 records: text runs and paragraphs, 1,000 links and 100
// file hotspots, each showing a "$FILE" item of the note.
struct TWalkNote {
  TWalkNote() : Note(Database->CreateDocument()) {
    for (int index = 0; index < FileHotspots; ++index) Note->Attach(AttachmentFile(index));
    auto body = TNotesRichTextItem::CreateNew(*Note, "Body");
    for (int step = 0; Written < WalkedRecords; ++step) {
      if (step % 97 == 0 && Hotspots < FileHotspots) AddFileHotspot(*body);
      if (step % 9 == 0 && Links < LinkRecords) {
        body->AddDbLink(*Database, "link " + std::to_string(Links++));
        ++Written;
      }
      body->AddText("a run of text in the walked body");
      body->AddPara();
      Written += 2;
    }
    body->SaveContext();
    Items = ItemValuesAfter(Note->NoteHandle(), "Body", BLOCKID{});
  }
  static std::string AttachmentFile(int Index) {
    const std::string file =
        (FileDir / ("vesk-rich-text-bench-" + std::to_string(Index) + ".txt")).string();
    std::FILE* out = std::fopen(file.c_str(), "w");
    if (out == nullptr) std::abort();
    std::fputs("attached", out);
    std::fclose(out);
    return file;
  }
  // The hotspot of one attachment: its "$FILE" name, then the name shown.
  void AddFileHotspot(TNotesRichTextItem& Body) {
    const std::string data = "vesk-rich-text-bench-" + std::to_string(Hotspots) + ".txt" + '\0' +
                             "Shown " + std::to_string(Hotspots) + ".txt" + '\0';
    const CDHOTSPOTBEGIN begin{{SIG_CD_HOTSPOTBEGIN, static_cast<WORD>(12 + data.size())},
                               HOTSPOTREC_TYPE_FILE,
                               HOTSPOTREC_RUNFLAG_BEGIN,
                               static_cast<WORD>(data.size())};
    const std::string record =
        std::string(reinterpret_cast<const char*>(&begin), sizeof(begin)) + data;
    Body.AddToContext(record.data(), SIG_CD_HOTSPOTBEGIN, static_cast<DWORD>(record.size()));
    const CDHOTSPOTEND end{{static_cast<BYTE>(SIG_CD_HOTSPOTEND), 2}};
    Body.AddToContext(&end, SIG_CD_HOTSPOTEND, 2);
    ++Hotspots;
    Written += 2;
  }

  std::unique_ptr<TNotesDocument> Note;
  std::vector<TItemValue> Items;
  int Written = 3;  // the context's style and its reference, and the run that ends it
  int Links = 0;
  int Hotspots = 0;
};
std::unique_ptr<TWalkNote> WalkNoteData;

TWalkNote& WalkNote() {
  if (!WalkNoteData) WalkNoteData = std::make_unique<TWalkNote>();
  return *WalkNoteData;
}

STATUS LNCALLBACK CountRecord(char*, WORD, DWORD, void* Context) {
  ++*static_cast<int*>(Context);
  return NOERROR;
}

void BM_Walk_EnumCompositeBuffer(benchmark::State& State) {
  const TWalkNote& walk = WalkNote();
  int records = 0;
  for (auto _ : State) {
    records = 0;
    for (const TItemValue& item : walk.Items)
      if (EnumCompositeBuffer(item.Value, item.Length, CountRecord, &records)) std::abort();
  }
  SkipUnless(State, records >= WalkedRecords, "fewer records than written");
  State.SetItemsProcessed(State.iterations() * records);
  State.counters["items"] = static_cast<double>(walk.Items.size());
}

// The baseline: the header rule applied by a bare loop to the same bytes, each value locked.
void BM_Walk_BareLoop(benchmark::State& State) {
  const TWalkNote& walk = WalkNote();
  int records = 0;
  for (auto _ : State) {
    records = 0;
    for (const TItemValue& item : walk.Items) {
      TNotesLock lock(item.Value);
      const auto* data = reinterpret_cast<const uint8_t*>(lock.Data());
      for (size_t at = 2; at + 2 <= item.Length; ++records) {
        const uint8_t high = data[at + 1];
        size_t length = high;
        if (high == 0xFF)
          length = data[at + 2] | data[at + 3] << 8;
        else if (high == 0)
          length = data[at + 2] | data[at + 3] << 8 | data[at + 4] << 16 |
                   static_cast<size_t>(data[at + 5]) << 24;
        at += length + (length & 1);
      }
      benchmark::DoNotOptimize(records);
    }
  }
  SkipUnless(State, records >= WalkedRecords, "fewer records than written");
  State.SetItemsProcessed(State.iterations() * records);
}

void BM_Walk_Create(benchmark::State& State) {
  TWalkNote& walk = WalkNote();
  int links = 0, attachments = 0;
  for (auto _ : State) {
    const auto body = TNotesRichTextItem::Create(*walk.Note, "Body");
    links = body->GetLinkCount();
    attachments = body->GetAttachmentCount();
  }
  SkipUnless(State, links == LinkRecords && attachments == FileHotspots,
             "links or attachments missing");
  State.counters["links"] = links;
  State.counters["attachments"] = attachments;
}

BENCHMARK(BM_Compose_RichText)->Arg(10)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Compose_SetBodyAsString)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Memcpy)->Arg(10)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Read_GetRichText)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Read_ConvertItemToText)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Read_LinesOnly)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Walk_EnumCompositeBuffer)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Walk_BareLoop)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Walk_Create)->Unit(benchmark::kMillisecond)->UseRealTime();
// Linear growth: the bytes per second at 40 MB within 1.3x of those at 1 MB. Memcpy at both
// sizes shows what the caches alone make of that step on the machine at hand.
BENCHMARK(BM_Compose_RichText)->Arg(1)->Arg(40)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Memcpy)->Arg(1)->Arg(40)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int Argc, char** Argv) {
  benchmark::Initialize(&Argc, Argv);
  TBenchEnv env;
  FileDir = env.DataDir();
  NotesObjectsInitialize();
  {
    TNotesDatabase database;
    database.CreateNew("", "richtext.nsf", "");
    Database = &database;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ReadNoteData.reset();
    WalkNoteData.reset();
  }
  NotesObjectsFinalize();
  return 0;
}
