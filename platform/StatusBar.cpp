#include "StatusBar.h"

#include "Classes.h"
#include "SysUtils.h"

void TStatusPanel::SetText(const std::string& Text) {
  FText = Text;
  FOwner.PanelTextChanged(*this);
}

TStatusBar::TStatusBar(int PanelCount) {
  for (int Index = 0; Index < PanelCount; ++Index) AddPanel();
}

TStatusBar::~TStatusBar() = default;

TStatusPanel& TStatusBar::Panel(int Index) const {
  if (Index < 0 || Index >= PanelCount())
    throw EListError(Format("List index out of bounds (%d)", Index));
  return *FPanels[static_cast<size_t>(Index)];
}

TStatusPanel& TStatusBar::AddPanel() {
  FPanels.push_back(std::make_unique<TStatusPanel>(*this, PanelCount()));
  return *FPanels.back();
}
