#include "TDemoEnvironment.h"

#include <cstdlib>
#include <fstream>

#include "DemoContent.h"
#include "Exception.h"
#include "TDemoMail.h"
#include "TNotesSessionScope.h"
#include "notesapi/notesrt.h"

TDemoEnvironment::TDemoEnvironment(const std::filesystem::path& Root, std::ostream& Progress)
    : FRoot(std::filesystem::absolute(Root)), FProgress(Progress) {}

bool TDemoEnvironment::Exists() const {
  return std::filesystem::exists(IniFile()) && !std::filesystem::exists(IncompleteMarker());
}

void TDemoEnvironment::Provide() {
  if (Exists()) return;
  FProgress << "Creating the demo Notes environment in " << FRoot.string() << "\n";
  StartAfresh();
  WriteSettings();
  setenv(NOTESRT_INI_ENV, IniFile().c_str(), 1);
  {
    TNotesSessionScope session;
    Populate();
  }
  std::filesystem::remove(IncompleteMarker());
  FProgress << "Demo environment ready: " << IniFile().string() << "\n";
}

// Only what a demo run makes goes, and only when that run did not finish.
void TDemoEnvironment::StartAfresh() {
  std::filesystem::create_directories(FRoot);
  if (std::filesystem::exists(IncompleteMarker())) {
    for (const char* made : {"data", "servers", "notes.ini"})
      std::filesystem::remove_all(FRoot / made);
  }
  std::ofstream(IncompleteMarker()) << "The demo environment is being made.\n";
}

void TDemoEnvironment::WriteSettings() const {
  std::filesystem::create_directories(FRoot / "data");
  std::filesystem::create_directories(FRoot / "servers");
  const TPersonFields& user = DemoContent::People().front();
  std::ofstream ini(IniFile());
  ini << "[Notes]\n"
      << "Directory=" << (FRoot / "data").string() << "\n"
      << "MailServer=" << DemoContent::Server << "\n"
      << "MailFile=" << user.MailFile << "\n"
      << "NAMES=names.nsf\n"
      << NOTESRT_USER_NAME_VAR << "=" << user.FullName << "\n"
      << NOTESRT_SERVERS_DIR_VAR << "=" << (FRoot / "servers").string() << "\n";
  if (!ini.flush()) throw Exception("Cannot write " + IniFile().string());
}

void TDemoEnvironment::Populate() {
  TDemoMail mail(FRoot / "attachments", FProgress);
  mail.CreateServer();
  mail.CreateMailFiles();
  mail.SendSamples();
  mail.Route();
  mail.WriteDrafts();
  mail.MakeLocalReplicas();
  std::filesystem::remove_all(FRoot / "attachments");
}
