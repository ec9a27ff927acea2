#include "NotesRichText.h"

#include "NotesPaths.h"

namespace {

std::string ProgramDir;
std::string DataDir;

}  // namespace

void NotesRichTextInitialize() {
  ProgramDir = GetActualNotesDir(DataDir);
}

void NotesRichTextFinalize() {
  ProgramDir.clear();
  DataDir.clear();
}

const std::string& NotesProgramDir() {
  return ProgramDir;
}
const std::string& NotesDataDir() {
  return DataDir;
}
