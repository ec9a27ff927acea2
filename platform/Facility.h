#pragma once

#include <utility>

// One process-wide instance of a system facility (clock, launcher, clipboard, message sinks,
// window models), replaceable as a whole: by a window toolkit, by the command-line host's terminal
// sinks, or by a test. Until something is installed, T::Default() serves. The installer keeps
// the installed object alive while it is installed.
template <class T>
class TFacility {
 public:
  static T& Get() { return FCurrent ? *FCurrent : T::Default(); }
  // Returns the one installed before (null: the default).
  static T* Install(T* Facility) { return std::exchange(FCurrent, Facility); }

 private:
  static inline T* FCurrent = nullptr;
};

// Installs a facility for the life of the object, then puts back the one before.
template <class T>
class TScopedFacility {
 public:
  explicit TScopedFacility(T& Facility) : FPrevious(TFacility<T>::Install(&Facility)) {}
  ~TScopedFacility() { TFacility<T>::Install(FPrevious); }
  TScopedFacility(const TScopedFacility&) = delete;
  TScopedFacility& operator=(const TScopedFacility&) = delete;

 private:
  T* FPrevious;
};
