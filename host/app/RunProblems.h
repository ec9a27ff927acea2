#pragma once

#include <string>

// What went wrong on the way while a command still got its work done: the lines of the Notes
// runtime's log (a damaged file set aside or repaired, an index rebuilt, a note it could not
// read) and the plug-in's status messages (a mail it could not list). Each is written to stderr
// at once; a command that met any ends with exit status 2, "done, with problems".
class TRunProblems {
 public:
  // Receives the runtime's log lines for as long as it lives; the runtime must be started.
  TRunProblems();
  ~TRunProblems();
  TRunProblems(const TRunProblems&) = delete;
  TRunProblems& operator=(const TRunProblems&) = delete;

  static void Report(const std::string& Text);
  static bool Any();
};
