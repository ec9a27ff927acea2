// Window, panel, dock and grid layouts kept under HKEY_CURRENT_USER, in the value names, types
// and little-endian byte layouts the Windows host uses.
#include <algorithm>
#include <optional>

#include "ByteOrder.h"
#include "Registry.h"
#include "Sonst.h"

namespace {

constexpr uint32_t PlacementSize = 44;

using TBytes = std::vector<uint8_t>;

void PutRect(TBytes& Out, const TRect& Rect) {
  for (int32_t Value : {Rect.Left, Rect.Top, Rect.Right, Rect.Bottom})
    PutLE32(Out, static_cast<uint32_t>(Value));
}

int32_t GetInt(const TBytes& In, size_t Index) {
  return static_cast<int32_t>(GetLE32(In.data() + 4 * Index));
}

TRect GetRect(const TBytes& In, size_t Index) {
  return {GetInt(In, Index), GetInt(In, Index + 1), GetInt(In, Index + 2), GetInt(In, Index + 3)};
}

TBytes EncodePlacement(const TWindowPlacement& Placement) {
  TBytes Out;
  for (uint32_t Value : {PlacementSize, Placement.Flags, Placement.ShowCmd}) PutLE32(Out, Value);
  for (const TPoint& Point : {Placement.MinPosition, Placement.MaxPosition}) {
    PutLE32(Out, static_cast<uint32_t>(Point.X));
    PutLE32(Out, static_cast<uint32_t>(Point.Y));
  }
  PutRect(Out, Placement.NormalPosition);
  return Out;
}

std::optional<TWindowPlacement> DecodePlacement(const TBytes& In) {
  if (In.size() != PlacementSize || GetLE32(In.data()) != PlacementSize) return std::nullopt;
  TWindowPlacement Placement;
  Placement.Flags = GetLE32(In.data() + 4);
  Placement.ShowCmd = GetLE32(In.data() + 8);
  Placement.MinPosition = {GetInt(In, 3), GetInt(In, 4)};
  Placement.MaxPosition = {GetInt(In, 5), GetInt(In, 6)};
  Placement.NormalPosition = GetRect(In, 7);
  return Placement;
}

// The binary value of the key, or nothing when the key, the value or its type is missing.
std::optional<TBytes> ReadBinary(const std::string& Key, const std::string& Name) {
  try {
    TRegistry Registry;
    if (!Registry.OpenKeyReadOnly(Key) || !Registry.ValueExists(Name)) return std::nullopt;
    return Registry.ReadBinaryData(Name);
  } catch (const ERegistryException&) {
    return std::nullopt;
  }
}

void WriteBinary(const std::string& Key, const std::string& Name, const TBytes& Value) {
  TRegistry Registry;
  if (Registry.OpenKey(Key, true)) Registry.WriteBinaryData(Name, Value);
}

std::optional<TRect> ReadPanelRect(const std::string& Key) {
  std::optional<TBytes> Stored = ReadBinary(Key, "PanelPos");
  if (!Stored || Stored->size() != 16) return std::nullopt;
  return GetRect(*Stored, 0);
}

// The last position of Site among the dock sites, or -1.
int DockSiteIndex(const std::vector<TControl*>& DockSites, const TControl* Site) {
  auto Found = std::find(DockSites.rbegin(), DockSites.rend(), Site);
  return Found == DockSites.rend() ? -1 : static_cast<int>(DockSites.rend() - Found - 1);
}

void WriteRectValues(TRegistry& Registry, const char* const Names[4], const TRect& Rect) {
  const int32_t Values[] = {Rect.Left, Rect.Top, Rect.Right, Rect.Bottom};
  for (int Index = 0; Index < 4; ++Index) Registry.WriteInteger(Names[Index], Values[Index]);
}

TRect ReadRectValues(TRegistry& Registry, const char* const Names[4]) {
  return {Registry.ReadInteger(Names[0]), Registry.ReadInteger(Names[1]),
          Registry.ReadInteger(Names[2]), Registry.ReadInteger(Names[3])};
}

const char* const BoundsNames[4] = {"Left", "Top", "Right", "Bottom"};
const char* const ScreenNames[4] = {"ScreenLeft", "ScreenTop", "ScreenRight", "ScreenBottom"};

}  // namespace

void SaveWindowPos(const std::string& Key, TForm& Form) {
  WriteBinary(Key, "WindowPos", EncodePlacement(Form.GetPlacement()));
}

