#pragma once

// Models of the window controls the desktop units lay out and query: controls with bounds and
// docking, forms, grids and panels. There is no window toolkit on this platform; the models keep
// what a toolkit would show, so that saved layouts and the logic over them stay complete.

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "Object.h"
#include "Types.h"

using HWND = uint32_t;

// A window message.
struct TMsg {
  HWND Window = 0;
  uint32_t Message = 0;
  uintptr_t WParam = 0;
  intptr_t LParam = 0;

  friend bool operator==(const TMsg&, const TMsg&) = default;
};

// A control: bounds in its parent's coordinates (a form's in screen coordinates), its parent and
// the dock site it is docked in.
class TControl : public TObject {
 public:
  TRect BoundsRect;
  TControl* Parent = nullptr;
  TControl* HostDockSite = nullptr;
  bool Floating = false;
  int32_t UndockWidth = 0;
  int32_t UndockHeight = 0;

  // Leaves the dock site and floats at ScreenPos.
  virtual void ManualFloat(const TRect& ScreenPos);
  // Docks into Site (which becomes the parent).
  virtual void ManualDock(TControl* Site);
};

enum TWindowState { wsNormal, wsMinimized, wsMaximized };

constexpr uint32_t SW_SHOWNORMAL = 1;
constexpr uint32_t SW_SHOWMINIMIZED = 2;
constexpr uint32_t SW_SHOWMAXIMIZED = 3;

// The WINDOWPLACEMENT record (44 bytes with its length field).
struct TWindowPlacement {
  uint32_t Length = 44;
  uint32_t Flags = 0;
  uint32_t ShowCmd = SW_SHOWNORMAL;
  TPoint MinPosition;
  TPoint MaxPosition;
  TRect NormalPosition;
};

// A top-level form.
class TForm : public TControl {
 public:
  HWND Handle = 0;
  std::string Caption;
  // The client area in screen coordinates.
  TRect ClientScreenRect;
  TWindowState WindowState = wsNormal;
  bool Visible = true;
  bool Enabled = true;
  // The popup the user last worked in; the form itself when it has none open.
  TForm* LastActivePopup = nullptr;
  int BroughtToFront = 0;
  // Messages posted to the form and not yet handled, oldest first.
  std::deque<TMsg> PostedMessages;

  // The placement as the window system reports it: the length field is 44, the normal
  // position the form's bounds.
  TWindowPlacement GetPlacement() const;
  void SetPlacement(const TWindowPlacement& Placement);
  void BringToFront() { ++BroughtToFront; }
  void PostMessage(uint32_t Message, uintptr_t WParam, intptr_t LParam);

 private:
  uint32_t FPlacementFlags = 0;
  TPoint FMinPosition;
  TPoint FMaxPosition;
};

struct TColumn {
  std::string FieldName;
  int32_t Width = 64;
  bool Visible = true;
};

// A data grid: its columns in display order.
class TDBGrid : public TControl {
 public:
  std::vector<TColumn> Columns;
};
