#include "core/Log.h"

#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/ApiCall.h"
#include "core/Settings.h"

namespace notesrt {

namespace {

const char* const LogFileName = "notesrt.log";

std::string Timestamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof(text), "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

// A log that cannot be written must not make the work that found the problem fail as well.
void AppendToFile(const std::string& Line) {
  const std::string directory = TSettings::Instance().Get("Directory").value_or("");
  if (directory.empty()) return;
  std::ofstream(std::filesystem::path(directory) / LogFileName, std::ios::app) << Line << "\n";
}

}  // namespace

TLog& TLog::Instance() {
  static TLog& log = *new TLog;
  return log;
}

void TLog::Write(std::string_view Text) {
  const std::string text(Text);
  try {
    AppendToFile(Timestamp() + " " + text);
  } catch (...) {
  }
  if (FHandler) FHandler(text.c_str());
}

void LogLine(std::string_view Text) {
  TLog::Instance().Write(Text);
}

}  // namespace notesrt

void LNPUBLIC NotesRTSetLogHandler(NOTESRT_LOG_HANDLER Handler) {
  notesrt::ApiVoidCall([&] { notesrt::TLog::Instance().SetHandler(Handler); });
}
