#pragma once

#include <filesystem>
#include <ostream>
#include <string>

// The small Notes world vesk-mail makes for a user without Notes settings of their own: in
// Root, a notes.ini for the demo user Jane Doe, the mail server's directory (servers/) with its
// address book of ten people and a group, its router mailbox and everybody's mail file made
// from the mail template, sample mails sent through the router into Jane's inbox and from her
// (kept as sent) and a few drafts, and in data/ local replicas of Jane's mail file and of the
// address book. Everything is made through the object library and the router, as a user's
// client and server would.
class TDemoEnvironment {
 public:
  // Progress receives one line per step.
  TDemoEnvironment(const std::filesystem::path& Root, std::ostream& Progress);

  std::filesystem::path IniFile() const { return FRoot / "notes.ini"; }
  // Makes the world unless Root has Notes settings (a notes.ini) already, which are then used
  // as they are; a world an earlier build of the demo made is made afresh in its place. The world
  // is made in a folder of its own beside Root and renamed into place when it is whole, so a run
  // that stops half-way leaves Root as it was; a Root that holds other files is refused, never
  // emptied. Runs started at once take turns: the first makes the world, the others wait and use
  // it. Raises on failure.
  void Provide();

 private:
  bool HasSettings() const;
  bool IsEarlierDemo() const;
  void Replace(const std::filesystem::path& Workshop) const;
  static void RemoveOwnFolder(const std::filesystem::path& Folder);
  static std::string Settings(const std::filesystem::path& Home);
  void RefuseUnusableRoot() const;
  std::filesystem::path Workshop() const;
  void ClearOldWorkshop() const;
  void Make(const std::filesystem::path& Folder);
  void WriteSettings(const std::filesystem::path& Folder, const std::filesystem::path& Home) const;
  void Populate(const std::filesystem::path& Folder);

  std::filesystem::path FRoot;
  std::ostream& FProgress;
};
