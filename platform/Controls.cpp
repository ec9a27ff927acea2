#include "Controls.h"

void TControl::ManualFloat(const TRect& ScreenPos) {
  Floating = true;
  HostDockSite = nullptr;
  Parent = nullptr;
  BoundsRect = ScreenPos;
}

void TControl::ManualDock(TControl* Site) {
  Floating = false;
  HostDockSite = Site;
  Parent = Site;
}

TWindowPlacement TForm::GetPlacement() const {
  TWindowPlacement Placement;
  Placement.Flags = FPlacementFlags;
  Placement.ShowCmd = WindowState == wsMinimized   ? SW_SHOWMINIMIZED
                      : WindowState == wsMaximized ? SW_SHOWMAXIMIZED
                                                   : SW_SHOWNORMAL;
  Placement.MinPosition = FMinPosition;
  Placement.MaxPosition = FMaxPosition;
  Placement.NormalPosition = BoundsRect;
  return Placement;
}

void TForm::SetPlacement(const TWindowPlacement& Placement) {
  FPlacementFlags = Placement.Flags;
  // SW_MINIMIZE (6) and SW_SHOWMINNOACTIVE (7) also leave the window minimised.
  switch (Placement.ShowCmd) {
    case SW_SHOWMINIMIZED:
    case 6:
    case 7:
      WindowState = wsMinimized;
      break;
    case SW_SHOWMAXIMIZED:
      WindowState = wsMaximized;
      break;
    default:
      WindowState = wsNormal;
  }
  FMinPosition = Placement.MinPosition;
  FMaxPosition = Placement.MaxPosition;
  BoundsRect = Placement.NormalPosition;
}

void TForm::PostMessage(uint32_t Message, uintptr_t WParam, intptr_t LParam) {
  PostedMessages.push_back({Handle, Message, WParam, LParam});
}
