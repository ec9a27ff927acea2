#include "TFolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "Exception.h"

namespace {

bool Lock(int Descriptor, int Operation) {
  int result;
  do result = flock(Descriptor, Operation);
  while (result != 0 && errno == EINTR);
  return result == 0;
}

}  // namespace

TFolderLock::TFolderLock(const std::filesystem::path& Folder, std::ostream& Progress)
    : FDescriptor(open(Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
  if (FDescriptor < 0)
    throw Exception("Cannot open the folder " + Folder.string() + ": " + std::strerror(errno));
  if (Lock(FDescriptor, LOCK_EX | LOCK_NB)) return;
  if (errno == EWOULDBLOCK) {
    Progress << "Waiting for another vesk-mail that is making the demo environment in "
             << Folder.string() << "\n";
    if (Lock(FDescriptor, LOCK_EX)) return;
  }
  const int error = errno;
  close(FDescriptor);
  throw Exception("Cannot lock the folder " + Folder.string() + ": " + std::strerror(error));
}

TFolderLock::~TFolderLock() {
  close(FDescriptor);
}
