#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Controls.h"

// A node of a tree view, owning its children.
class TTreeNode {
 public:
  TTreeNode(TTreeNode* Parent, std::string Text) : FParent(Parent), Text(std::move(Text)) {}

  TTreeNode* Parent() const { return FParent; }
  int Count() const { return static_cast<int>(FChildren.size()); }
  bool HasChildren() const { return !FChildren.empty(); }
  TTreeNode* Item(int Index) const { return FChildren.at(static_cast<size_t>(Index)).get(); }
  TTreeNode* AddChild(std::string Text);

 private:
  TTreeNode* FParent;
  std::vector<std::unique_ptr<TTreeNode>> FChildren;

 public:
  std::string Text;
  bool Expanded = false;
};

// The nodes of a tree view: the top-level nodes and the nesting count of BeginUpdate.
class TTreeNodes {
 public:
  int Count() const { return static_cast<int>(FRoots.size()); }
  TTreeNode* Item(int Index) const { return FRoots.at(static_cast<size_t>(Index)).get(); }
  // A top-level node; its Parent() is null.
  TTreeNode* Add(std::string Text);

  int UpdateCount() const { return FUpdateCount; }
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate() {
    if (FUpdateCount > 0) --FUpdateCount;
  }

 private:
  std::vector<std::unique_ptr<TTreeNode>> FRoots;
  int FUpdateCount = 0;
};

class TTreeView : public TControl {
 public:
  TTreeNodes Items;
};
