#pragma once

#include <string>

#include "notesapi/ixport.h"

// An RTF filter library loaded through OSLoadLibrary, as the rich-text library loads it; freed
// at the end.
class TRtfFilter {
 public:
  explicit TRtfFilter(const char* Name);
  ~TRtfFilter();
  TRtfFilter(const TRtfFilter&) = delete;
  TRtfFilter& operator=(const TRtfFilter&) = delete;

  // Null when the library did not load.
  IXENTRYPROC Entry() const { return FEntry; }
  // The import entry point on RtfFile, writing CD records to CdFile; true on success.
  bool Import(const std::string& RtfFile, const std::string& CdFile) const;
  // The export entry point on CdFile, writing RTF to RtfFile; true on success.
  bool Export(const std::string& CdFile, const std::string& RtfFile) const;

 private:
  HMODULE FModule = nullptr;
  IXENTRYPROC FEntry = nullptr;
};
