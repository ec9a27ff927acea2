#pragma once

#include <string>

#include "NotesApi.h"
#include "notesapi/ixport.h"

// The Notes client's filter libraries: the settings that list them, running an import, and
// storing what an import wrote.

// Result codes of RunImportFilter and AppendCDFile besides 0 and Notes statuses.
constexpr int ImportLibraryNotLoaded = -4;
constexpr int ImportNoEntryPoint = -5;
constexpr int ImportFilterFailed = -6;
constexpr int AppendNullNote = -7;
constexpr int AppendNoFile = -8;
constexpr int AppendOpenFailed = -9;
constexpr int AppendReadFailed = -14;

// The library of the first setting Prefix1 ... Prefix255 whose display name is FilterName
// (without regard to case), or, when FilterName is empty, whose extension list holds Extension
// (upper-cased, anywhere in the list). A leading "_" of the library becomes "N". "" when none.
std::string FindNotesFilter(const std::string& Prefix, const std::string& FilterName,
                            const std::string& Extension);

// Appends the CD records of a file (after its TYPE_COMPOSITE word, if any) to the note as
// TYPE_COMPOSITE items named ItemName (LMBCS), the first opened by a paragraph with the default
// paragraph definition. Items hold whole records and take up to 40,000 bytes; an item ends
// early before a paragraph outside any table or hotspot when one lies in its second half, and a
// record that does not fit the rest of an item goes alone into the next. 0, a code above, or a
// Notes status (damaged records, a record over the item limit, a failed append). All or nothing:
// on failure no item is left behind.
int AppendCDFile(NOTEHANDLE NoteHandle, const std::string& CDFileName, const std::string& ItemName);

// A filter library loaded with OSLoadLibrary, unloaded on every path.
class TFilterLibrary {
 public:
  TFilterLibrary() = default;
  ~TFilterLibrary();
  TFilterLibrary(const TFilterLibrary&) = delete;
  TFilterLibrary& operator=(const TFilterLibrary&) = delete;

  // OSLoadLibrary's status; the entry point may still be missing.
  STATUS Load(const std::string& Library);
  IXENTRYPROC Entry() const { return FEntry; }

 private:
  HMODULE FModule = nullptr;
  IXENTRYPROC FEntry = nullptr;
};

// The font ID filters get for text: face 1 (sans-serif), 10 points, no attributes, colour 0.
DWORD DefaultFilterFontID();

// Runs the import filter FilterLibrary on FileName into a new temporary file, whose name comes
// back in OutputFileName (the caller deletes it). 0, or ImportLibraryNotLoaded,
// ImportNoEntryPoint, or ImportFilterFailed with the filter's status in FilterStatus; on
// failure no temporary file is left.
int RunImportFilter(const std::string& FilterLibrary, const std::string& FileName,
                    std::string& OutputFileName, STATUS& FilterStatus);
