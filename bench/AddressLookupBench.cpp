// Address lookups over a directory of 10,000 people through the loaded plug-in's GetAddressItems,
// side by side with the same items read straight from SQLite through the same key tables and
// decoded from the notes' item blobs.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "BenchEnv.h"
#include "LoadedPlugin.h"
#include "NotesSession.h"
#include "StringList.h"
#include "TAddressBookAdmin.h"

namespace {

constexpr int People = 10000;
const std::vector<std::string> HostItems = {"FirstName", "LastName", "CompanyName", "MailAddress",
                                            "InternetAddress"};

sqlite3* Direct = nullptr;

std::string Number(int Index) {
  std::string text = std::to_string(Index);
  return std::string(5 - text.size(), '0') + text;
}

void FillDirectory() {
  TAddressBookAdmin::CreateBook("", "names.nsf", "Directory");
  TAddressBookAdmin book("", "names.nsf");
  for (int index = 0; index < People; ++index) {
    std::string n = Number(index);
    book.AddPerson({"First" + n, "Last" + n, "Company" + std::to_string(index % 97), "", "u" + n,
                    "user" + n + "@example.com", "", "Hub/Acme", "mail/u" + n});
  }
}

TLoadedPlugin* Plugin = nullptr;

// The host's lines for Search.
int PluginLookup(const std::string& Search) {
  TStringList* list = nullptr;
  Plugin->Mail->GetAddressItems(Search, list);
  std::unique_ptr<TStringList> owned(list);
  return owned ? owned->Count() : 0;
}

bool Wanted(std::string_view Name) {
  for (const std::string& item : HostItems)
    if (item == Name) return true;
  return false;
}

template <class T>
T ReadAt(std::string_view Bytes, size_t At) {
  T value{};
  std::memcpy(&value, Bytes.data() + At, sizeof value);
  return value;
}

// The wanted values of a note's item blob (per item: name length WORD, flags WORD, type WORD,
// value length DWORD, changed TIMEDATE, the name, the value).
int WantedValues(std::string_view Blob) {
  constexpr size_t Header = 3 * sizeof(uint16_t) + sizeof(uint32_t) + 8;
  int values = 0;
  for (size_t at = 0; at + Header <= Blob.size();) {
    size_t nameLength = ReadAt<uint16_t>(Blob, at);
    size_t valueLength = ReadAt<uint32_t>(Blob, at + 3 * sizeof(uint16_t));
    std::string_view name = Blob.substr(at + Header, nameLength);
    if (Wanted(name)) {
      benchmark::DoNotOptimize(Blob.data() + at + Header + nameLength);
      ++values;
    }
    at += Header + nameLength + valueLength;
  }
  return values;
}

// The same items straight from SQLite; returns the values read.
int SqliteLookup(const char* Sql, const std::string& From, const std::string& To) {
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(Direct, Sql, -1, &statement, nullptr) != SQLITE_OK) {
    std::fprintf(stderr, "%s\n", sqlite3_errmsg(Direct));
    std::abort();
  }
  sqlite3_bind_blob(statement, 1, From.data(), static_cast<int>(From.size()), SQLITE_STATIC);
  sqlite3_bind_blob(statement, 2, To.data(), static_cast<int>(To.size()), SQLITE_STATIC);
  int values = 0;
  while (sqlite3_step(statement) == SQLITE_ROW) {
    values +=
        WantedValues(std::string_view(static_cast<const char*>(sqlite3_column_blob(statement, 0)),
                                      static_cast<size_t>(sqlite3_column_bytes(statement, 0))));
  }
  sqlite3_finalize(statement);
  return values;
}

const char* const KeyedItems =
    "SELECT n.items FROM name_keys k JOIN notes n ON n.note_id = k.note_id "
    "WHERE k.space = 0 AND k.key >= ?1 AND k.key <= ?2 ORDER BY k.key, k.note_id";
const char* const EverybodysItems =
    "SELECT n.items FROM name_entries e JOIN notes n ON n.note_id = e.note_id "
    "WHERE e.space = 0 AND ?1 = ?2 ORDER BY e.first_key, e.note_id";

void Report(benchmark::State& State, int Lines) {
  State.counters["lines"] = Lines;
}

void BM_ExactLookup_Plugin(benchmark::State& State) {
  int lines = 0;
  for (auto _ : State) lines = PluginLookup("first04321 last04321");
  Report(State, lines);
}

void BM_ExactLookup_Sqlite(benchmark::State& State) {
  int values = 0;
  for (auto _ : State)
    values = SqliteLookup(KeyedItems, "first04321 last04321", "first04321 last04321");
  Report(State, values);
}

void BM_PrefixLookup_Plugin(benchmark::State& State) {
  int lines = 0;
  for (auto _ : State) lines = PluginLookup("first0432*");
  Report(State, lines);
}

void BM_PrefixLookup_Sqlite(benchmark::State& State) {
  int values = 0;
  for (auto _ : State) values = SqliteLookup(KeyedItems, "first0432", "first0432\xFF");
  Report(State, values);
}

void BM_Everybody_Plugin(benchmark::State& State) {
  int lines = 0;
  for (auto _ : State) lines = PluginLookup("*");
  Report(State, lines);
}

void BM_Everybody_Sqlite(benchmark::State& State) {
  int values = 0;
  for (auto _ : State) values = SqliteLookup(EverybodysItems, "", "");
  Report(State, values);
}

// For scale beside "*": only making the host's 40,000 lines, from strings already in memory.
// The SQLite baseline makes none of them.
void BM_Everybody_HostLinesOnly(benchmark::State& State) {
  TStringList* result = nullptr;
  Plugin->Mail->GetAddressItems("*", result);
  std::unique_ptr<TStringList> owned(result);
  std::vector<std::string> source;
  for (int index = 0; owned && index < owned->Count(); ++index)
    source.push_back(owned->Strings(index));
  int lines = 0;
  for (auto _ : State) {
    TStringList list;
    list.SetCapacity(static_cast<int>(source.size()));
    for (const std::string& line : source) list.Add(std::string(line));
    lines = list.Count();
  }
  Report(State, lines);
}

BENCHMARK(BM_ExactLookup_Plugin)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExactLookup_Sqlite)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PrefixLookup_Plugin)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PrefixLookup_Sqlite)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Everybody_Plugin)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Everybody_Sqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Everybody_HostLinesOnly)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int Argc, char** Argv) {
  benchmark::Initialize(&Argc, Argv);
  TBenchEnv env;
  NotesObjectsInitialize();
  FillDirectory();
  std::string file = (env.DataDir() / "names.nsf").string();
  if (sqlite3_open_v2(file.c_str(), &Direct, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) return 1;
  {
    TLoadedPlugin plugin;
    Plugin = &plugin;
    benchmark::RunSpecifiedBenchmarks();
    Plugin = nullptr;
  }
  sqlite3_close(Direct);
  NotesObjectsFinalize();
  benchmark::Shutdown();
  return 0;
}
