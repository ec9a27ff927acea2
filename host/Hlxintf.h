#pragma once

// The plug-in framework's interface unit: interface identities, the base interface, the
// registries a plug-in announces itself to, and the application services the host publishes.

#include <cstdint>
#include <string>

#include "Exception.h"
#include "Export.h"
#include "InterfaceRef.h"
#include "Types.h"

// Every interface starts with these three operations, in this order. Objects are never deleted
// through an interface, so there is no virtual destructor (it would add slots to the table).
class VESK_API IInterface {
 public:
  static constexpr TGUID IID{0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

  // On success *Obj is an added reference to the interface Iid; otherwise null.
  virtual HRESULT QueryInterface(const TGUID& Iid, void** Obj) = 0;
  virtual int32_t _AddRef() = 0;
  virtual int32_t _Release() = 0;

 protected:
  ~IInterface() = default;
};

class ThlxVisualPlugin;

class VESK_API IPluginRegistry : public IInterface {
 public:
  static constexpr TGUID IID{
      0xC0618086, 0x13C7, 0x424E, {0x8E, 0xCA, 0xF0, 0x93, 0xD0, 0xA8, 0x0B, 0x52}};

  virtual void RegisterPlugin(ThlxVisualPlugin* Plugin) = 0;
  virtual void UnRegisterPlugin(ThlxVisualPlugin* Plugin) = 0;
  virtual void RegisterCommand(ThlxVisualPlugin* Plugin, IInterface* Command) = 0;

 protected:
  ~IPluginRegistry() = default;
};

class VESK_API IServiceRegistry : public IInterface {
 public:
  static constexpr TGUID IID{
      0xF2F6C4F7, 0x39A5, 0x4621, {0xBE, 0xFD, 0x24, 0xE6, 0x60, 0x36, 0xEB, 0x92}};

  virtual void RegisterService(const std::string& Name, IInterface* Service) = 0;
  // The service registered under Name (compared case-insensitively), or null; borrowed.
  virtual IInterface* FindService(const std::string& Name) = 0;

 protected:
  ~IServiceRegistry() = default;
};

// The host's application-services object; empty until the host program publishes one. The host
// owns the object and keeps it alive while plug-ins are registered.
extern VESK_API IInterface* ApplicationServices;

// Raised by InterfaceCast when an object lacks the interface asked for.
class VESK_API EIntfCastError : public Exception {
 public:
  EIntfCastError();
  ~EIntfCastError() override;
};

// For implementations of QueryInterface: when Iid is T's, hands out Intf with an added
// reference and answers true.
template <class T>
bool AnswerInterface(T* Intf, const TGUID& Iid, void** Obj) {
  if (Iid != T::IID) return false;
  *Obj = Intf;
  Intf->_AddRef();
  return true;
}

// The interface T of Instance, or an empty reference when Instance lacks it.
template <class T>
TInterfaceRef<T> QueryIntf(IInterface* Instance) {
  void* Intf = nullptr;
  if (Instance && Instance->QueryInterface(T::IID, &Intf) == S_OK && Intf)
    return TInterfaceRef<T>::Adopt(static_cast<T*>(Intf));
  return {};
}

template <class T>
bool Supports(IInterface* Instance) {
  return static_cast<bool>(QueryIntf<T>(Instance));
}

// The framework's interface cast: an empty Instance gives an empty reference, an Instance
// without T raises EIntfCastError.
template <class T>
TInterfaceRef<T> InterfaceCast(IInterface* Instance) {
  TInterfaceRef<T> Intf = QueryIntf<T>(Instance);
  if (Instance && !Intf) throw EIntfCastError();
  return Intf;
}
