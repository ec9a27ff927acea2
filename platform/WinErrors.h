#pragma once

// Windows error codes, the code space the desktop units and their callers report in, and their
// counterparts among the system's error numbers.

constexpr int ERROR_SUCCESS = 0;
constexpr int ERROR_FILE_NOT_FOUND = 2;
constexpr int ERROR_PATH_NOT_FOUND = 3;
constexpr int ERROR_ACCESS_DENIED = 5;
constexpr int ERROR_GEN_FAILURE = 31;
constexpr int ERROR_SHARING_VIOLATION = 32;
constexpr int ERROR_DISK_FULL = 112;
constexpr int ERROR_IO_DEVICE = 1117;
// Not a network device: the name lies on no network share.
constexpr int ERROR_BAD_DEVICE = 1200;
// Not connected: a local drive.
constexpr int ERROR_NOT_CONNECTED = 2250;

// The nearest Windows code for errno Error (ERROR_IO_DEVICE when there is none).
int WinErrorFromErrno(int Error);
// The errno a Windows code stands for, or 0.
int ErrnoFromWinError(int Code);
