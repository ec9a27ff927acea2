#include "VeskMailRun.h"

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>

std::string Quoted(const std::string& Text) {
  return "'" + Text + "'";
}

TRun RunVeskMail(const std::string& EnvArguments, const std::string& Arguments, bool WithErrors) {
  std::string Command = "env " + EnvArguments + " " + Quoted(VESK_MAIL_PROGRAM) + " " + Arguments +
                        (WithErrors ? " 2>&1" : " 2>/dev/null");
  FILE* Pipe = popen(Command.c_str(), "r");
  if (!Pipe) return {-1, "popen failed"};
  std::string Output;
  char Buffer[4096];
  for (size_t Read; (Read = fread(Buffer, 1, sizeof Buffer, Pipe)) > 0;)
    Output.append(Buffer, Read);
  int Status = pclose(Pipe);
  return {WIFEXITED(Status) ? WEXITSTATUS(Status) : -1, Output};
}

std::string ReadFile(const std::filesystem::path& File) {
  std::ifstream Stream(File);
  std::ostringstream Text;
  Text << Stream.rdbuf();
  return Text.str();
}

bool Contains(const std::string& Text, const std::string& Part) {
  return Text.find(Part) != std::string::npos;
}
