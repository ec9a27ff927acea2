#pragma once

#include <cstdint>
#include <string>

// The property to read: always named by its property identifier (kind 1).
struct TPropSpec {
  uint32_t Kind = 1;
  uint32_t PropId = 0;
};

// The summary information (author, title, subject, last author, template, time last saved) of a
// compound document, so that the host can describe a dropped file. The file is opened read-only
// and closed before GetSummaryInfo returns: read-only files work, and a user's document is never
// held. It writes nothing.
class TOSDocSummary {
 public:
  TOSDocSummary() = default;
  explicit TOSDocSummary(const std::string& FileName);

  // Reads the six properties; false, with IsSSFile false, for a file that is no compound
  // document or whose summary cannot be read (the properties read before keep their values).
  bool GetSummaryInfo(const std::string& FileName);
  void FillPropertySpec(uint32_t PropId);
  // Writing is not offered: false, nothing changed.
  bool SetSubject(const std::string& Value);

  const std::string& Author() const { return FAuthor; }
  const std::string& Title() const { return FTitle; }
  const std::string& Subject() const { return FSubject; }
  const std::string& LastAuthor() const { return FLastAuthor; }
  const std::string& Template() const { return FTemplate; }
  // "%d.%d.%d um %d:%d Uhr" in local time; empty when the document has no save time.
  const std::string& LastSaved() const { return FLastSaved; }
  bool IsSSFile() const { return FIsSSFile; }
  const std::string& FileName() const { return FFileName; }
  const TPropSpec& PropSpec() const { return FPropSpec; }

 private:
  TPropSpec FPropSpec;
  std::string FAuthor, FTitle, FSubject, FLastAuthor, FTemplate, FLastSaved;
  bool FIsSSFile = false;
  std::string FFileName;
};

// A file time (100 ns since 1601, UTC) as "%d.%d.%d um %d:%d Uhr" in local time; empty for 0.
std::string FormatSaveTime(uint64_t FileTime);
