#pragma once

#include <filesystem>
#include <string>

// Running vesk-mail as a child process, the way a user runs it.
struct TRun {
  int ExitCode;
  std::string Output;  // stdout and stderr
};

std::string Quoted(const std::string& Text);
// Runs vesk-mail with Arguments under "env" with EnvArguments (variables to unset or set);
// stderr is left out of the output unless WithErrors.
TRun RunVeskMail(const std::string& EnvArguments, const std::string& Arguments,
                 bool WithErrors = true);
std::string ReadFile(const std::filesystem::path& File);
bool Contains(const std::string& Text, const std::string& Part);
