#include "TDemoEnvironment.h"

#include <cstdlib>
#include <fstream>
#include <system_error>

#include "DemoContent.h"
#include "Exception.h"
#include "TDemoMail.h"
#include "TFolderLock.h"
#include "TNotesSessionScope.h"
#include "notesapi/notesrt.h"

namespace {

// Left in a folder while the world in it is being made: a folder holding it is vesk-mail's own.
const char* const IncompleteMarker = "demo.incomplete";

// Without a trailing separator, so that the folder has a name to put the workshop beside.
std::filesystem::path FolderPath(const std::filesystem::path& Root) {
  std::filesystem::path folder = std::filesystem::absolute(Root).lexically_normal();
  if (folder.filename().empty() && folder.has_relative_path()) folder = folder.parent_path();
  return folder;
}

bool IsEmptyFolder(const std::filesystem::path& Folder) {
  return std::filesystem::is_directory(Folder) && std::filesystem::is_empty(Folder);
}

}  // namespace

TDemoEnvironment::TDemoEnvironment(const std::filesystem::path& Root, std::ostream& Progress)
    : FRoot(FolderPath(Root)), FProgress(Progress) {}

bool TDemoEnvironment::HasSettings() const {
  return std::filesystem::exists(IniFile()) && !std::filesystem::exists(FRoot / IncompleteMarker);
}

void TDemoEnvironment::Provide() {
  if (HasSettings()) return;
  std::filesystem::create_directories(FRoot);
  TFolderLock lock(FRoot, FProgress);
  // Another run may have made the world while this one waited.
  if (HasSettings()) return;
  RefuseUnusableRoot();
  FProgress << "Creating the demo Notes environment in " << FRoot.string() << "\n";
  ClearOldWorkshop();
  const std::filesystem::path workshop = Workshop();
  std::filesystem::create_directory(workshop);
  try {
    Make(workshop);
    std::filesystem::rename(workshop, FRoot);
  } catch (...) {
    // Only the workshop goes: everything in it was written by this run.
    std::error_code ignored;
    std::filesystem::remove_all(workshop, ignored);
    throw;
  }
  FProgress << "Demo environment ready: " << IniFile().string() << "\n";
}

void TDemoEnvironment::RefuseUnusableRoot() const {
  if (std::filesystem::exists(FRoot / IncompleteMarker))
    throw Exception(FRoot.string() + " holds a demo environment that an earlier vesk-mail left " +
                    "half-made (" + IncompleteMarker +
                    "): remove the folder or choose another one with --env");
  if (!IsEmptyFolder(FRoot))
    throw Exception(FRoot.string() +
                    " is not empty and has no Notes settings (notes.ini): vesk-mail makes its "
                    "demo environment only in a new or empty folder; choose one with --env");
}

// Beside Root, on the same file system, so that the finished world is renamed into place.
std::filesystem::path TDemoEnvironment::Workshop() const {
  return FRoot.parent_path() / ("." + FRoot.filename().string() + ".demo-in-progress");
}

// A workshop left by a run that was killed: it can be only that one's, since the lock on Root
// is held now, and it is removed only when its marker says vesk-mail made it.
void TDemoEnvironment::ClearOldWorkshop() const {
  const std::filesystem::path workshop = Workshop();
  if (!std::filesystem::exists(workshop)) return;
  if (!std::filesystem::exists(workshop / IncompleteMarker))
    throw Exception(workshop.string() +
                    " exists and was not made by vesk-mail: move it away to make the demo "
                    "environment in " +
                    FRoot.string());
  std::filesystem::remove_all(workshop);
}

// The world is made with settings that point into Folder, and left with settings that point
// into Root, where it is going to live.
void TDemoEnvironment::Make(const std::filesystem::path& Folder) {
  std::ofstream(Folder / IncompleteMarker) << "The demo environment is being made.\n";
  WriteSettings(Folder, Folder);
  setenv(NOTESRT_INI_ENV, (Folder / "notes.ini").c_str(), 1);
  {
    TNotesSessionScope session;
    Populate(Folder);
  }
  WriteSettings(Folder, FRoot);
  std::filesystem::remove(Folder / IncompleteMarker);
}

void TDemoEnvironment::WriteSettings(const std::filesystem::path& Folder,
                                     const std::filesystem::path& Home) const {
  std::filesystem::create_directories(Folder / "data");
  std::filesystem::create_directories(Folder / "servers");
  const TPersonFields& user = DemoContent::People().front();
  const std::filesystem::path file = Folder / "notes.ini";
  std::ofstream ini(file);
  ini << "[Notes]\n"
      << "Directory=" << (Home / "data").string() << "\n"
      << "MailServer=" << DemoContent::Server << "\n"
      << "MailFile=" << user.MailFile << "\n"
      << "NAMES=names.nsf\n"
      << "Ports=TCPIP\n"
      << NOTESRT_USER_NAME_VAR << "=" << user.FullName << "\n"
      << NOTESRT_SERVERS_DIR_VAR << "=" << (Home / "servers").string() << "\n"
      << NOTESRT_BUILTIN_FILTER_SETTINGS;
  if (!ini.flush()) throw Exception("Cannot write " + file.string());
}

void TDemoEnvironment::Populate(const std::filesystem::path& Folder) {
  TDemoMail mail(Folder / "attachments", FProgress);
  mail.CreateServer();
  mail.CreateMailFiles();
  mail.SendSamples();
  mail.Route();
  mail.WriteDrafts();
  mail.MakeLocalReplicas();
  std::filesystem::remove_all(Folder / "attachments");
}
