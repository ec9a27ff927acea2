#include "RunProblems.h"

#include <atomic>
#include <iostream>

#include "TerminalText.h"
#include "notesapi/notesrt.h"

namespace {

// The runtime's log handler is a plain function: the count lives beside it for the program's run.
std::atomic<int> ProblemCount{0};

void OnLogLine(const char* Line) {
  TRunProblems::Report(Line);
}

}  // namespace

TRunProblems::TRunProblems() {
  NotesRTSetLogHandler(OnLogLine);
}

TRunProblems::~TRunProblems() {
  NotesRTSetLogHandler(nullptr);
}

void TRunProblems::Report(const std::string& Text) {
  ++ProblemCount;
  std::cerr << "vesk-mail: " << TerminalText(Text) << "\n";
}

bool TRunProblems::Any() {
  return ProblemCount > 0;
}
