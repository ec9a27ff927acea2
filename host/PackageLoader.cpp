#include "PackageLoader.h"

#include <dlfcn.h>

struct TPackage::THandle {
  explicit THandle(void* Module) : Module(Module) {}
  ~THandle() { dlclose(Module); }
  THandle(const THandle&) = delete;
  THandle& operator=(const THandle&) = delete;

  void* Module;
};

namespace {

std::string LastDlError() {
  const char* Error = dlerror();
  return Error ? Error : "unknown error";
}

}  // namespace

EPackageError::~EPackageError() = default;

TPackage::TPackage(const std::filesystem::path& FileName) : FFileName(FileName) {
  void* Module = dlopen(FileName.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!Module)
    throw EPackageError("Can't load package " + FileName.string() + ": " + LastDlError());
  FHandle = std::make_unique<THandle>(Module);
  FInitialize = Entry("Initialize");
  FFinalize = Entry("Finalize");
  FRegister = Entry("Register");
  FUnRegister = Entry("UnRegister");
  FInitialize();
}

TPackage::~TPackage() {
  try {
    Unload();
  } catch (...) {
    // A destructor cannot report; callers who care call Unload themselves.
  }
}

void TPackage::Register() {
  Loaded(FRegister)();
}

void TPackage::UnRegister() {
  Loaded(FUnRegister)();
}

void TPackage::Unload() {
  if (!FHandle) return;
  // The module is closed even when its shutdown raises.
  std::unique_ptr<THandle> Handle = std::move(FHandle);
  FFinalize();
}

TPackage::TEntry TPackage::Loaded(TEntry Entry) const {
  if (!FHandle) throw EPackageError("Package " + FFileName.string() + " is not loaded");
  return Entry;
}

TPackage::TEntry TPackage::Entry(const char* Name) const {
  dlerror();
  void* Symbol = dlsym(FHandle->Module, Name);
  if (!Symbol) throw EPackageError("Package " + FFileName.string() + " has no entry point " + Name);
  return reinterpret_cast<TEntry>(Symbol);
}
