#include "NotesRichText.h"

#include <memory>

#include "NotesPaths.h"
#include "TempFiles.h"

namespace {

std::string ProgramDir;
std::string DataDir;
// Made at the first temporary file; its files hold mail text, so it goes at shutdown (or at the
// process's end, for programs that never shut the unit down).
std::unique_ptr<TPrivateTempDir> TempDir;

}  // namespace

// What killed processes left goes at the start, not at the first temporary file: their files
// hold mail text, and a program may make none.
void NotesRichTextInitialize() {
  ProgramDir = GetActualNotesDir(DataDir);
  TPrivateTempDir::RemoveStale(TPrivateTempDir::DefaultBase());
}

void NotesRichTextFinalize() {
  ProgramDir.clear();
  DataDir.clear();
  TempDir.reset();
}

std::string RichTextTempFile(const std::string& Prefix, const std::string& Suffix) {
  if (!TempDir) TempDir = std::make_unique<TPrivateTempDir>();
  return TempDir->CreateFile(Prefix, Suffix);
}

const std::string& NotesProgramDir() {
  return ProgramDir;
}
const std::string& NotesDataDir() {
  return DataDir;
}
