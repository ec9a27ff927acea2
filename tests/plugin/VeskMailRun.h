#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "FileText.h"

// Running vesk-mail as a child process, the way a user runs it.
using TRun = vesktest::CommandRun;

inline std::string Quoted(const std::string& Text) {
  return "'" + Text + "'";
}
// Runs vesk-mail with Arguments under "env" with EnvArguments (variables to unset or set);
// stderr is left out of the output unless WithErrors.
inline TRun RunVeskMail(const std::string& EnvArguments, const std::string& Arguments,
                        bool WithErrors = true) {
  return vesktest::RunCommand("env " + EnvArguments + " " + Quoted(VESK_MAIL_PROGRAM) + " " +
                              Arguments + (WithErrors ? " 2>&1" : " 2>/dev/null"));
}
inline std::string ReadFile(const std::filesystem::path& File) {
  return vesktest::ReadFileText(File);
}
inline bool Contains(const std::string& Text, const std::string& Part) {
  return Text.find(Part) != std::string::npos;
}
// Whether Text holds every one of Parts; a failure names the first part missing and shows Text.
inline testing::AssertionResult Has(const std::string& Text,
                                    const std::vector<std::string>& Parts) {
  for (const std::string& Part : Parts)
    if (!Contains(Text, Part))
      return testing::AssertionFailure() << "no " << Part << " in\n" << Text;
  return testing::AssertionSuccess();
}
// Whether Run ended with exit code 1 and its output holds every one of Parts.
inline testing::AssertionResult Fails(const TRun& Run, const std::vector<std::string>& Parts) {
  if (Run.ExitCode != 1)
    return testing::AssertionFailure() << "exit code " << Run.ExitCode << " of\n" << Run.Output;
  return Has(Run.Output, Parts);
}
