#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "Exception.h"
#include "Export.h"

class VESK_API EPackageError : public Exception {
 public:
  using Exception::Exception;
  ~EPackageError() override;
};

// A loaded plug-in module. A module exports, with C names, Initialize and Finalize (its units'
// start-up and shutdown sections) and Register and UnRegister (its plug-ins). Loading opens the
// module, finds all four and runs Initialize; when that raises, the module has already shut
// down what it started, so it is closed and the error goes to the caller unchanged. The
// destructor runs Finalize and closes the module.
class VESK_API TPackage {
 public:
  explicit TPackage(const std::filesystem::path& FileName);
  ~TPackage();
  TPackage(const TPackage&) = delete;
  TPackage& operator=(const TPackage&) = delete;

  const std::filesystem::path& FileName() const { return FFileName; }
  void Register();
  void UnRegister();
  // Runs Finalize and closes the module now, raising what Finalize raises; the destructor
  // does the same but cannot report a failure.
  void Unload();

 private:
  struct THandle;
  using TEntry = void (*)();
  TEntry Entry(const char* Name) const;
  TEntry Loaded(TEntry Entry) const;  // raises once the module is unloaded

  std::filesystem::path FFileName;
  std::unique_ptr<THandle> FHandle;
  TEntry FInitialize;
  TEntry FFinalize;
  TEntry FRegister;
  TEntry FUnRegister;
};
