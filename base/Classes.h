#pragma once

#include "Exception.h"
#include "Export.h"

// Failures of the stream and string-list classes.

class VESK_API EStreamError : public Exception {
 public:
  using Exception::Exception;
  ~EStreamError() override;
};

// A file could not be opened; the message names the file and the system's reason.
class VESK_API EFOpenError : public EStreamError {
 public:
  using EStreamError::EStreamError;
  ~EFOpenError() override;
};

// A file could not be created; the message names the file and the system's reason.
class VESK_API EFCreateError : public EStreamError {
 public:
  using EStreamError::EStreamError;
  ~EFCreateError() override;
};

// ReadBuffer got fewer bytes than it asked for.
class VESK_API EReadError : public EStreamError {
 public:
  using EStreamError::EStreamError;
  ~EReadError() override;
};

// WriteBuffer could not write every byte.
class VESK_API EWriteError : public EStreamError {
 public:
  using EStreamError::EStreamError;
  ~EWriteError() override;
};

// Index out of range, a refused duplicate or an order change on a sorted list.
class VESK_API EStringListError : public Exception {
 public:
  using Exception::Exception;
  ~EStringListError() override;
};

// A list was asked for an item it does not have.
class VESK_API EListError : public Exception {
 public:
  using Exception::Exception;
  ~EListError() override;
};
