// Rich text composed, saved, read back from the database file: plain lines, a 10 MB body, and
// random compositions with fixed seeds, which use every kind of record and link.
#include <cstring>
#include <random>

#include "ELotusNotes.h"
#include "RichTextFixture.h"
#include "TNotesView.h"
#include "notesapi/notesrt.h"

namespace {

class RichTextRoundTripTest : public RichTextFixture {
 protected:
  void SetUp() override {
    RichTextFixture::SetUp();
    FViews = std::make_unique<TNotesDatabase>();
    FViews->CreateNew("", "views.nsf", "mail.ntf");
    FTargetID = SavedDocument("target");
  }
  void TearDown() override {
    NotesRTFailItemAppend(0, NOERROR);
    FViews.reset();
    RichTextFixture::TearDown();
  }
  std::string BodyText() {
    return TNotesRichTextItem::Create(*FDocument, "Body")->GetRichText().Text();
  }

  // The document links point at, opened afresh: the database is reopened between writing and
  // reading.
  std::unique_ptr<TNotesDocument> Target() {
    return std::make_unique<TNotesDocument>(*FDatabase, FTargetID);
  }

  std::unique_ptr<TNotesDatabase> FViews;
  NOTEID FTargetID = 0;
};

bool SameBytes(const void* A, const void* B, size_t Size) {
  return std::memcmp(A, B, Size) == 0;
}

TEST_F(RichTextRoundTripTest, PlainLinesComeBackAsTheyWere) {
  TStringList lines;
  for (const std::string& line : {std::string(), std::string("Grüße, 漢字"),
                                  std::string(100000, 'x'), std::string(), std::string("last")})
    lines.Add(line);
  FDocument->GetItemByName("Body")->SetRichText(lines);
  SaveAndReopen();
  EXPECT_EQ(BodyText(), lines.Text());
  EXPECT_EQ(FDocument->GetBodyAsString(), lines.Text());
}

// The new field is built before the old one goes: a failure leaves the note as it was.
TEST_F(RichTextRoundTripTest, AFailedPlainSetRichTextChangesNothing) {
  FDocument->SetBodyAsString("old");
  TStringList lines;
  lines.Add("new");
  NotesRTFailItemAppend(0, ERR_NOTESRT_STORAGE);
  EXPECT_THROW(FDocument->GetItemByName("Body")->SetRichText(lines), ELotusNotes);
  EXPECT_EQ(FDocument->GetBodyAsString(), "old\r\n");
  NotesRTFailItemAppend(0, NOERROR);
  auto body = TNotesRichTextItem::Create(*FDocument, "Body");
  body->SetRichText(lines);
  EXPECT_EQ(BodyText(), "new\r\n");
}

TEST_F(RichTextRoundTripTest, ATenMegabyteBodyReadsBackWhole) {
  // The last line has no CR LF: a paragraph mark at the very end would read as one more line.
  std::string text;
  for (int line = 0; line < 10240; ++line)
    text += (line > 0 ? "\r\n" : "") + std::string(1020, static_cast<char>('a' + line % 26)) +
            (line % 16 ? "..." : "ü.");
  auto body = NewBody();
  body->AddTextPara(text);
  body->SaveContext();
  SaveAndReopen();
  EXPECT_GT(FDocument->CountMultipleItems("Body"), 200);
  // Compared as a whole: a failure must not print ten megabytes.
  EXPECT_TRUE(FDocument->GetBodyAsString() == text + "\r\n");
}

// What a random composition should read back as: its lines and its links.
class TComposition {
 public:
  TComposition(unsigned Seed, TNotesDocument& Target, TNotesView& View)
      : FRandom(Seed), FTarget(Target), FView(View) {}
  TComposition(const TComposition&) = delete;
  TComposition& operator=(const TComposition&) = delete;

