#pragma once

#include <utility>

// A counted reference to a COM-style interface, like an interface variable of the framework:
// it adds a reference when it takes a pointer and releases it when it lets go, on every path.
template <class T>
class TInterfaceRef {
 public:
  TInterfaceRef() = default;
  // Takes a new reference to Intf (which may be null).
  explicit TInterfaceRef(T* Intf) : FIntf(Intf) {
    if (FIntf) FIntf->_AddRef();
  }
  // Takes over a reference the caller already holds, as QueryInterface hands them out.
  static TInterfaceRef Adopt(T* Intf) {
    TInterfaceRef Ref;
    Ref.FIntf = Intf;
    return Ref;
  }
  TInterfaceRef(const TInterfaceRef& Other) : TInterfaceRef(Other.FIntf) {}
  TInterfaceRef(TInterfaceRef&& Other) noexcept : FIntf(std::exchange(Other.FIntf, nullptr)) {}
  TInterfaceRef& operator=(TInterfaceRef Other) noexcept {
    std::swap(FIntf, Other.FIntf);
    return *this;
  }
  ~TInterfaceRef() { Reset(); }

  void Reset() {
    if (T* Old = std::exchange(FIntf, nullptr)) Old->_Release();
  }

  T* Get() const { return FIntf; }
  T* operator->() const { return FIntf; }
  explicit operator bool() const { return FIntf != nullptr; }

 private:
  T* FIntf = nullptr;
};
