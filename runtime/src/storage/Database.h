#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <typeindex>

#include "notesapi/nsfdb.h"
#include "storage/DbFile.h"
#include "storage/NoteObservers.h"
#include "storage/NoteReadAhead.h"
#include "storage/NoteStore.h"
#include "storage/ObjectStore.h"
#include "storage/UnreadStore.h"

namespace notesrt {

// The database header: identity, information buffer, change counter.
struct TDbHeader {
  DBREPLICAINFO Replica{};
  DBID DbId{};
  WORD DbClass = 0;
  std::string Info;
  // Bumped by every note update or deletion (views and full text compare it later).
  int64_t ModCounter = 0;
  TIMEDATE Modified{};
};

// One open database file, shared by every handle and note of this process that uses it (so they
// see each other's writes) and kept alive by them: a note outlives the handle it came from.
// Nothing is cached across calls but notes read ahead under the file's commit mark, so writes by
// other processes are seen at once.
class TDatabase {
 public:
  // ERR_NOEXIST, ERR_NOT_NSF, ERR_NSF_VERSION as TDbFile::Open.
  static std::shared_ptr<TDatabase> Open(const std::filesystem::path& Path);
  // A new, closed database. Force replaces an existing file (ERR_NOTESRT_IN_USE while it is open
  // here); without it an existing file is ERR_EXISTS.
  static void Create(const std::filesystem::path& Path, WORD DbClass, bool Force);
  // Closes the database at Path where only the runtime keeps it open (address books, databases
  // lingering after their last handle), so that the file may be replaced.
  static void CloseUnused(const std::filesystem::path& Path);

  explicit TDatabase(std::filesystem::path Path, std::unique_ptr<TDbFile> File);
  ~TDatabase();
  TDatabase(const TDatabase&) = delete;
  TDatabase& operator=(const TDatabase&) = delete;

  const std::filesystem::path& Path() const { return FPath; }
  TDbFile& File() { return *FFile; }
  TNoteStore& Notes() { return FNotes; }
  TObjectStore& Objects() { return FObjects; }
  TUnreadStore& Unread() { return FUnread; }
  // Told of every note stored or deleted, inside the same write.
  TNoteObservers& Observers() { return FObservers; }

  // Runs Body in one write transaction of this file.
  template <class TBody>
  auto Write(TBody&& Body) {
    return FFile->Write(std::forward<TBody>(Body));
  }

  // The documents a collection lists, in its order: opened one after another, they are read
  // ahead in batches.
  void ExpectOpens(std::vector<NOTEID> Order) { FReadAhead.Expect(std::move(Order)); }
  // As TNoteStore::Load, for a note a caller opens.
  TNoteHeader LoadForOpen(NOTEID Id, std::string& Blob, std::vector<TItemView>& Items);

  // What the layers above derive from this file and keep while it is open (laid-out
  // collections): made on first use.
  template <class T>
  T& Derived() {
    std::shared_ptr<void>& slot = FDerived[std::type_index(typeid(T))];
    if (!slot) slot = std::make_shared<T>();
    return *static_cast<T*>(slot.get());
  }
  bool HasDerived() const { return !FDerived.empty(); }

  TDbHeader Header();
  // A fresh originator ID for a note of this database.
  ORIGINATORID NewOid();
  void SetInfo(std::string_view Info);
  void SetReplicaInfo(const DBREPLICAINFO& Replica);
  // Inside a write: the next note ID (multiples of 4 from 4, never 0, never handed out twice,
  // past every stored note and stub even when the header's counter says otherwise).
  // ERR_NOTESRT_NOTE_IDS_USED once the last ID is gone.
  NOTEID AllocateNoteId();
  // Inside a write: records a change to the notes and returns the new counter value.
  int64_t BumpCounter(const TIMEDATE& Now);

  // Deletes a note in one transaction: its items, objects and unread marks go, a deletion stub
  // stays unless NoStub. ERR_INVALID_NOTE for an unknown ID, ERR_NOTE_DELETED for a stub.
  void DeleteNote(NOTEID Id, bool NoStub);

 private:
  static void WriteNewHeader(TDbFile& File, WORD DbClass);
  int64_t NoteIdCounter();
  int64_t FirstFreeNoteId();
  bool NoteIdCounterSound();
  // Inside a write.
  void RepairNoteIdCounter();
  void CheckNoteIdCounter();

  std::filesystem::path FPath;
  std::unique_ptr<TDbFile> FFile;
  TNoteStore FNotes;
  TObjectStore FObjects;
  TUnreadStore FUnread;
  TNoteObservers FObservers;
  TNoteReadAhead FReadAhead;
  std::map<std::type_index, std::shared_ptr<void>> FDerived;
  // Seeded once per open file: a random device read for every note would cost more than the
  // note's save.
  std::mt19937_64 FRandom;
};

}  // namespace notesrt
