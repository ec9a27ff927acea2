#include "DragDrop.h"

#include <algorithm>

namespace {

std::vector<std::pair<std::string, std::string>>& ComponentList() {
  static std::vector<std::pair<std::string, std::string>> list;
  return list;
}

}  // namespace

void TDropTarget::AcceptDataObject(IDataObject&, bool& Accept) {
  Accept = false;
}

void TDropTarget::RenderDropped(IDataObject&, uint32_t, TPoint, uint32_t&) {}

bool TDropTarget::Drop(IDataObject& DataObject, uint32_t KeyState, TPoint Point) {
  bool accept = false;
  AcceptDataObject(DataObject, accept);
  if (!accept) return false;
  uint32_t effect = 1;  // copy
  RenderDropped(DataObject, KeyState, Point, effect);
  return true;
}

TDragDrop::TDragDrop(TComponent* Owner)
    : TComponent(Owner), FDropTarget(std::make_unique<TDropTarget>(*this)) {}

TDragDrop::~TDragDrop() = default;

void RegisterComponents(const std::string& Page, const std::vector<std::string>& ClassNames) {
  for (const std::string& name : ClassNames) {
    const std::pair<std::string, std::string> entry{Page, name};
    if (std::find(ComponentList().begin(), ComponentList().end(), entry) == ComponentList().end())
      ComponentList().push_back(entry);
  }
}

std::vector<std::pair<std::string, std::string>> RegisteredComponents() {
  return ComponentList();
}
