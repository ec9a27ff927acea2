#include "VeskMailRun.h"

#include "FileText.h"

std::string Quoted(const std::string& Text) {
  return "'" + Text + "'";
}

TRun RunVeskMail(const std::string& EnvArguments, const std::string& Arguments, bool WithErrors) {
  std::string Command = "env " + EnvArguments + " " + Quoted(VESK_MAIL_PROGRAM) + " " + Arguments +
                        (WithErrors ? " 2>&1" : " 2>/dev/null");
  return vesktest::RunCommand(Command);
}

std::string ReadFile(const std::filesystem::path& File) {
  return vesktest::ReadFileText(File);
}

bool Contains(const std::string& Text, const std::string& Part) {
  return Text.find(Part) != std::string::npos;
}

testing::AssertionResult Has(const std::string& Text, const std::vector<std::string>& Parts) {
  for (const std::string& Part : Parts)
    if (!Contains(Text, Part))
      return testing::AssertionFailure() << "no " << Part << " in\n" << Text;
  return testing::AssertionSuccess();
}

testing::AssertionResult Fails(const TRun& Run, const std::vector<std::string>& Parts) {
  if (Run.ExitCode != 1)
    return testing::AssertionFailure() << "exit code " << Run.ExitCode << " of\n" << Run.Output;
  return Has(Run.Output, Parts);
}
