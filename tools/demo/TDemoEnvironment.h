#pragma once

#include <filesystem>
#include <ostream>

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
  // Whether Root holds a complete demo world.
  bool Exists() const;
  // Makes the world unless it exists; a world an earlier run left half-made is made afresh.
  // Raises on failure, leaving the world marked as incomplete.
  void Provide();

 private:
  std::filesystem::path IncompleteMarker() const { return FRoot / "demo.incomplete"; }
  void StartAfresh();
  void WriteSettings() const;
  void Populate();

  std::filesystem::path FRoot;
  std::ostream& FProgress;
};
