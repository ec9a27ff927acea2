#include "mail/router/RouterLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include "core/EStatus.h"
#include "core/Log.h"
#include "core/SignalHandlers.h"
#include "notesapi/notesrt.h"
#include "storage/DbFile.h"

namespace notesrt::router {

namespace {

constexpr auto PollInterval = std::chrono::milliseconds(50);

std::filesystem::path LockFile(const std::filesystem::path& MailBox) {
  std::filesystem::path file = MailBox;
  file += ".router";
  return file;
}

bool TryLock(int Descriptor) {
  return flock(Descriptor, LOCK_EX | LOCK_NB) == 0;
}

// "1234 (vesk-mail)", or the ID alone when the process has no name to read.
std::string ProcessText(const std::string& Id) {
  std::string name;
  std::getline(std::ifstream("/proc/" + Id + "/comm"), name);
  return name.empty() ? Id : Id + " (" + name + ")";
}

}  // namespace

TRouterLock::TRouterLock(const std::filesystem::path& MailBox)
    : FDescriptor(open(LockFile(MailBox).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644)) {
  if (FDescriptor < 0) throw EStatus(ERR_NOTESRT_STORAGE);
  if (!TryLock(FDescriptor)) WaitForHolder(MailBox);
  const std::string id = std::to_string(getpid()) + "\n";
  if (ftruncate(FDescriptor, 0) != 0 || pwrite(FDescriptor, id.data(), id.size(), 0) < 0) {
    // The lock holds all the same; only the holder's name would be missing.
  }
}

TRouterLock::~TRouterLock() {
  close(FDescriptor);
}

void TRouterLock::WaitForHolder(const std::filesystem::path& MailBox) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(BusyTimeoutMs);
  while (std::chrono::steady_clock::now() < deadline) {
    if (STATUS status = CheckBreak()) {
      close(FDescriptor);
      throw EStatus(status);
    }
    std::this_thread::sleep_for(PollInterval);
    if (TryLock(FDescriptor)) return;
  }
  LogLine(MailBox.string() + ": another router pass, process " + Holder() + ", has held it for " +
          std::to_string(BusyTimeoutMs / 1000) + " s; this pass stops (stopped or still working?)");
  close(FDescriptor);
  throw EStatus(ERR_NOTESRT_BUSY);
}

std::string TRouterLock::Holder() const {
  char text[32] = {};
  const ssize_t read = pread(FDescriptor, text, sizeof(text) - 1, 0);
  std::string id = read > 0 ? std::string(text, static_cast<size_t>(read)) : "";
  while (!id.empty() && (id.back() == '\n' || id.back() == ' ')) id.pop_back();
  return id.empty() ? "unknown" : ProcessText(id);
}

}  // namespace notesrt::router