void RestoreWindowPos(const std::string& Key, TForm& Form) {
  std::optional<TBytes> Stored = ReadBinary(Key, "WindowPos");
  std::optional<TWindowPlacement> Placement =
      Stored ? DecodePlacement(*Stored) : std::optional<TWindowPlacement>();
  if (Placement)
    Form.SetPlacement(*Placement);
  else
    Form.BringToFront();
}

void SavePanelPos(const std::string& Key, TControl& Panel) {
  TBytes Value;
  PutRect(Value, Panel.BoundsRect);
  WriteBinary(Key, "PanelPos", Value);
}

void RestorePanelPos(const std::string& Key, TControl& Panel) {
  if (std::optional<TRect> Rect = ReadPanelRect(Key)) Panel.BoundsRect = *Rect;
}

void RestorePanelPosRestrict(const std::string& Key, TControl& Panel, const TRect& Limits) {
  std::optional<TRect> Rect = ReadPanelRect(Key);
  if (!Rect) return;
  if (Limits.Left != 0) Rect->Left = std::max(Rect->Left, Limits.Left);
  if (Limits.Top != 0) Rect->Top = std::max(Rect->Top, Limits.Top);
  if (Limits.Right != 0) Rect->Right = std::min(Rect->Right, Limits.Right);
  if (Limits.Bottom != 0) Rect->Bottom = std::min(Rect->Bottom, Limits.Bottom);
  Panel.BoundsRect = *Rect;
}

void SaveGridPos(const std::string& Key, TDBGrid& Grid) {
  TBytes Value;
  for (const TColumn& Column : Grid.Columns) PutLE32(Value, static_cast<uint32_t>(Column.Width));
  WriteBinary(Key, "ColWidth", Value);
}

void RestoreGridPos(const std::string& Key, TDBGrid& Grid) {
  std::optional<TBytes> Stored = ReadBinary(Key, "ColWidth");
  if (!Stored || Stored->size() % 4 != 0) return;
  size_t Count = std::min(Stored->size() / 4, Grid.Columns.size());
  for (size_t Index = 0; Index < Count; ++Index) Grid.Columns[Index].Width = GetInt(*Stored, Index);
}

void SaveDockStatus(const std::string& Key, TControl* Control,
                    const std::vector<TControl*>& DockSites) {
  if (!Control) return;
  TRegistry Registry;
  if (!Registry.OpenKey(Key, true)) return;
  WriteRectValues(Registry, BoundsNames, Control->BoundsRect);
  Registry.WriteInteger("UndockWidth", Control->UndockWidth);
  Registry.WriteInteger("UndockHeight", Control->UndockHeight);
  int Index = -1;
  if (!Control->Floating && (Control->HostDockSite || Control->Parent))
    Index =
        DockSiteIndex(DockSites, Control->HostDockSite ? Control->HostDockSite : Control->Parent);
  if (Index != -1) {
    const TRect& Site = DockSites[static_cast<size_t>(Index)]->BoundsRect;
    Registry.WriteInteger("DockSiteWidth", Site.Width());
    Registry.WriteInteger("DockSiteHeight", Site.Height());
  }
  Registry.WriteInteger("DockSiteIndex", Index);
  if (auto* Form = dynamic_cast<TForm*>(Control); Form && Index == -1)
    WriteRectValues(Registry, ScreenNames, Form->ClientScreenRect);
}

void RestoreDockStatus(const std::string& Key, TControl* Control,
                       const std::vector<TControl*>& DockSites) {
  if (!Control) return;
  try {
    TRegistry Registry;
    if (!Registry.OpenKeyReadOnly(Key)) return;
    TRect Bounds = ReadRectValues(Registry, BoundsNames);
    auto* Form = dynamic_cast<TForm*>(Control);
    if (Form) {
      Form->UndockWidth = Registry.ReadInteger("UndockWidth");
      Form->UndockHeight = Registry.ReadInteger("UndockHeight");
    }
    Control->BoundsRect = Bounds;
    int Index = Registry.ReadInteger("DockSiteIndex");
    if (!Form) return;
    if (Index == -1) {
      Form->ManualFloat(ReadRectValues(Registry, ScreenNames));
    } else if (Index >= 0 && static_cast<size_t>(Index) < DockSites.size()) {
      TControl* Site = DockSites[static_cast<size_t>(Index)];
      if (Site == Form->HostDockSite || Site == Form->Parent) return;
      Form->ManualFloat(Bounds);
      Form->ManualDock(Site);
    }
  } catch (const ERegistryException&) {
    // A value that is missing ends the restore; what was read so far stays.
  }
}
