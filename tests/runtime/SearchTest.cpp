// NSFSearch over the notes of a database and over a directory.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "ViewFixtureTest.h"
#include "notesapi/misc.h"
#include "notesapi/nsfsearc.h"
#include "notesapi/osmem.h"
#include "notesapi/ossignal.h"
#include "notesapi/ostime.h"
#include "search/SearchSummary.h"

namespace runtimetest {
namespace {

using notesrt::design::TViewSpec;

// What the routine saw of each match.
struct Match {
  NOTEID Id = 0;
  WORD Class = 0;
  BYTE Flags = 0;
  std::map<std::string, std::string> Summary;
  WORD SummaryLength = 0;
  WORD TableLength = 0;
};

struct Collected {
  std::vector<Match> Matches;
  size_t StopAfter = 0;
};

STATUS LNCALLBACK Collect(void* Parameter, SEARCH_MATCH* SearchMatch, ITEM_TABLE* Summary) {
  auto& collected = *static_cast<Collected*>(Parameter);
  Match match{SearchMatch->ID.NoteID,     SearchMatch->NoteClass,
              SearchMatch->SERetFlags,    {},
              SearchMatch->SummaryLength, 0};
  if (Summary) {
    match.TableLength = Summary->Length;
    std::string_view table(reinterpret_cast<const char*>(Summary), Summary->Length);
    std::string_view name;
    std::string_view value;
    for (size_t item = 0; notesrt::TSummaryTable::ItemAt(table, item, name, value); ++item)
      match.Summary[std::string(name)] = ValueText(value);
  }
  collected.Matches.push_back(match);
  return collected.StopAfter && collected.Matches.size() == collected.StopAfter ? 0x1234 : NOERROR;
}

class SearchTest : public ViewsTest {
 protected:
  std::vector<Match> Search(const std::string& Formula, WORD Class = NOTE_CLASS_DOCUMENT,
                            WORD Flags = 0, TIMEDATE* Since = nullptr, TIMEDATE* Until = nullptr) {
    FORMULAHANDLE formula = NULLHANDLE;
    if (!Formula.empty()) {
      EXPECT_EQ(NSFFormulaCompile(nullptr, 0, Formula.c_str(), static_cast<WORD>(Formula.size()),
                                  &formula, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
                NOERROR);
    }
    Collected collected;
    EXPECT_EQ(NSFSearch(FDb, formula, nullptr, Flags, Class, Since, Collect, &collected, Until),
              NOERROR);
    if (formula) OSMemFree(formula);
    return collected.Matches;
  }

  static std::vector<NOTEID> IdsOf(const std::vector<Match>& Matches) {
    std::vector<NOTEID> ids;
    for (const Match& match : Matches) ids.push_back(match.Id);
    return ids;
  }
};

TEST_F(SearchTest, ClassMasksSelectDocumentsFormsAndViewsWithOnlyOwnPrivateOnes) {
  SetUser("CN=Ann/O=Acme");
  NOTEID doc = Doc({{"Subject", "x"}});
  auto design = notesrt::design::TDesignBuilder()
                    .Form({{"Memo"}, {}})
                    .View(TViewSpec{"Shared", "", {}, false, false, ""})
                    .View(TViewSpec{"Folder", "", {}, true, false, ""})
                    .View(TViewSpec{"Mine", "", {}, false, false, "CN=Ann/O=Acme"})
                    .View(TViewSpec{"Theirs", "", {}, true, false, "CN=Bob/O=Acme"})
                    .Build(FDb);
  EXPECT_EQ(IdsOf(Search("")), (std::vector<NOTEID>{doc}));
  EXPECT_EQ(IdsOf(Search("", NOTE_CLASS_FORM)), (std::vector<NOTEID>{design[0]}));
  EXPECT_EQ(IdsOf(Search("", NOTE_CLASS_VIEW)), (std::vector<NOTEID>{design[1], design[2]}));
  EXPECT_EQ(IdsOf(Search("@All", NOTE_CLASS_VIEW | NOTE_CLASS_PRIVATE)),
            (std::vector<NOTEID>{design[1], design[2], design[3]}));
  for (const Match& match : Search("", NOTE_CLASS_VIEW)) EXPECT_EQ(match.Class, NOTE_CLASS_VIEW);
}

TEST_F(SearchTest, FormulasSeeTheDatabaseOfTheNote) {
  char info[NSF_INFO_SIZE] = "Team notes";
  ASSERT_EQ(NSFDbInfoSet(FDb, info), NOERROR);
  NOTEID doc = Doc({{"Subject", "x"}});
  EXPECT_EQ(IdsOf(Search("@DbTitle = \"Team notes\" & @Subset(@DbName; -1) = \"views.nsf\"")),
            (std::vector<NOTEID>{doc}));
  NOTEID view = AddView(TViewSpec{"Where", "", {{"", "@DbTitle", ""}}, false, false, ""});
  EXPECT_EQ(Column(ReadAll(view), "$0"), (std::vector<std::string>{"Team notes"}));
}

TEST_F(SearchTest, DeletionStubsAndProfilesAreNeverReported) {
  NOTEID kept = Doc({{"Subject", "kept"}});
  NOTEID gone = Doc({{"Subject", "gone"}});
  ASSERT_EQ(NSFNoteDelete(FDb, gone, 0), NOERROR);
  NoteRef profile;
  ASSERT_EQ(NSFProfileOpen(FDb, "Settings", 8, nullptr, 0, TRUE, profile.Out()), NOERROR);
  AppendText(profile.Get(), "Subject", "profile");
  ASSERT_EQ(NSFProfileUpdate(profile.Get(), "Settings", 8, nullptr, 0), NOERROR);
  EXPECT_EQ(IdsOf(Search("")), (std::vector<NOTEID>{kept}));
  EXPECT_EQ(IdsOf(Search("@All", NOTE_CLASS_ALL)), (std::vector<NOTEID>{kept}));
}

// Waits for the clock to pass Time by a whole tick, so that what happens next is later
// whichever way a clock reading rounds its hundredths.
void PassTime(const TIMEDATE& Time) {
  TIMEDATE passed = Time;
  for (int tick = 0; tick < 2; ++tick) {
    TIMEDATE now{};
    do OSCurrentTIMEDATE(&now);
    while (TimeDateCompare(&now, &passed) <= 0);
    passed = now;
  }
}

TEST_F(SearchTest, SinceTimeGivesOnlyLaterChangesAndUntilIsTheNextSince) {
  NOTEID old = Doc({{"Subject", "old"}});
  TIMEDATE modified{};
  ASSERT_EQ(NSFDbGetNoteInfo(FDb, old, nullptr, &modified, nullptr), NOERROR);
  PassTime(modified);
  TIMEDATE until{};
  EXPECT_EQ(IdsOf(Search("", NOTE_CLASS_DOCUMENT, 0, nullptr, &until)), (std::vector<NOTEID>{old}));
  PassTime(until);
  NOTEID fresh = Doc({{"Subject", "new"}});
  EXPECT_EQ(IdsOf(Search("", NOTE_CLASS_DOCUMENT, 0, &until)), (std::vector<NOTEID>{fresh}));
  TIMEDATE wildcard{{ALLDAY, ANYDAY}};
  EXPECT_EQ(IdsOf(Search("", NOTE_CLASS_DOCUMENT, 0, &wildcard)),
            (std::vector<NOTEID>{old, fresh}));
}

// Summaries hold the summary items only, up to 64 KB: items past that are left out and the
// match says so.
TEST_F(SearchTest, FormulasSelectAndSummariesHoldTheSummaryItemsUpTo64KB) {
  NoteRef note;
  ASSERT_EQ(NSFNoteCreate(FDb, note.Out()), NOERROR);
  SetFields(note.Get(), {{"Form", "Memo"}, {"Subject", "Quarterly report"}, {"Size", 42.0}});
  AppendText(note.Get(), "Body", "not in summaries", 0);
  ASSERT_EQ(NSFNoteUpdate(note.Get(), 0), NOERROR);
  Doc({{"Form", "Memo"}, {"Subject", "Lunch"}});
  Doc({{"Form", "Reply"}, {"Subject", "report"}});
  std::vector<Match> matches = Search("Form = \"Memo\" & @Contains(Subject; \"report\")",
                                      NOTE_CLASS_DOCUMENT, SEARCH_SUMMARY);
  ASSERT_EQ(IdsOf(matches), (std::vector<NOTEID>{IdOf(note.Get())}));
  EXPECT_EQ(matches[0].Flags, SE_FMATCH);
  EXPECT_EQ(matches[0].Summary,
            (std::map<std::string, std::string>{
                {"Form", "Memo"}, {"Subject", "Quarterly report"}, {"Size", "42"}}));
  EXPECT_EQ(matches[0].SummaryLength, matches[0].TableLength);
  EXPECT_TRUE(Search("")[0].Summary.empty());

  NOTEID big = Doc(
      {{"First", std::string(40000, 'a')}, {"Second", std::string(40000, 'b')}, {"Third", "c"}});
  matches = Search("First != \"\"", NOTE_CLASS_DOCUMENT, SEARCH_SUMMARY);
  ASSERT_EQ(IdsOf(matches), (std::vector<NOTEID>{big}));
  EXPECT_EQ(matches[0].Flags, SE_FMATCH | SE_FTRUNCATED);
  EXPECT_EQ(matches[0].Summary.count("First"), 1u);
  EXPECT_EQ(matches[0].Summary.count("Second"), 0u);
  EXPECT_EQ(matches[0].Summary["Third"], "c");
}

STATUS LNCALLBACK SaveDuringSearch(void* Parameter, SEARCH_MATCH* SearchMatch, ITEM_TABLE*) {
  DBHANDLE db = *static_cast<DBHANDLE*>(Parameter);
  NOTEHANDLE note = NULLHANDLE;
  STATUS status = NSFNoteOpen(db, SearchMatch->ID.NoteID, 0, &note);
  if (status == NOERROR) status = NSFNoteUpdate(note, 0);
  if (note) NSFNoteClose(note);
  return status;
}

// The routine's status, or the break handler, stops the search and is returned.
TEST_F(SearchTest, TheRoutineMaySaveItsNotesAndItsStatusOrABreakStopsTheSearch) {
  for (int index = 0; index < 600; ++index) Doc({{"Subject", "x"}});
  EXPECT_EQ(NSFSearch(FDb, NULLHANDLE, nullptr, 0, NOTE_CLASS_DOCUMENT, nullptr, SaveDuringSearch,
                      &FDb, nullptr),
            NOERROR);
  for (int index = 0; index < 70; ++index) Doc({{"Subject", "x"}});
  Collected collected;
  collected.StopAfter = 2;
  EXPECT_EQ(NSFSearch(FDb, NULLHANDLE, nullptr, 0, NOTE_CLASS_DOCUMENT, nullptr, Collect,
                      &collected, nullptr),
            0x1234);
  EXPECT_EQ(collected.Matches.size(), 2u);
  OSSetSignalHandler(OS_SIGNAL_CHECK_BREAK, BreakPressed());
  collected = Collected{};
  STATUS status = NSFSearch(FDb, NULLHANDLE, nullptr, 0, NOTE_CLASS_DOCUMENT, nullptr, Collect,
                            &collected, nullptr);
  OSSetSignalHandler(OS_SIGNAL_CHECK_BREAK, nullptr);
  EXPECT_EQ(status, ERR_CANCEL);
  EXPECT_LT(collected.Matches.size(), 70u);
}

TEST_F(SearchTest, BadHandlesAndArgumentsAreRefused) {
  Collected collected;
  EXPECT_EQ(NSFSearch(0x7777, NULLHANDLE, nullptr, 0, 1, nullptr, Collect, &collected, nullptr),
            ERR_NOTESRT_INVALID_HANDLE);
  EXPECT_EQ(NSFSearch(FDb, 0x7777, nullptr, 0, 1, nullptr, Collect, &collected, nullptr),
            ERR_NOTESRT_INVALID_HANDLE);
  EXPECT_EQ(NSFSearch(FDb, NULLHANDLE, nullptr, 0, 1, nullptr, nullptr, nullptr, nullptr),
            ERR_MISC_INVALID_ARGS);
  EXPECT_EQ(NSFSearch(FDb, NULLHANDLE, nullptr, SEARCH_FILETYPE, 0, nullptr, Collect, &collected,
                      nullptr),
            ERR_DIRECTORY);
}

class DirectorySearchTest : public SearchTest {
 protected:
  std::vector<Match> List(WORD FileTypes, WORD Flags = SEARCH_SUMMARY | SEARCH_FILETYPE) {
    DbRef directory("");
    Collected collected;
    EXPECT_EQ(NSFSearch(directory.Get(), NULLHANDLE, nullptr, Flags, FileTypes, nullptr, Collect,
                        &collected, nullptr),
              NOERROR);
    return collected.Matches;
  }

