// Feeds arbitrary bytes to the readers and the appender of rich text, which come from outside in
// mail. The bytes are cut where the fuzzer chooses into one to four item values: composite
// values with or without their type word, perhaps a "$Links" and a "$FILE" value. A cut inside a
// record is a record crossing an item boundary: each item must report it on its own.
#include <stdlib.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ELotusNotes.h"
#include "Exception.h"
#include "FuzzSettings.h"
#include "HugeNSFRTFItemAppend.h"
#include "NotesApi.h"
#include "NotesHandle.h"
#include "NotesItemValues.h"
#include "NotesLock.h"
#include "NotesSession.h"
#include "TNotesDatabase.h"
#include "TNotesDocument.h"
#include "TNotesRichTextItem.h"
#include "notesapi/notesrt.h"

namespace {

std::filesystem::path FuzzDirectory;
TNotesDatabase* Scratch = nullptr;

void Stop() {
  delete Scratch;
  NotesObjectsFinalize();
  std::filesystem::remove_all(FuzzDirectory);
}

void Start() {
  FuzzDirectory = MakeFuzzSettings();
  NotesObjectsInitialize();
  Scratch = new TNotesDatabase;
  Scratch->CreateNew("", "fuzz.nsf", "");
  atexit(Stop);
}

struct TValue {
  std::string Name;
  WORD Type;
  std::string Bytes;  // without the type word
};

// Data[0]: bits 0-1 the number of values less one; bits 2-5 which composite values carry their
// own type word; bit 6 makes the last value "$Links", bit 7 the one before it "$FILE".
// Data[1..3]: where the cuts fall, as fractions of the rest.
std::vector<TValue> Values(const uint8_t* Data, size_t Size) {
  const int count = 1 + (Data[0] & 3);
  const std::string rest(reinterpret_cast<const char*>(Data) + 4, Size - 4);
  std::vector<size_t> cuts{0};
  for (int index = 1; index < count; ++index)
    cuts.push_back(std::max(cuts.back(), rest.size() * Data[index] / 255));
  cuts.push_back(rest.size());
  std::vector<TValue> values;
  for (int index = 0; index < count; ++index) {
    TValue value{"Body", TYPE_COMPOSITE, rest.substr(cuts[index], cuts[index + 1] - cuts[index])};
    if (index == count - 1 && (Data[0] & 0x40)) value = {"$Links", TYPE_NOTELINK_LIST, value.Bytes};
    if (index == count - 2 && (Data[0] & 0x80)) value = {"$FILE", TYPE_OBJECT, value.Bytes};
    const bool ownType = (Data[0] >> (2 + index)) & 1;
    if (ownType && value.Type == TYPE_COMPOSITE && value.Bytes.size() >= 2) {
      std::memcpy(&value.Type, value.Bytes.data(), sizeof(WORD));
      value.Bytes.erase(0, 2);
    }
    values.push_back(std::move(value));
  }
  return values;
}

struct TWalkCheck {
  const char* Begin;
  size_t Length;
  uint8_t Sum;
};

STATUS LNCALLBACK CheckRecord(char* Record, WORD, DWORD Length, void* Context) {
  auto* check = static_cast<TWalkCheck*>(Context);
  if (Record < check->Begin || Length > check->Length ||
      static_cast<size_t>(Record - check->Begin) > check->Length - Length)
    abort();
  for (DWORD at = 0; at < Length; ++at) check->Sum = static_cast<uint8_t>(check->Sum + Record[at]);
  return NOERROR;
}

// The value in a memory block of exactly its size, walked and converted.
void WalkAlone(const TValue& Value) {
  TMemoryHandle block;
  const size_t size = 2 + Value.Bytes.size();
  if (OSMemAlloc(0, static_cast<DWORD>(size), block.Receive()) != NOERROR) abort();
  TWalkCheck check{nullptr, size, 0};
  {
    TNotesLock lock(block.Get());
    std::memcpy(lock.Data(), &Value.Type, 2);
    std::memcpy(lock.Data() + 2, Value.Bytes.data(), Value.Bytes.size());
    check.Begin = lock.Data();
    EnumCompositeBuffer(BLOCKID{block.Get(), NULLBLOCK}, static_cast<DWORD>(size), CheckRecord,
                        &check);
  }
  TMemoryHandle text;
  DWORD length = 0;
  ConvertItemToText(BLOCKID{block.Get(), NULLBLOCK}, static_cast<DWORD>(size), "\r\n", 0,
                    text.Receive(), &length, FALSE);
}

void ReadNote(TNotesDocument& Note) {
  try {
    const auto body = TNotesRichTextItem::Create(Note, "Body");
    for (int index = 0; index <= body->GetLinkCount(); ++index) body->GetLink(index);
    for (int index = 0; index < body->GetAttachmentCount(); ++index) body->GetAttachment(index);
    body->GetRichText();
    uint8_t sum = 0;
    body->ReadItem([&](TNotesRichTextItem&, const char* Record, WORD, DWORD Length) -> WORD {
      for (DWORD at = 0; at < Length; ++at) sum = static_cast<uint8_t>(sum + Record[at]);
      return 0;
    });
  } catch (const Exception&) {
  }
}

// Whole records appended, or nothing and an error.
void AppendRaw(TNotesDocument& Note, const std::string& Bytes) {
  const NOTEHANDLE note = Note.NoteHandle();
  try {
    HugeNSFRTFItemAppend(note, 0, "Raw", 3, Bytes.data(), static_cast<DWORD>(Bytes.size()));
  } catch (const ELotusNotes&) {
    if (!ItemValuesAfter(note, "Raw", BLOCKID{}).empty()) abort();
    return;
  }
  std::string joined;
  for (const TItemValue& item : ItemValuesAfter(note, "Raw", BLOCKID{})) {
    TNotesLock lock(item.Value);
    joined.append(lock.Data() + 2, item.Length - 2);
    TWalkCheck check{lock.Data(), item.Length, 0};
    if (EnumCompositeBuffer(item.Value, item.Length, CheckRecord, &check) != NOERROR) abort();
  }
  if (joined != Bytes) abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Start();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size < 4) return 0;
  const DWORD handles = NotesRTOpenHandleCount(NOTESRT_HANDLE_KINDS);
  const std::vector<TValue> values = Values(Data, Size);
  {
    TNotesDocument note(*Scratch);
    for (const TValue& value : values) {
      WalkAlone(value);
      NSFItemAppend(note.NoteHandle(), 0, value.Name.data(), static_cast<WORD>(value.Name.size()),
                    value.Type, value.Bytes.data(), static_cast<DWORD>(value.Bytes.size()));
    }
    ReadNote(note);
    AppendRaw(note, std::string(reinterpret_cast<const char*>(Data) + 4, Size - 4));
  }
  if (NotesRTOpenHandleCount(NOTESRT_HANDLE_KINDS) != handles) abort();
  return 0;
}
