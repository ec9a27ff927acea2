// The process the router reliability test runs and kills: one router pass over the mailbox of
// the server named on the command line, in the test's environment (notes.ini comes through the
// environment). Exits 0 when the pass completed.
#include "notesapi/global.h"
#include "notesapi/notesrt.h"

int main(int argc, char** argv) {
  if (argc != 2 || NotesInit() != NOERROR) return 2;
  STATUS status = NotesRTRouteMail(argv[1], nullptr, nullptr, nullptr, nullptr);
  NotesTerm();
  return status == NOERROR ? 0 : 1;
}
