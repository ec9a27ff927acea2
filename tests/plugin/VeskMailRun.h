#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ChildProcess.h"

// Running vesk-mail as a child process, the way a user runs it.
using TRun = vesktest::CommandRun;

std::string Quoted(const std::string& Text);
// Runs vesk-mail with Arguments under "env" with EnvArguments (variables to unset or set);
// stderr is left out of the output unless WithErrors.
TRun RunVeskMail(const std::string& EnvArguments, const std::string& Arguments,
                 bool WithErrors = true);
std::string ReadFile(const std::filesystem::path& File);
bool Contains(const std::string& Text, const std::string& Part);
// Whether Text holds every one of Parts; a failure names the first part missing and shows Text.
testing::AssertionResult Has(const std::string& Text, const std::vector<std::string>& Parts);
// Whether Run ended with exit code 1 and its output holds every one of Parts.
testing::AssertionResult Fails(const TRun& Run, const std::vector<std::string>& Parts);
