#include "StatusBar.h"

#include <ostream>

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

TTerminalStatusBar::~TTerminalStatusBar() {
  EndLine();
}

void TTerminalStatusBar::EndLine() {
  if (FLineOpen) FOut << std::endl;
  FLineOpen = false;
}

void TTerminalStatusBar::PanelTextChanged(TStatusPanel& Panel) {
  if (Panel.Index() != 2) return;
  std::string Text = Panel.Text();
  for (char& C : Text)
    if (C == '\r' || C == '\n') C = ' ';
  if (FInPlace) {
    // Back to the line's start, the text, then clear what an older, longer text left.
    FOut << '\r' << Text << "\x1b[K" << std::flush;
    FLineOpen = true;
  } else {
    FOut << Text << std::endl;
  }
}
