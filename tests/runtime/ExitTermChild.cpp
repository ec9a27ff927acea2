// Helper process for the shutdown test: leaves a database, a note, a memory block and an ID
// table open and calls NotesTerm only from a static object's destructor, as a host does that
// shuts the runtime down from its own globals.
//   exit_term_child <database>
#include <cstdio>

#include "notesapi/idtable.h"
#include "notesapi/nsfdb.h"
#include "notesapi/nsfnote.h"
#include "notesapi/osmem.h"

namespace {

// Made before main, so destroyed after every static the runtime makes on first use.
struct TermAtExit {
  ~TermAtExit() { NotesTerm(); }
} termAtExit;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || NotesInit() != NOERROR) return 2;
  DBHANDLE db = NULLHANDLE;
  NOTEHANDLE note = NULLHANDLE;
  DHANDLE memory = NULLHANDLE, table = NULLHANDLE;
  if (NSFDbOpen(argv[1], &db) || NSFNoteCreate(db, &note) || OSMemAlloc(0, 64, &memory) ||
      IDCreateTable(0, &table))
    return 3;
  std::puts("open");
  return 0;
}
