// The address books in use and the user's own address book, for TNotesDatabase.
#include <cstring>

#include "ELotusNotes.h"
#include "NotesCharset.h"
#include "NotesEnvironment.h"
#include "NotesHandle.h"
#include "NotesLock.h"
#include "StringList.h"
#include "TNotesDatabase.h"

namespace {

const char* const DefaultAddressBook = "NAMES.NSF";

// The next NUL-terminated string of a NAMEGetAddressBooks list, never read past End.
std::string NextString(const char*& At, const char* End) {
  const char* terminator = static_cast<const char*>(std::memchr(At, '\0', End - At));
  if (!terminator) throw ELotusNotes(-1, "The list of address books is damaged");
  std::string text(At, terminator);
  At = terminator + 1;
  return text;
}

std::string Trimmed(const std::string& Text) {
  const size_t start = Text.find_first_not_of(" \t");
  if (start == std::string::npos) return "";
  return Text.substr(start, Text.find_last_not_of(" \t") - start + 1);
}

}  // namespace

void TNotesDatabase::ListAddressBooks(const std::string& Server, TStringList& List,
                                      bool WithTitles) {
  const std::string server = Native2Lmbcs(Server);
  WORD count = 0, length = 0;
  TMemoryHandle books;
  CheckNotesStatus(NAMEGetAddressBooks(server.empty() ? nullptr : server.c_str(),
                                       WithTitles ? NAME_GET_AB_TITLES | NAME_DEFAULT_TITLES : 0,
                                       &count, &length, books.Receive()));
  if (!books) return;
  TNotesLock lock(books.Get());
  if (!lock.Data()) throw ELotusNotes(-1, "The list of address books cannot be read");
  const char* at = lock.Data();
  const char* end = at + length;
  for (WORD index = 0; index < count; ++index) {
    std::string entry = Lmbcs2Native(NextString(at, end));
    if (WithTitles) entry += "=" + Lmbcs2Native(NextString(at, end));
    List.Add(entry);
  }
}

bool TNotesDatabase::OpenPrivateAddressBook() {
  const std::string names = NotesEnvironmentString("NAMES");
  std::string fileName = Trimmed(names.substr(0, names.find(',')));
  if (fileName.empty()) fileName = DefaultAddressBook;
  Close();
  return Open("", Lmbcs2Native(fileName));
}
