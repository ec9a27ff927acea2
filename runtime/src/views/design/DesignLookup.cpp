#include "views/design/DesignLookup.h"

#include <algorithm>

#include "notesapi/nsfnote.h"
#include "search/SearchScan.h"
#include "storage/Database.h"
#include "text/TextFold.h"
#include "views/design/DesignNote.h"

namespace notesrt::design {

namespace {

// Calls Visit for every design note of Class the scope admits, until it returns true.
template <class TVisit>
NOTEID FindIn(TDatabase& Database, WORD Class, TDesignScope Scope, TVisit&& Visit) {
  std::string user = CurrentUser();
  TNoteScan scan(Database.File(), TScanFilter{Class, -1, false, true});
  TNoteScan::TNotes batch;
  while (scan.Next(batch)) {
    for (const TScannedNote& note : batch) {
      TDesignNote design(note.Items);
      bool inScope = Scope == TDesignScope::Shared ? !design.IsPrivate()
                                                   : design.IsPrivate() && design.VisibleTo(user);
      if (inScope && Visit(note.Header.Id, design)) return note.Header.Id;
    }
  }
  return 0;
}

}  // namespace

NOTEID FindDesignNote(TDatabase& Database, std::string_view Name, WORD Class, TDesignScope Scope,
                      NOTEID Except) {
  return FindIn(Database, Class, Scope, [&](NOTEID Id, const TDesignNote& Design) {
    return Id != Except && TitleMatches(Design.Title(), Name);
  });
}

std::vector<NOTEID> FolderTree(TDatabase& Database, std::string_view Title) {
  std::string key = FoldLmbcs(MainTitle(Title));
  std::vector<NOTEID> tree;
  for (TDesignScope scope : {TDesignScope::Shared, TDesignScope::Private}) {
    FindIn(Database, NOTE_CLASS_VIEW, scope, [&](NOTEID Id, const TDesignNote& Design) {
      std::string title = FoldLmbcs(MainTitle(Design.Title()));
      bool below = title.size() > key.size() && title.compare(0, key.size(), key) == 0 &&
                   title[key.size()] == '\\';
      if (Design.IsFolder() && (title == key || below)) tree.push_back(Id);
      return false;
    });
  }
  std::sort(tree.begin(), tree.end());
  return tree;
}

}  // namespace notesrt::design
