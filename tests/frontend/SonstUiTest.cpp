// Layouts in the registry, the window and tree helpers, the message dialog and the dataset
// helpers.
#include "ByteOrder.h"
#include "ClientDataSet.h"
#include "Desktop.h"
#include "DesktopFixture.h"
#include "FileStream.h"
#include "MemoryStream.h"
#include "Registry.h"
#include "RichEdit.h"
#include "RichEditMerge.h"
#include "Sonst.h"
#include "StringList.h"
#include "TempDir.h"
#include "TreeView.h"

namespace {

const char* const Key = "Software\\Vesk\\Layout";

std::vector<uint8_t> StoredBytes(const std::string& Name) {
  TRegistry Registry;
  Registry.OpenKeyReadOnly(Key);
  return Registry.ReadBinaryData(Name);
}

void Store(const std::string& Name, const std::vector<uint8_t>& Bytes) {
  TRegistry Registry;
  Registry.OpenKey(Key, true);
  Registry.WriteBinaryData(Name, Bytes);
}

class SonstLayout : public vesktest::DesktopTest {};

TEST_F(SonstLayout, WindowPlacementIsTheFortyFourByteRecordAndDockedFormsComeBack) {
  TForm Form;
  Form.BoundsRect = {10, 20, 810, 620};
  Form.WindowState = wsMaximized;
  SaveWindowPos(Key, Form);
  std::vector<uint8_t> Bytes = StoredBytes("WindowPos");
  ASSERT_EQ(Bytes.size(), 44u);
  std::vector<uint32_t> Words;
  for (size_t Pos = 0; Pos < 44; Pos += 4) Words.push_back(GetLE32(&Bytes[Pos]));
  EXPECT_EQ(Words, (std::vector<uint32_t>{44, 0, 3, 0, 0, 0, 0, 10, 20, 810, 620}));
  TForm Restored;
  RestoreWindowPos(Key, Restored);
  EXPECT_EQ(Restored.BoundsRect, Form.BoundsRect);
  EXPECT_EQ(Restored.WindowState, wsMaximized);
  EXPECT_EQ(Restored.BroughtToFront, 0);

  // No value, a short one, or one with another length field: the form only comes to the front.
  for (auto Bad : {std::vector<uint8_t>{1, 2, 3}, std::vector<uint8_t>(44, 0)}) {
    Store("WindowPos", Bad);
    TForm Other;
    Other.BoundsRect = {1, 2, 3, 4};
    RestoreWindowPos(Key, Other);
    EXPECT_EQ(Other.BoundsRect, (TRect{1, 2, 3, 4}));
    EXPECT_EQ(Other.BroughtToFront, 1);
  }
  TForm Fresh;
  RestoreWindowPos("Software\\Vesk\\Nothing", Fresh);
  EXPECT_EQ(Fresh.BroughtToFront, 1);
  EXPECT_EQ(Fresh.BoundsRect, TRect{});
  // Docked and floating forms come back where they were.
  TControl Left, Right;
  Left.BoundsRect = {0, 0, 200, 500};
  Right.BoundsRect = {600, 0, 900, 400};
  std::vector<TControl*> Sites = {&Left, &Right, &Right};
  TForm Tool;
  Tool.BoundsRect = {5, 6, 105, 206};
  Tool.UndockWidth = 150;
  Tool.UndockHeight = 250;
  Tool.ManualDock(&Right);
  SaveDockStatus(Key, &Tool, Sites);
  TRegistry Registry;
  Registry.OpenKeyReadOnly(Key);
  EXPECT_EQ(Registry.ReadInteger("DockSiteIndex"), 2);
  EXPECT_EQ(Registry.ReadInteger("DockSiteWidth"), 300);
  EXPECT_FALSE(Registry.ValueExists("ScreenLeft"));

  TForm Docked;
  RestoreDockStatus(Key, &Docked, Sites);
  EXPECT_EQ(Docked.HostDockSite, &Right);
  EXPECT_FALSE(Docked.Floating);
  EXPECT_EQ(Docked.UndockWidth, 150);

  Tool.ManualFloat({300, 300, 450, 550});
  Tool.ClientScreenRect = {304, 330, 446, 546};
  SaveDockStatus(Key, &Tool, Sites);
  TForm Floating;
  RestoreDockStatus(Key, &Floating, Sites);
  EXPECT_TRUE(Floating.Floating);
  EXPECT_EQ(Floating.BoundsRect, (TRect{304, 330, 446, 546}));

  SaveDockStatus(Key, nullptr, Sites);
  TForm Partial;
  Registry.CloseKey();
  Registry.OpenKey(Key, false);
  Registry.DeleteValue("DockSiteIndex");
  RestoreDockStatus(Key, &Partial, Sites);
  EXPECT_EQ(Partial.BoundsRect, (TRect{300, 300, 450, 550}));
  EXPECT_FALSE(Partial.Floating);
}

TEST_F(SonstLayout, PanelsKeepWithinTheirLimitsAndGridsTakeOnlyTheStoredWidths) {
  TControl Panel;
  Panel.BoundsRect = {-50, 5, 900, 700};
  SavePanelPos(Key, Panel);
  EXPECT_EQ(StoredBytes("PanelPos").size(), 16u);
  struct {
    TRect Limits, Expected;
  } Cases[] = {{{0, 0, 0, 0}, {-50, 5, 900, 700}},
               {{10, 10, 800, 600}, {10, 10, 800, 600}},
               {{-100, 0, 1000, 0}, {-50, 5, 900, 700}}};
  for (const auto& Case : Cases) {
    TControl Restored;
    RestorePanelPosRestrict(Key, Restored, Case.Limits);
    EXPECT_EQ(Restored.BoundsRect, Case.Expected);
  }
  Store("PanelPos", std::vector<uint8_t>(12, 1));
  TControl Untouched;
  RestorePanelPos(Key, Untouched);
  EXPECT_EQ(Untouched.BoundsRect, TRect{});
  // Grids take only the widths that were stored.
  TDBGrid Grid, Wider, Narrow;
  Grid.Columns = {{"Name", 120}, {"Date", 80}};
  SaveGridPos(Key, Grid);
  Wider.Columns = {{"Name", 1}, {"Date", 2}, {"Size", 3}};
  Narrow.Columns = {{"Name", 1}};
  RestoreGridPos(Key, Wider);
  RestoreGridPos(Key, Narrow);
  EXPECT_EQ(Wider.Columns[0].Width, 120);
  EXPECT_EQ(Wider.Columns[1].Width, 80);
  EXPECT_EQ(Wider.Columns[2].Width, 3);
  EXPECT_EQ(Narrow.Columns[0].Width, 120);
}

TEST_F(SonstLayout, TreeViewItteratorWalksAsConfigured) {
  TTreeView Tree;
  TTreeNode* Root = Tree.Items.Add("root");
  TTreeNode* A = Root->AddChild("a");
  A->AddChild("a1");
  A->AddChild("a2")->AddChild("a2x");
  TTreeNode* B = Root->AddChild("b");
  B->AddChild("b1");
  B->Expanded = true;
  struct {
    bool WithCollapsed, WithStartNode, ChildrenFirst;
    const char* Expected;
  } Cases[] = {
      {true, false, false, "a a1 a2 a2x b b1 "},
      {true, true, false, "root a a1 a2 a2x b b1 "},
      {true, false, true, "a1 a2x a2 a b1 b "},
      {false, false, false, "a b b1 "},
  };
  for (const auto& Case : Cases) {
    TTreeViewItterator Walker(&Tree);
    std::string Seen;
    Walker.WithCollapsed = Case.WithCollapsed;
    Walker.WithStartNode = Case.WithStartNode;
    Walker.ChildrenFirst = Case.ChildrenFirst;
    Walker.EnumFromHere(Root);
    EXPECT_EQ(Seen, "") << "nothing without OnNode";
    Walker.OnNode = [&](TTreeNode* Node) { Seen += Node->Text + " "; };
    Walker.EnumFromHere(Root);
    EXPECT_EQ(Seen, Case.Expected);
  }
  Tree.Items.BeginUpdate();
  Tree.Items.BeginUpdate();
  EXPECT_EQ(TreeViewUpdateCount(Tree), 2);
  ForceTreeViewEndUpdate(Tree);
  EXPECT_FALSE(IsTreeViewInUpdate(Tree));
}

TEST_F(SonstLayout, TheTaskListShowsOnlyApplicationWindows) {
  TWindowList Windows;
  TScopedFacility<TWindowList> Installed(Windows);
  Windows.Add(1, "Vesk - Mail");
  Windows.Add(2, "Hidden").Visible = false;
  Windows.Add(3, "Owned").Owner = 1;
  Windows.Add(4, "Palette").ToolWindow = true;
  TTopWindow& AppTool = Windows.Add(5, "Tool app");
  AppTool.ToolWindow = AppTool.AppWindow = true;
  Windows.Add(6, "");
  Windows.Add(7, "Desktop owned").Owner = DesktopWindow;
  TStringList Tasks;
  EXPECT_TRUE(GetTasksList(Tasks));
  EXPECT_EQ(Tasks.Text(), "Vesk - Mail\r\nTool app\r\nDesktop owned\r\n");
  EXPECT_EQ(static_cast<TTopWindow*>(Tasks.Objects(1))->Handle, 5u);
}

TEST_F(SonstLayout, MyMessageDialogCaptionsTheButtonsInTheirOrder) {
  Dialogs.Answers = {mrNo};
  EXPECT_EQ(MyMessageDialog("Replace the file?", mtConfirmation, {mbCancel, mbNo, mbYes},
                            {"Replace", "Keep"}),
            mrNo);
  ASSERT_EQ(Dialogs.Shown.size(), 1u);
  const TDialogRequest& Shown = Dialogs.Shown[0];
  EXPECT_EQ(Shown.Caption, "Confirm");
  EXPECT_EQ(Shown.Text, "Replace the file?");
  ASSERT_EQ(Shown.Buttons.size(), 3u);
  EXPECT_EQ(Shown.Buttons[0].Caption, "Replace");
  EXPECT_EQ(Shown.Buttons[0].ModalResult, mrYes);
  EXPECT_EQ(Shown.Buttons[1].Caption, "Keep");
  EXPECT_EQ(Shown.Buttons[2].Caption, "Cancel");
  EXPECT_EQ(Shown.DefaultButton, 0u);
  EXPECT_EQ(MyMessageDialog("Saved", mtCustom, {mbOK}, {}), mrOk);
  EXPECT_EQ(Dialogs.Shown[1].Caption, App.Title);
}

TClientDataSet Customers(const std::vector<TFieldDef>& Defs) {
  TClientDataSet Data;
  Data.FieldDefs = Defs;
  Data.CreateDataSet();
  return Data;
}

TEST(SonstDataSet, IndexesByFieldAndCopyingAndLoadingAcrossStructures) {
  TClientDataSet Data = Customers({{"City", ftString, 20}});
  EXPECT_EQ(ChangeToIndex(Data, "City"), 0);
  EXPECT_EQ(ChangeToIndex(Data, "City"), 0);
  EXPECT_FALSE(ToggleIndex(Data, 0, "City"));
  EXPECT_EQ(Data.IndexName(), "Desc_City");
  EXPECT_TRUE(ToggleIndex(Data, 1, "City"));
  EXPECT_EQ(Data.IndexName(), "Asc_City");
  EXPECT_TRUE(ToggleIndex(Data, 0, "City"));
  EXPECT_EQ(Data.IndexDefs.size(), 2u);
  TClientDataSet Plain = Customers({{"City", ftString, 20}});
  Plain.AddIndex("Desc_City", "City", ixDescending);
  EXPECT_FALSE(ToggleIndex(Plain, 0, "City")) << "no ascending index to go back to";
  EXPECT_EQ(Plain.IndexName(), "");
  // Copying and loading across structures.
  TClientDataSet Source =
      Customers({{"Name", ftString, 10}, {"Age", ftString, 10}, {"Note", ftMemo, 0}});
  for (auto [Name, Age] : {std::pair{"Ann", "41"}, std::pair{"Bob", "unknown"}}) {
    Source.Append();
    Source.SetFieldValue("Name", Name);
    Source.SetFieldValue("Age", Age);
    Source.Post();
  }
  TClientDataSet Dest =
      Customers({{"NAME", ftString, 2}, {"Age", ftInteger, 0}, {"City", ftString, 9}});
  Dest.Append();
  Dest.SetFieldValue("City", "old row");
  Dest.Post();
  CopyCDSValues(Source, Dest);
  ASSERT_EQ(Dest.RecordCount(), 2);
  Dest.First();
  EXPECT_EQ(Dest.FieldValue("Name").AsString(), "An");
  EXPECT_EQ(Dest.FieldValue("Age").AsInteger(), 41);
  Dest.Next();
  EXPECT_TRUE(Dest.FieldValue("Age").IsNull()) << "a value the field cannot take is skipped";
  EXPECT_FALSE(CompareCDSFieldDefs(Source, Dest));

  TMemoryStream Packet;
  Source.SaveToStream(Packet);
  Packet.SetPosition(0);
  EXPECT_TRUE(LoadCDSMatchingDataFromStream(Dest, Packet));
  EXPECT_EQ(Dest.RecordCount(), 2);
  TClientDataSet Same = Customers(Source.FieldDefs);
  Same.AddIndex("ByName", "Name", ixDescending);
  Same.SetIndexName("ByName");
  vesktest::TempDir Dir;
  std::string File = (Dir.Path() / "customers.cds").string();
  Source.SaveToFile(File);
  EXPECT_TRUE(LoadCDSMatchingDataFromFile(Same, File));
  Same.First();
  EXPECT_EQ(Same.FieldValue("Name").AsString(), "Bob") << "the index stays with the data";
  EXPECT_THROW(LoadCDSMatchingDataFromFile(Same, File + ".missing"), EFOpenError);
}

std::string RtfOf(const TRichEdit& RichEdit) {
  TMemoryStream Stream;
  RichEdit.StreamOut(Stream, SF_RTF);
  return std::string(static_cast<const char*>(Stream.Memory()), static_cast<size_t>(Stream.Size()));
}

// A mail body built as the plug-in builds it: the first item into the whole control, each
// further one in place of a blank line added at the end.
TEST(SonstRichEdit, InsertRTFStringReplacesTheSelection) {
  const std::string First = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 a\\par}";
  const std::string Second = "{\\rtf1\\ansi{\\fonttbl{\\f0 Times;}}\\f0 b\\par}";
  TRichEdit RichEdit;
  RichEdit.SelectAll();
  InsertRTFString(RichEdit, First);
  EXPECT_EQ(RichEdit.Text(), "a");
  EXPECT_EQ(RichEdit.SelStart(), 1);
  EXPECT_EQ(RtfOf(RichEdit), First);

