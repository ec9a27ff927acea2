// The helpers over the window models: beeper, keyboard, task list, tree views, grids, the rich
// edit and the message dialog.
#include <algorithm>

#include "Application.h"
#include "Desktop.h"
#include "MemoryStream.h"
#include "RichEdit.h"
#include "Sonst.h"
#include "StringList.h"
#include "TreeView.h"
#include "Unicode.h"

namespace {

constexpr size_t MaxTitleLength = 256;

struct TButtonKind {
  TMsgDlgBtn Button;
  const char* Caption;
  int ModalResult;
};

constexpr TButtonKind ButtonKinds[] = {
    {mbYes, "&Yes", mrYes},
    {mbNo, "&No", mrNo},
    {mbOK, "OK", mrOk},
    {mbCancel, "Cancel", mrCancel},
    {mbAbort, "&Abort", mrAbort},
    {mbRetry, "&Retry", mrRetry},
    {mbIgnore, "&Ignore", mrIgnore},
    {mbAll, "&All", mrAll},
    {mbNoToAll, "N&o to All", mrNoToAll},
    {mbYesToAll, "Yes to &All", mrYesToAll},
    {mbHelp, "&Help", mrNone},
    {mbClose, "&Close", mrClose},
};

std::string DialogCaption(TMsgDlgType Type) {
  switch (Type) {
    case mtWarning:
      return "Warning";
    case mtError:
      return "Error";
    case mtInformation:
      return "Information";
    case mtConfirmation:
      return "Confirm";
    default:
      return Application().Title;
  }
}

// OK, else Yes, else Retry, else the first button answers when the user just confirms.
size_t DefaultButtonOf(const std::vector<TMsgDlgBtn>& Shown) {
  for (TMsgDlgBtn Preferred : {mbOK, mbYes, mbRetry}) {
    auto Found = std::find(Shown.begin(), Shown.end(), Preferred);
    if (Found != Shown.end()) return static_cast<size_t>(Found - Shown.begin());
  }
  return 0;
}

// At most Max bytes, without splitting a character.
std::string CutText(const std::string& Text, size_t Max) {
  size_t End = 0;
  while (End < Text.size()) {
    size_t Next = End;
    NextUtf8CodePoint(Text, Next);
    if (Next > Max) break;
    End = Next;
  }
  return Text.substr(0, End);
}

bool ShownInTaskList(const TTopWindow& Window) {
  return Window.Visible && (Window.Owner == 0 || Window.Owner == DesktopWindow) &&
         (!Window.ToolWindow || Window.AppWindow) && !Window.Title.empty();
}

}  // namespace

void BeeperOn() {
  BeepSink().Enabled = true;
}

void BeeperOff() {
  BeepSink().Enabled = false;
}

bool KeyPressed(HWND Window) {
  return Keyboard().ProcessOne(Window);
}

bool GetKeyState(uint8_t Key) {
  return Keyboard().State[Key] != 0;
}

bool GetTasksList(TStringList& List) {
  return TopLevelWindows().Enumerate([&](TTopWindow& Window) {
    if (ShownInTaskList(Window)) List.AddObject(CutText(Window.Title, MaxTitleLength), &Window);
    return true;
  });
}

int TreeViewUpdateCount(TTreeView& Tree) {
  return Tree.Items.UpdateCount();
}

bool IsTreeViewInUpdate(TTreeView& Tree) {
  return TreeViewUpdateCount(Tree) > 0;
}

void ForceTreeViewEndUpdate(TTreeView& Tree) {
  while (IsTreeViewInUpdate(Tree)) Tree.Items.EndUpdate();
}

bool DBGHideColByFieldName(TDBGrid& Grid, const std::string& FieldName, bool Hide) {
  for (TColumn& Column : Grid.Columns) {
    if (Column.FieldName != FieldName) continue;
    Column.Visible = !Hide;
    return true;
  }
  return false;
}

void InsertRTFString(TRichEdit& RichEdit, const std::string& Rtf) {
  TMemoryStream Stream;
  Stream.WriteBuffer(Rtf.c_str(), static_cast<int64_t>(Rtf.size()) + 1);
  Stream.SetPosition(0);
  RichEdit.StreamIn(Stream, SF_RTF | SFF_SELECTION);
}

int MyMessageDialog(const std::string& Msg, TMsgDlgType DlgType,
                    const std::vector<TMsgDlgBtn>& Buttons,
                    const std::vector<std::string>& Captions) {
  TDialogRequest Request{DialogCaption(DlgType), Msg, DlgType, {}, 0};
  // The dialog shows its buttons in their fixed order, whatever order they were asked in.
  std::vector<TMsgDlgBtn> Shown;
  for (const TButtonKind& Kind : ButtonKinds) {
    if (std::find(Buttons.begin(), Buttons.end(), Kind.Button) == Buttons.end()) continue;
    Shown.push_back(Kind.Button);
    std::string Caption =
        Shown.size() <= Captions.size() ? Captions[Shown.size() - 1] : Kind.Caption;
    Request.Buttons.push_back({Caption, Kind.ModalResult});
  }
  Request.DefaultButton = DefaultButtonOf(Shown);
  return MessageSink().ShowModal(Request);
}

void TTreeViewItterator::EnumFromHere(TTreeNode* Node) {
  if (!OnNode || !Node) return;
  if (WithStartNode) OnNode(Node);
  for (int Index = 0; Index < Node->Count(); ++Index) Visit(Node->Item(Index));
}

void TTreeViewItterator::Visit(TTreeNode* Node) {
  if (!ChildrenFirst) OnNode(Node);
  if (Node->HasChildren() && (WithCollapsed || Node->Expanded))
    for (int Index = 0; Index < Node->Count(); ++Index) Visit(Node->Item(Index));
  if (ChildrenFirst) OnNode(Node);
}
