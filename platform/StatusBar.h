#pragma once

#include <iosfwd>
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

// A status bar whose right-hand panel shows on a terminal: rewritten in place on one line, or
// one line per change.
class TTerminalStatusBar : public TStatusBar {
 public:
  TTerminalStatusBar(std::ostream& Out, bool InPlace)
      : TStatusBar(3), FOut(Out), FInPlace(InPlace) {}
  ~TTerminalStatusBar() override;
  void PanelTextChanged(TStatusPanel& Panel) override;
  // Moves the cursor off a status line shown in place, before other output follows it.
  void EndLine();

 private:
  std::ostream& FOut;
  bool FInPlace;
  bool FLineOpen = false;
};