  void Compose(TNotesRichTextItem& Body) {
    Text(Body);  // a paragraph mark before any text would not count as a line
    for (int step = 0; step < 150; ++step) Step(Body, Pick(9));
    // An empty paragraph at the very end reads as no line at all.
    if (FLines.back().empty()) Text(Body);
  }
  std::string ExpectedText() const {
    std::string text;
    for (const std::string& line : FLines) text += line + "\r\n";
    return text;
  }
  const std::vector<LinkDef>& Links() const { return FLinks; }

 private:
  int Pick(int Count) { return static_cast<int>(FRandom() % static_cast<unsigned>(Count)); }
  std::string Words() {
    static const char* const words[] = {"a", "Grüße", "漢字", "tab\there", "x", "long"};
    std::string text = words[Pick(6)];
    for (int count = Pick(40); count > 0; --count) text += std::string(" ") + words[Pick(6)];
    if (Pick(20) == 0) text += std::string(20000, 'z');
    return text;
  }
  void Text(TNotesRichTextItem& Body) {
    const std::string text = Words();
    Body.AddText(text);
    FLines.back() += text;
  }
  void Para(TNotesRichTextItem& Body) {
    Body.AddPara();
    FLines.emplace_back();
  }
  void Step(TNotesRichTextItem& Body, int Kind) {
    switch (Kind) {
      case 0:
        return Text(Body);
      case 1:
        return Para(Body);
      case 2: {
        const std::string first = Words(), second = Words();
        Body.AddTextPara(first + "\r\n" + second);
        FLines.back() += first;
        FLines.push_back(second);
        return;
      }
      case 3:
        Body.SetParaJustification(static_cast<TRichTextJustification>(Pick(5)));
        Body.SetParaIntProperty(Pick(6), Pick(3000));
        Body.SetParaStyleOptions({static_cast<TRichTextStyleOption>(Pick(15))});
        return;
      case 4: {
        static const char* const faces[] = {"", "Arial", "arial", "Courier New", "Times"};
        Body.FaceName = faces[Pick(5)];
        Body.Font = static_cast<TRichTextFont>(Pick(3));
        Body.FontSize = 8 + Pick(20);
        Body.FontColor = static_cast<WORD>(Pick(16));
        Body.SetFontBoolProperty(Pick(9), Pick(2) == 1);
        return;
      }
      case 5:
        return Table(Body);
      case 6: {
        Body.StartSection(Words(), static_cast<WORD>(Pick(16)),
                          {static_cast<TRichTextSectionFlag>(Pick(13))},
                          static_cast<TRichTextSectionBorder>(Pick(6)));
        FLines.emplace_back();
        Text(Body);
        Body.EndSection();
        return;
      }
      case 7: {
        const std::string url = "https://example.com/" + std::to_string(Pick(1000)),
                          shown = Pick(2) ? Words() : "";
        Body.AddUrl(url, shown);
        FLines.back() += shown.empty() ? url : shown;
        return;
      }
      default:
        return Link(Body);
    }
  }
  void Table(TNotesRichTextItem& Body) {
    Body.CreateTable(static_cast<WORD>(Pick(1440)), {static_cast<TRichTextTableOption>(Pick(3))},
                     static_cast<WORD>(Pick(200)), static_cast<WORD>(Pick(200)));
    const int rows = 1 + Pick(3), columns = 1 + Pick(3);
    for (int row = 0; row < rows; ++row)
      for (int column = 0; column < columns; ++column) {
        Body.AddCell(row, column,
                     RichTextCell(static_cast<WORD>(Pick(2000)), static_cast<WORD>(Pick(2000)),
                                  {static_cast<TRichTextCellOption>(Pick(3))},
                                  static_cast<WORD>(Pick(10000)), 1, 2, 3, 4,
                                  static_cast<WORD>(Pick(16)), Pick(2) == 1, Pick(2) == 1));
        FLines.emplace_back();
        Text(Body);
      }
    Body.EndTable();
    FLines.emplace_back();
  }
  void Link(TNotesRichTextItem& Body) {
    LinkDef link;
    link.Comment = Words();
    link.ReplicaID = FTarget.Database().GetReplicaInfo().ID;
    switch (Pick(4)) {
      case 0: {
        TNotesView* view = Pick(2) ? &FView : nullptr;
        Body.AddDocLink(FTarget, link.Comment, view);
        link.Kind = LinkKindDocument;
        if (view) link.ViewUNID = view->GetUniversalID();
        link.NoteUNID = FTarget.GetUniversalID();
        break;
      }
      case 1:
        Body.AddViewLink(FView, link.Comment);
        link.Kind = LinkKindView;
        link.ReplicaID = FView.Database().GetReplicaInfo().ID;
        link.ViewUNID = FView.GetUniversalID();
        break;
      case 2:
        Body.AddDbLink(FTarget.Database(), link.Comment);
        link.Kind = LinkKindDatabase;
        break;
      default:
        link.Anchor = Words();
        Body.AddAnchorLink(FTarget, link.Comment, link.Anchor);
        link.Kind = LinkKindAnchor;
        link.NoteUNID = FTarget.GetUniversalID();
    }
    FLinks.push_back(link);
  }

