#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Controls.h"

class TStatusBar;

// One panel of a status bar.
class TStatusPanel {
 public:
  TStatusPanel(TStatusBar& Owner, int Index) : FOwner(Owner), FIndex(Index) {}

  const std::string& Text() const { return FText; }
  // Tells the bar, which may show the change at once.
  void SetText(const std::string& Text);
  int Index() const { return FIndex; }
  int32_t Width = 50;

 private:
  TStatusBar& FOwner;
  int FIndex;
  std::string FText;
};

// A status bar model: its panels and how often it was repainted.
class TStatusBar : public TControl {
 public:
  explicit TStatusBar(int PanelCount = 0);
  ~TStatusBar() override;

  int PanelCount() const { return static_cast<int>(FPanels.size()); }
  // Raises EListError for an index the bar does not have.
  TStatusPanel& Panel(int Index) const;
  TStatusPanel& AddPanel();
  int RepaintCount() const { return FRepaintCount; }
  // Paints the bar at once.
  virtual void Repaint() { ++FRepaintCount; }
  // Called after a panel's text changed.
  virtual void PanelTextChanged(TStatusPanel&) {}

 private:
  std::vector<std::unique_ptr<TStatusPanel>> FPanels;
  int FRepaintCount = 0;
};
