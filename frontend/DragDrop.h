#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "Component.h"
#include "DataTransfer.h"

class TDragDrop;

// The drop target of a drag-and-drop component, told when a drag enters its control and after a
// drop. There is no window toolkit here: Drop is what a toolkit's drop handler (or the
// freedesktop bridge) calls. Feedback, effects and scrolling are not modelled.
class TDropTarget {
 public:
  explicit TDropTarget(TDragDrop& Owner) : FOwner(Owner) {}
  virtual ~TDropTarget() = default;
  TDropTarget(const TDropTarget&) = delete;
  TDropTarget& operator=(const TDropTarget&) = delete;

  virtual void AcceptDataObject(IDataObject& DataObject, bool& Accept);
  virtual void RenderDropped(IDataObject& DataObject, uint32_t KeyState, TPoint Point,
                             uint32_t& Effect);
  // A drag entering and dropping: true when the target accepted and read it.
  bool Drop(IDataObject& DataObject, uint32_t KeyState = 0, TPoint Point = {});
  TDragDrop& Owner() const { return FOwner; }

 private:
  TDragDrop& FOwner;
};

// A drag-and-drop component of one control: it owns its drop target and makes a data object
// when a drag starts from the control.
class TDragDrop : public TComponent {
 public:
  explicit TDragDrop(TComponent* Owner);
  ~TDragDrop() override;

  virtual std::unique_ptr<IDataObject> CreateDataObject() { return nullptr; }
  TDropTarget& DropTarget() { return *FDropTarget; }
  // The source programs whose drags the component takes; empty takes every source.
  std::set<std::string>& SourceCompatibility() { return FSourceCompatibility; }

 protected:
  void SetDropTarget(std::unique_ptr<TDropTarget> Target) { FDropTarget = std::move(Target); }

 private:
  std::unique_ptr<TDropTarget> FDropTarget;
  std::set<std::string> FSourceCompatibility;
};

// The framework's list of component classes by page (there is no designer to show them).
void RegisterComponents(const std::string& Page, const std::vector<std::string>& ClassNames);
std::vector<std::pair<std::string, std::string>> RegisteredComponents();
