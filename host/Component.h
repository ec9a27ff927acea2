#pragma once

#include <string>
#include <vector>

#include "Hlxintf.h"

enum TOperation { opInsert, opRemove };

// The framework's component: it has an owner that frees it and a name. Its interface
// operations answer for IInterface only and do not count references: a component lives until
// its owner (or whoever created it without an owner) frees it.
class VESK_API TComponent : public IInterface {
 public:
  explicit TComponent(TComponent* Owner);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return FOwner; }
  const std::string& Name() const { return FName; }
  void SetName(const std::string& Name) { FName = Name; }
  size_t ComponentCount() const { return FComponents.size(); }
  TComponent* Components(size_t Index) const { return FComponents.at(Index); }

  // Component is told (Notification with opRemove) when this component is destroyed; the
  // link is dropped when either of them goes first.
  void FreeNotification(TComponent* Component);
  void RemoveFreeNotification(TComponent* Component);

  HRESULT QueryInterface(const TGUID& Iid, void** Obj) override;
  int32_t _AddRef() override { return -1; }
  int32_t _Release() override { return -1; }

 protected:
  virtual void Notification(TComponent*, TOperation) {}

 private:
  TComponent* FOwner;
  std::string FName;
  std::vector<TComponent*> FComponents;  // owned
  std::vector<TComponent*> FFreeNotifies;
};
