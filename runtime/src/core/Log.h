#pragma once

#include <string_view>

#include "notesapi/notesrt.h"

namespace notesrt {

// The runtime's log: one line for each thing it found wrong and what it did about it (a damaged
// file set aside, an index rebuilt, a note it could not read). A line is appended to
// notesrt.log in the data directory, when there is one and it can be written, and handed to the
// handler a program installed. Callers hold the API lock.
class TLog {
 public:
  static TLog& Instance();

  void Write(std::string_view Text);
  void SetHandler(NOTESRT_LOG_HANDLER Handler) { FHandler = Handler; }

 private:
  TLog() = default;
  NOTESRT_LOG_HANDLER FHandler = nullptr;
};

// Shorthand for TLog::Instance().Write.
void LogLine(std::string_view Text);

}  // namespace notesrt