  static std::vector<std::string> Titles(const std::vector<Match>& Matches) {
    std::vector<std::string> titles;
    for (const Match& match : Matches) titles.push_back(match.Summary.at("$TITLE"));
    return titles;
  }

  void SetUp() override {
    SearchTest::SetUp();
    NewDatabase("sub/inner.nsf");
    NewDatabase("design.ntf");
    std::ofstream(FileOf("notes.txt")) << "not a database";
    char info[NSF_INFO_SIZE] = "Views Title";
    ASSERT_EQ(NSFDbInfoSet(FDb, info), NOERROR);
  }
};

TEST_F(DirectorySearchTest, FileTypesChooseEntriesWithTypeInfoPathAndLength) {
  EXPECT_EQ(Titles(List(FILE_DBANY)), (std::vector<std::string>{"views.nsf"}));
  EXPECT_EQ(Titles(List(FILE_FTANY)), (std::vector<std::string>{"design.ntf"}));
  EXPECT_EQ(Titles(List(FILE_ANY | FILE_DIRS | FILE_NOUPDIRS)),
            (std::vector<std::string>{"design.ntf", "sub", "views.nsf"}));
  EXPECT_EQ(Titles(List(FILE_DBANY | FILE_RECURSE)),
            (std::vector<std::string>{"inner.nsf", "views.nsf"}));
  std::vector<Match> matches = List(FILE_ANY | FILE_DIRS);
  ASSERT_EQ(matches.size(), 3u);
  EXPECT_EQ(matches[1].Summary["$Type"], "$DIR");
  EXPECT_EQ(matches[1].Summary["$Info"], "");
  EXPECT_EQ(matches[2].Summary["$Type"], "$NOTEFILE");
  EXPECT_EQ(matches[2].Summary["$Info"], "Views Title");
  EXPECT_EQ(matches[2].Summary["$Path"], "views.nsf");
  EXPECT_NE(matches[2].Summary["$Length"], "0");
  EXPECT_EQ(matches[2].Summary["$Modified"], "type " + std::to_string(TYPE_TIME));
  for (const Match& match : matches) EXPECT_EQ(match.Flags, SE_FMATCH);
}

// Listings read a closed file's information once; a change made since must still show.
TEST_F(DirectorySearchTest, ChangedInformationShowsInTheNextListing) {
  NewDatabase("titles.nsf");
  for (const char* title : {"First", "Second", "Third"}) {
    char info[NSF_INFO_SIZE] = {};
    std::strcpy(info, title);
    ASSERT_EQ(NSFDbInfoSet(DbRef("titles.nsf").Get(), info), NOERROR);
    ASSERT_FALSE(std::filesystem::exists(FileOf("titles.nsf-wal"))) << title;
    std::vector<Match> matches = List(FILE_DBANY);
    ASSERT_EQ(Titles(matches), (std::vector<std::string>{"titles.nsf", "views.nsf"}));
    EXPECT_EQ(matches[0].Summary["$Info"], title);
  }
}

}  // namespace
}  // namespace runtimetest
