#pragma once

#include <filesystem>

namespace notesrt::router {

// The one router pass a mailbox has at a time: an exclusive lock (flock) on a file beside the
// mailbox, which holds the process ID of the pass. The lock goes with its process, also when
// that is killed; a stopped process keeps it.
class TRouterLock {
 public:
  // Waits for another pass once, up to the busy timeout, polling the break handler; then
  // ERR_NOTESRT_BUSY, with a log line naming the mailbox and the process that holds it.
  explicit TRouterLock(const std::filesystem::path& MailBox);
  ~TRouterLock();
  TRouterLock(const TRouterLock&) = delete;
  TRouterLock& operator=(const TRouterLock&) = delete;

 private:
  void WaitForHolder(const std::filesystem::path& MailBox);
  std::string Holder() const;

  int FDescriptor = -1;
};

}  // namespace notesrt::router
