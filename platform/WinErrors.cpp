#include "WinErrors.h"

#include <errno.h>

#include <iterator>

namespace {

struct TErrorPair {
  int Code;
  int Errno;
};

// Where several errno values share a code, the first pair gives the code's errno.
constexpr TErrorPair ErrorPairs[] = {
    {ERROR_FILE_NOT_FOUND, ENOENT},
    {ERROR_PATH_NOT_FOUND, ENOTDIR},
    {4, EMFILE},  // ERROR_TOO_MANY_OPEN_FILES
    {ERROR_ACCESS_DENIED, EACCES},
    {ERROR_ACCESS_DENIED, EPERM},
    {6, EBADF},       // ERROR_INVALID_HANDLE
    {8, ENOMEM},      // ERROR_NOT_ENOUGH_MEMORY
    {17, EXDEV},      // ERROR_NOT_SAME_DEVICE
    {19, EROFS},      // ERROR_WRITE_PROTECT
    {21, ENOMEDIUM},  // ERROR_NOT_READY
    {ERROR_SHARING_VIOLATION, EBUSY},
    {33, EAGAIN},  // ERROR_LOCK_VIOLATION
    {33, EWOULDBLOCK},
    {50, EOPNOTSUPP},  // ERROR_NOT_SUPPORTED
    {80, EEXIST},      // ERROR_FILE_EXISTS
    {87, EINVAL},      // ERROR_INVALID_PARAMETER
    {109, EPIPE},      // ERROR_BROKEN_PIPE
    {ERROR_DISK_FULL, ENOSPC},
    {ERROR_DISK_FULL, EDQUOT},
    {145, ENOTEMPTY},      // ERROR_DIR_NOT_EMPTY
    {206, ENAMETOOLONG},   // ERROR_FILENAME_EXCED_RANGE
    {267, EISDIR},         // ERROR_DIRECTORY
    {1117, EIO},           // ERROR_IO_DEVICE
    {1225, ECONNREFUSED},  // ERROR_CONNECTION_REFUSED
    {1231, ENETUNREACH},   // ERROR_NETWORK_UNREACHABLE
    {1232, EHOSTUNREACH},  // ERROR_HOST_UNREACHABLE
    {1460, ETIMEDOUT},     // ERROR_TIMEOUT
};

}  // namespace

int WinErrorFromErrno(int Error) {
  for (const TErrorPair& Pair : ErrorPairs)
    if (Pair.Errno == Error) return Pair.Code;
  return ERROR_IO_DEVICE;
}

int ErrnoFromWinError(int Code) {
  for (const TErrorPair& Pair : ErrorPairs)
    if (Pair.Code == Code) return Pair.Errno;
  return 0;
}