  RichEdit.AddLine(" ");
  RichEdit.SetSel(RichEdit.GetTextLen() - 1, 1);
  InsertRTFString(RichEdit, Second);
  EXPECT_EQ(RichEdit.Text(), "a\nb");
  EXPECT_EQ(RtfOf(RichEdit), RichEditMerge({First, Second}));

  // At the caret at the end the text goes into a paragraph of its own; a NUL ends it.
  InsertRTFString(RichEdit, std::string("{\\rtf1 c}\0{\\rtf1 d}", 19));
  EXPECT_EQ(RichEdit.Text(), "a\nb\nc");

  // Only whole pieces at the end can be replaced; a refused replacement changes nothing.
  for (auto [Start, Length] : {std::pair{0, 1}, std::pair{1, -1}, std::pair{3, 1}}) {
    RichEdit.SetSel(Start, Length);
    EXPECT_THROW(InsertRTFString(RichEdit, Second), ERichEditError) << Start;
    EXPECT_EQ(RichEdit.Text(), "a\nb\nc");
  }
  RichEdit.SetSel(2, -1);
  InsertRTFString(RichEdit, "plain\r\ntext");
  EXPECT_EQ(RichEdit.Text(), "a\nplain\ntext");
  RichEdit.SelectAll();
  InsertRTFString(RichEdit, Second);
  EXPECT_EQ(RtfOf(RichEdit), Second);
}

}  // namespace
