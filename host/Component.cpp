#include "Component.h"

#include <algorithm>
#include <utility>

TComponent::TComponent(TComponent* Owner) : FOwner(Owner) {
  if (FOwner) FOwner->FComponents.push_back(this);
}

TComponent::~TComponent() {
  // Each child takes itself off the list as it goes.
  while (!FComponents.empty()) delete FComponents.back();
  if (FOwner) std::erase(FOwner->FComponents, this);
  for (TComponent* Component : std::exchange(FFreeNotifies, {})) {
    std::erase(Component->FFreeNotifies, this);
    Component->Notification(this, opRemove);
  }
}

void TComponent::FreeNotification(TComponent* Component) {
  if (!Component || Component == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), Component) != FFreeNotifies.end())
    return;
  FFreeNotifies.push_back(Component);
  Component->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* Component) {
  std::erase(FFreeNotifies, Component);
  if (Component) std::erase(Component->FFreeNotifies, this);
}

HRESULT TComponent::QueryInterface(const TGUID& Iid, void** Obj) {
  if (AnswerInterface<IInterface>(this, Iid, Obj)) return S_OK;
  *Obj = nullptr;
  return E_NOINTERFACE;
}
