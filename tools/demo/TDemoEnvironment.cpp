#include "TDemoEnvironment.h"

#include <fcntl.h>
#include <stdio.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
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
// Left in a finished world: which build of the demo made it. Raise the version whenever the
// demo's content changes, so that worlds made by earlier builds are made afresh.
const char* const VersionMarker = "demo.version";
constexpr int DemoVersion = 2;

std::string FileText(const std::filesystem::path& File) {
  std::ifstream in(File, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

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
  return std::filesystem::exists(IniFile()) && !std::filesystem::exists(FRoot / IncompleteMarker) &&
         !IsEarlierDemo();
}

// A finished world of an earlier build: its marker names an older version, or, from the builds
// before the marker, it has none and its settings are exactly those the demo writes for Root.
bool TDemoEnvironment::IsEarlierDemo() const {
  const std::filesystem::path marker = FRoot / VersionMarker;
  if (std::filesystem::exists(marker)) return std::atoi(FileText(marker).c_str()) < DemoVersion;
  return std::filesystem::exists(IniFile()) && FileText(IniFile()) == Settings(FRoot);
}

void TDemoEnvironment::Provide() {
  if (HasSettings()) return;
  std::filesystem::create_directories(FRoot);
  TFolderLock lock(FRoot, FProgress);
  // Another run may have made the world while this one waited.
  if (HasSettings()) return;
  const bool replacing = IsEarlierDemo();
  if (!replacing) RefuseUnusableRoot();
  FProgress << (replacing ? "Replacing the demo Notes environment of an earlier vesk-mail in "
                          : "Creating the demo Notes environment in ")
            << FRoot.string() << "\n";
  ClearOldWorkshop();
  const std::filesystem::path workshop = Workshop();
  std::filesystem::create_directory(workshop);
  try {
    Make(workshop);
    if (replacing)
      Replace(workshop);
    else
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

// The new world takes Root's place in one step; the earlier one, now in the workshop, is marked
// as vesk-mail's own before it is removed, so that a run killed meanwhile leaves it removable.
void TDemoEnvironment::Replace(const std::filesystem::path& Workshop) const {
  if (renameat2(AT_FDCWD, Workshop.c_str(), AT_FDCWD, FRoot.c_str(), RENAME_EXCHANGE) != 0)
    throw Exception("Cannot replace the demo environment in " + FRoot.string() + ": " +
                    std::strerror(errno));
  std::ofstream(Workshop / IncompleteMarker) << "An earlier demo environment is being removed.\n";
  RemoveOwnFolder(Workshop);
}

// The marker goes last.
void TDemoEnvironment::RemoveOwnFolder(const std::filesystem::path& Folder) {
  for (const auto& entry : std::filesystem::directory_iterator(Folder))
    if (entry.path().filename() != IncompleteMarker) std::filesystem::remove_all(entry.path());
  std::filesystem::remove_all(Folder);
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
  RemoveOwnFolder(workshop);
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
  std::ofstream(Folder / VersionMarker) << DemoVersion << "\n";
  std::filesystem::remove(Folder / IncompleteMarker);
}

void TDemoEnvironment::WriteSettings(const std::filesystem::path& Folder,
                                     const std::filesystem::path& Home) const {
  std::filesystem::create_directories(Folder / "data");
  std::filesystem::create_directories(Folder / "servers");
  const std::filesystem::path file = Folder / "notes.ini";
  std::ofstream ini(file);
  ini << Settings(Home);
  if (!ini.flush()) throw Exception("Cannot write " + file.string());
}

std::string TDemoEnvironment::Settings(const std::filesystem::path& Home) {
  const TPersonFields& user = DemoContent::People().front();
  std::ostringstream ini;
  ini << "[Notes]\n"
      << "Directory=" << (Home / "data").string() << "\n"
      << "MailServer=" << DemoContent::Server << "\n"
      << "MailFile=" << user.MailFile << "\n"
      << "NAMES=names.nsf\n"
      << "Ports=TCPIP\n"
      << NOTESRT_USER_NAME_VAR << "=" << user.FullName << "\n"
      << NOTESRT_SERVERS_DIR_VAR << "=" << (Home / "servers").string() << "\n"
      << NOTESRT_BUILTIN_FILTER_SETTINGS;
  return ini.str();
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