  std::mt19937 FRandom;
  TNotesDocument& FTarget;
  TNotesView& FView;
  std::vector<std::string> FLines{""};
  std::vector<LinkDef> FLinks;
};

TEST_F(RichTextRoundTripTest, RandomCompositionsComeBackAsWritten) {
  TNotesView* inbox = FViews->GetViews("($Inbox)");
  ASSERT_NE(inbox, nullptr);
  for (unsigned seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE(seed);
    FDocument = FDatabase->CreateDocument();
    std::string context;
    std::unique_ptr<TComposition> composition;
    {
      const auto target = Target();
      composition = std::make_unique<TComposition>(seed, *target, *inbox);
      auto body = NewBody();
      composition->Compose(*body);
      context = ContextBytes(*body);
      body->SaveContext();
    }
    SaveAndReopen();
    // Every item holds whole records from its first byte, at most 64,000 bytes of them.
    std::vector<std::unique_ptr<TNotesItem>> items;
    items.push_back(TNotesRichTextItem::Create(*FDocument, "Body"));
    while (auto next = items.back()->CreateNextItem()) items.push_back(std::move(next));
    std::string joined;
    for (const auto& item : items) {
      DWORD walked = 0;
      EXPECT_EQ(static_cast<TNotesRichTextItem&>(*item).ReadItem(
                    [&](auto&, const char*, WORD, DWORD Length) -> WORD {
                      walked += Length + Length % 2;
                      return NOERROR;
                    }),
                NOERROR);
      EXPECT_LE(item->ValueLength(), 2u + 64000u);
      EXPECT_EQ(walked, item->ValueLength() - 2);
      const std::vector<char> value = item->GetValueBuffer();
      joined.append(value.begin() + 2, value.end());
    }
    ASSERT_EQ(joined.size(), context.size() + 8);
    EXPECT_EQ(joined.substr(0, context.size()), context);
    EXPECT_EQ(joined.substr(context.size(), 4), Hex("85 FF 08 00"));
    EXPECT_EQ(BodyText(), composition->ExpectedText());
    const auto read = TNotesRichTextItem::Create(*FDocument, "Body");
    ASSERT_EQ(read->GetLinkCount(), static_cast<int>(composition->Links().size()));
    for (int index = 0; index < read->GetLinkCount(); ++index) {
      const LinkDef link = read->GetLink(index), &expected = composition->Links()[index];
      EXPECT_EQ(link.Comment, expected.Comment);
      EXPECT_EQ(link.Anchor, expected.Anchor);
      EXPECT_EQ(link.Kind, expected.Kind);
      EXPECT_TRUE(SameBytes(&link.ReplicaID, &expected.ReplicaID, sizeof(TIMEDATE)));
      EXPECT_TRUE(SameBytes(&link.ViewUNID, &expected.ViewUNID, sizeof(UNID)));
      EXPECT_TRUE(SameBytes(&link.NoteUNID, &expected.NoteUNID, sizeof(UNID)));
    }
  }
}

}  // namespace
