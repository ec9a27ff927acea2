#pragma once

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "NotesApi.h"
#include "Object.h"
#include "StringList.h"

// What a directory search returns: databases, templates, subdirectories.
enum TNotesFindOption { nfoFiles, nfoTemplates, nfoSubDirs };
using TNotesFindOptions = std::set<TNotesFindOption>;

// One entry of a data directory. Texts are cut to 255 characters.
struct TNotesDirEntry {
  // The entry's file or folder name; an entry Notes gives no title is named after its path.
  std::string Title;
  bool IsDir = false;
  // A database's title (the information buffer up to its class), trimmed.
  std::string Info;
  // Where the entry is, relative to the data directory ("mail/jdoe.nsf").
  std::string Path;
};

// Lists a Notes data directory, locally or on a server, entry by entry as a file search does;
// also the client's network ports and the servers known on them. FindFirst reads and sorts the
// whole directory; FindNext hands out copies; the search closes itself after its last entry.
class TNotesDirectory : public TObject {
 public:
  TNotesDirectory() = default;
  ~TNotesDirectory() override;
  TNotesDirectory(const TNotesDirectory&) = delete;
  TNotesDirectory& operator=(const TNotesDirectory&) = delete;

  // Server "" or "Local" (any case) is this machine; Path is relative to the data directory
  // ("" its root). No options mean {nfoFiles}. False, with nothing left open, for an empty
  // result.
  bool FindFirst(const std::string& Server, const std::string& Path,
                 const TNotesFindOptions& Options, TNotesDirEntry& Entry);
  // False, and the search closed, past the last entry (Entry unchanged).
  bool FindNext(TNotesDirEntry& Entry);
  // Safe when nothing is open.
  void FindClose();
  bool SearchOpen() const { return FDirHandle != NULLHANDLE; }

  // The ports of the client setting "Ports", read on first use; owned by this object.
  TStringList& GetPorts();
  // "Local" then the abbreviated names of the servers known on Port ("" for every port).
  void ListServers(const std::string& Port, TStringList& List);

 private:
  TStringList FPorts;
  DBHANDLE FDirHandle = NULLHANDLE;
  std::string FServer;
  std::string FPath;
  TNotesFindOptions FOptions;
  std::vector<TNotesDirEntry> FEntries;
  size_t FPosition = 0;
};
