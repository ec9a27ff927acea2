// Helper process for the reliability tests: saves documents into one database in a loop and
// reports each save on stdout once NSFNoteUpdate has returned. Exits with the failing status
// (or 0 after Count saves).
//   storage_child <database> <first index> <count>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ChildDocument.h"
#include "notesapi/nsfdb.h"
#include "notesapi/nsfnote.h"

namespace {

STATUS SaveOne(DBHANDLE Db, long Index, NOTEID& Id) {
  NOTEHANDLE note = NULLHANDLE;
  if (STATUS status = NSFNoteCreate(Db, &note)) return status;
  STATUS status = childdoc::Fill(note, Index);
  if (!status) status = NSFNoteUpdate(note, UPDATE_NOCOMMIT);
  NSFNoteGetInfo(note, _NOTE_ID, &Id);
  NSFNoteClose(note);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  if (NotesInit() != NOERROR) return 3;
  DBHANDLE db = NULLHANDLE;
  STATUS status = NSFDbOpen(argv[1], &db);
  long first = std::atol(argv[2]), count = std::atol(argv[3]);
  for (long index = first; status == NOERROR && index < first + count; ++index) {
    NOTEID id = 0;
    status = SaveOne(db, index, id);
    if (status == NOERROR) {
      std::printf("%ld %u\n", index, id);
      std::fflush(stdout);
    }
  }
  if (db) NSFDbClose(db);
  NotesTerm();
  if (status) std::fprintf(stderr, "status 0x%04X\n", status);
  return status ? 1 : 0;
}
