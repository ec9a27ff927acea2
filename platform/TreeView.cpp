#include "TreeView.h"

TTreeNode* TTreeNode::AddChild(std::string Text) {
  FChildren.push_back(std::make_unique<TTreeNode>(this, std::move(Text)));
  return FChildren.back().get();
}

TTreeNode* TTreeNodes::Add(std::string Text) {
  FRoots.push_back(std::make_unique<TTreeNode>(nullptr, std::move(Text)));
  return FRoots.back().get();
}
