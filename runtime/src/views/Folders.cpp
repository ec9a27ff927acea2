#include "views/Folders.h"

#include <algorithm>
#include <cstring>

#include "core/EStatus.h"
#include "note/Note.h"
#include "note/NoteWriter.h"
#include "notesapi/foldman.h"
#include "notesapi/nsfnote.h"
#include "storage/Database.h"
#include "storage/FolderStore.h"
#include "text/TextFold.h"
#include "text/TimeConversion.h"
#include "views/design/DesignItems.h"
#include "views/design/DesignLookup.h"
#include "views/design/DesignNote.h"

namespace notesrt {

namespace {

using design::MainTitle;

constexpr char LevelSeparator = '\\';

// "Title|Alias" -> "|Alias"; "" without an alias.
std::string AliasPart(std::string_view Title) {
  size_t bar = Title.find('|');
  return bar == Title.npos ? std::string() : std::string(Title.substr(bar));
}

std::string LastLevel(std::string_view Main) {
  size_t separator = Main.rfind(LevelSeparator);
  return std::string(separator == Main.npos ? Main : Main.substr(separator + 1));
}

// Main titles of the levels above Main: "A\B\C" -> "A", "A\B".
std::vector<std::string> ParentLevels(std::string_view Main) {
  std::vector<std::string> parents;
  for (size_t at = Main.find(LevelSeparator); at != Main.npos;
       at = Main.find(LevelSeparator, at + 1))
    parents.emplace_back(Main.substr(0, at));
  return parents;
}
}  // namespace

std::string FolderName(const char* Name, WORD Length) {
  if (!Name) throw EStatus(ERR_NOTESRT_FOLDER_NAME);
  std::string name(Name, Length == MAXWORD ? strnlen(Name, MAXWORD) : Length);
  std::string main = MainTitle(name);
  size_t start = 0;
  while (start <= main.size()) {
    size_t end = std::min(main.find(LevelSeparator, start), main.size());
    std::string level = MainTitle(main.substr(start, end - start));
    if (level.empty() || level.size() > DESIGN_FOLDER_MAX_NAME)
      throw EStatus(ERR_NOTESRT_FOLDER_NAME);
    start = end + 1;
  }
  return name;
}

design::TViewSpec TFolders::DefaultSpec() {
  return design::TViewSpec{
      "", "", {{"From", "", ""}, {"", "@Created", ""}, {"Subject", "", ""}}, true, false, ""};
}

design::TViewSpec TFolders::SpecOf(NOTEID View) {
  TStoredNote stored = FDatabase->Notes().Load(View);
  if (stored.Header.Class != NOTE_CLASS_VIEW) throw EStatus(ERR_NOTESRT_NOT_VIEW);
  design::TDesignNote note(stored.Items);
  if (!note.VisibleTo(design::CurrentUser())) throw EStatus(ERR_VIEW_NOACCESS);
  design::TViewSpec spec{note.Title(), "", {}, true, note.Text(design::HierarchyItem) == "1",
                         note.Owner()};
  for (const std::string& column : note.TextList(design::ColumnsItem))
    spec.Columns.push_back(design::TColumnText::Parse(column));
  return spec;
}

TFolders::TFolderInfo TFolders::FolderInfo(NOTEID Folder) {
  TStoredNote stored = FDatabase->Notes().Load(Folder);
  design::TDesignNote note(stored.Items);
  if (stored.Header.Class != NOTE_CLASS_VIEW || !note.IsFolder())
    throw EStatus(ERR_NOTESRT_NOT_FOLDER);
  if (!note.VisibleTo(design::CurrentUser())) throw EStatus(ERR_VIEW_NOACCESS);
  return {note.Title(), !note.Owner().empty()};
}

std::string TFolders::FolderTitle(NOTEID Folder) {
  return FolderInfo(Folder).Title;
}

bool TFolders::IsPrivate(NOTEID Folder) {
  return FolderInfo(Folder).Private;
}

// A name any view or folder the user sees already answers to (other than Except) is taken.
void TFolders::CheckFree(std::string_view Name, NOTEID Except) {
  for (auto scope : {design::TDesignScope::Shared, design::TDesignScope::Private}) {
    for (const std::string& part : design::TitleParts(Name)) {
      if (part.empty()) continue;
      if (design::FindDesignNote(*FDatabase, part, NOTE_CLASS_VIEW, scope, Except))
        throw EStatus(ERR_NOTESRT_FOLDER_EXISTS);
    }
  }
}

NOTEID TFolders::Create(std::string_view Name, bool Private, const design::TViewSpec& Format) {
  std::string owner = Private ? design::CurrentUser() : std::string();
  if (Private && owner.empty()) throw EStatus(ERR_NOTESRT_NO_USER);
  return FDatabase->Write([&] {
    CheckFree(Name, 0);
    design::TDesignBuilder builder;
    for (const std::string& parent : ParentLevels(MainTitle(Name))) {
      if (design::FolderTree(*FDatabase, parent).empty())
        builder.View({parent, "", Format.Columns, true, Format.Hierarchy, owner});
    }
    builder.View({std::string(Name), "", Format.Columns, true, Format.Hierarchy, owner});
    return builder.Build(FDatabase).back();
  });
}

void TFolders::SetTitle(NOTEID Note, const std::string& Title) {
  TStoredNote stored = FDatabase->Notes().Load(Note);
  TNote note(FDatabase, NULLHANDLE, stored.Header);
  note.Load(stored.Items);
  note.DeleteAll(design::TitleItem);
  note.Append(design::TitleItem, ITEM_SUMMARY, TYPE_TEXT, Title, CurrentTimeDate());
  SaveNote(note);
}

// The folder takes Title; each sub-folder keeps its place below it and its own alias.
void TFolders::Retitle(NOTEID Folder, const std::string& Title) {
  std::string oldMain = MainTitle(FolderTitle(Folder));
  std::string newMain = MainTitle(Title);
  for (NOTEID sub : design::FolderTree(*FDatabase, oldMain)) {
    if (sub == Folder) continue;
    std::string title = FolderTitle(sub);
    std::string main = MainTitle(title);
    std::string moved = newMain + main.substr(std::min(oldMain.size(), main.size()));
    CheckFree(moved, sub);
    SetTitle(sub, moved + AliasPart(title));
  }
  CheckFree(Title, Folder);
  SetTitle(Folder, Title);
}

void TFolders::Rename(NOTEID Folder, std::string_view Name) {
  FDatabase->Write([&] { Retitle(Folder, std::string(Name)); });
}

void TFolders::Move(NOTEID Folder, NOTEID Parent) {
  FDatabase->Write([&] {
    std::string title = FolderTitle(Folder);
    std::string leaf = LastLevel(MainTitle(title));
    if (Parent == 0) return Retitle(Folder, leaf + AliasPart(title));
    std::string parentMain = MainTitle(FolderTitle(Parent));
    std::vector<NOTEID> tree = design::FolderTree(*FDatabase, MainTitle(title));
    if (std::find(tree.begin(), tree.end(), Parent) != tree.end())
      throw EStatus(ERR_NOTESRT_FOLDER_NAME);
    Retitle(Folder, parentMain + LevelSeparator + leaf + AliasPart(title));
  });
}

NOTEID TFolders::CopyOne(NOTEID Folder, const std::string& Title) {
  design::TViewSpec spec = SpecOf(Folder);
  spec.Title = Title;
  CheckFree(Title, 0);
  NOTEID copy = design::TDesignBuilder().View(spec).Build(FDatabase).front();
  TFolderStore(FDatabase->File()).Copy(Folder, copy);
  return copy;
}

NOTEID TFolders::Copy(NOTEID Folder, std::string_view Name) {
  return FDatabase->Write([&] {
    std::string oldMain = MainTitle(FolderTitle(Folder));
    std::string newMain = MainTitle(Name);
    std::vector<NOTEID> tree = design::FolderTree(*FDatabase, oldMain);
    NOTEID copy = CopyOne(Folder, std::string(Name));
    for (NOTEID sub : tree) {
      if (sub == Folder) continue;
      std::string main = MainTitle(FolderTitle(sub));
      CopyOne(sub, newMain + main.substr(std::min(oldMain.size(), main.size())));
    }
    return copy;
  });
}

void TFolders::Delete(NOTEID Folder) {
  FDatabase->Write([&] {
    for (NOTEID sub : design::FolderTree(*FDatabase, MainTitle(FolderTitle(Folder))))
      FDatabase->DeleteNote(sub, false);
  });
}

void TFolders::AddDocuments(NOTEID Folder, const std::set<NOTEID>& Ids) {
  FDatabase->Write([&] {
    FolderTitle(Folder);
    for (NOTEID id : Ids) {
      std::optional<TNoteRow> row = FDatabase->Notes().Row(id);
      bool document = row && !row->Deleted && row->Header.Class == NOTE_CLASS_DOCUMENT &&
                      row->Header.ProfileName.empty();
      if (!document) throw EStatus(ERR_NOTESRT_NOT_DOCUMENT);
    }
    TFolderStore(FDatabase->File()).Add(Folder, Ids);
  });
}

void TFolders::RemoveDocuments(NOTEID Folder, const std::set<NOTEID>& Ids) {
  FDatabase->Write([&] {
    FolderTitle(Folder);
    TFolderStore(FDatabase->File()).Remove(Folder, Ids);
  });
}

void TFolders::RemoveAll(NOTEID Folder) {
  FDatabase->Write([&] {
    FolderTitle(Folder);
    TFolderStore(FDatabase->File()).RemoveAll(Folder);
  });
}

}  // namespace notesrt
