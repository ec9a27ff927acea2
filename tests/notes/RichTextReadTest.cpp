// Reading rich text that comes from outside: attachments, links, text and records of items
// written here record by record, damaged ones included.
#include <cstring>
#include <fstream>
#include <stdexcept>

#include "Classes.h"
#include "ELotusNotes.h"
#include "NotesErrorOf.h"
#include "RichTextFixture.h"

namespace {

class RichTextReadTest : public RichTextFixture {
 protected:
  // A CDTEXT in Swiss 10 point; with Pad the pad byte after an odd text.
  static std::string Run(const std::string& Text, bool Pad = true) {
    std::string run =
        Hex("85 FF") + Word(static_cast<WORD>(8 + Text.size())) + Hex("01 00 00 0A") + Text;
    return Pad ? Even(run) : run;
  }
  static std::string Paragraph() { return Hex("81 02"); }
  static std::string Link2(WORD Index, const std::string& Strings) {
    return Even(Hex("91 FF") + Word(static_cast<WORD>(6 + Strings.size())) + Word(Index) + Strings);
  }
  static std::string LinkExport2(const NOTELINK& Target, const std::string& Strings) {
    return Even(Hex("92 FF") + Word(static_cast<WORD>(44 + Strings.size())) +
                std::string(reinterpret_cast<const char*>(&Target), sizeof(Target)) + Strings);
  }
  void Append(const std::string& Name, WORD Type, const std::string& Value) {
    CheckNotesStatus(NSFItemAppend(FDocument->NoteHandle(), 0, Name.data(),
                                   static_cast<WORD>(Name.size()), Type, Value.data(),
                                   static_cast<DWORD>(Value.size())));
  }
  void AppendBody(const std::string& Records) { Append("Body", TYPE_COMPOSITE, Records); }
  void Attach(const std::string& FileName) {
    const std::filesystem::path file = FEnv.Root() / FileName;
    std::ofstream(file) << "content of " << FileName;
    FDocument->Attach(file.string());
  }
};

// Hotspots in every item of the field count; a hotspot's names stay inside its data and its
// record; only "$FILE" items a hotspot shows are listed, under the shown name in upper case.
TEST_F(RichTextReadTest, AttachmentsAreThoseTheFileHotspotsOfEveryItemShow) {
  for (const char* file : {"ATT1", "ATT2", "UNSHOWN"}) Attach(file);
  AppendBody(Run("see") + FileHotspot("ATT1", "Report.doc") + FileHotspot("NOFILE", "ghost.txt"));
  // A hotspot claiming 200 bytes of data in a 16-byte record, its name without NUL, and one
  // shorter than its fixed part.
  AppendBody(FileHotspot("att2", "report.DOC") + Hex("A9 FF 10 00 04 00 01 00 00 00 C8 00") +
             "ATT3" + Hex("A9 FF 06 00 04 00"));
  const auto body = TNotesRichTextItem::Create(*FDocument, "Body");
  ASSERT_EQ(body->GetAttachmentCount(), 2);
  EXPECT_EQ(body->GetAttachment(0), "REPORT.DOC");
  EXPECT_EQ(body->GetAttachment(1), "REPORT.DOC");
  EXPECT_EQ(body->FindAttachment("report.doc"), 0);
  EXPECT_EQ(body->FindAttachment("ghost.txt"), -1);
  const auto* file = static_cast<const BLOCKIDcl*>(body->Attachments().Objects(1));
  ASSERT_NE(file, nullptr);
  EXPECT_FALSE(ISNULLBLOCKID(file->Value));
}

TEST_F(RichTextReadTest, LinksTakeTheirTargetsFromTheirRecordOrFromLinksEntries) {
  const NOTELINK document{{{1, 2}}, {{3, 4}, {{5, 6}}}, {{7, 8}, {{9, 10}}}};
  const NOTELINK view{{{11, 12}}, {{13, 14}, {{15, 16}}}, {}};
  const NOTELINK database{{{17, 18}}, {}, {}};
  // "$Links" claims five entries and holds one.
  Append("$Links", TYPE_NOTELINK_LIST,
         Word(5) + std::string(reinterpret_cast<const char*>(&document), sizeof(document)));
  AppendBody(Link2(0, std::string("Doc\0CN=Server1/O=Org\0", 21)) +
             Link2(3, std::string("Far\0\0anchor\0", 12)) + Link2(7, std::string("Gone\0", 5)));
  AppendBody(LinkExport2(view, std::string("View\0Server1/Org\0anchor\0", 24)) +
             LinkExport2(database, "DbLink") + Hex("92 FF 14 00") + std::string(16, 'x'));
  const auto body = TNotesRichTextItem::Create(*FDocument, "Body");
  const struct {
    const char* Comment;
    const char* ServerHint;
    const char* Anchor;
    BYTE Kind;
    NOTELINK Target;
  } links[] = {
      {"Doc", "CN=Server1/O=Org", "", LinkKindDocument, document},
      {"Far", "", "anchor", LinkKindAnchor, {}},  // index past the entries: no target
      {"Gone", "", "", LinkKindUnknown, {}},
      {"View", "", "", LinkKindView, view},  // a hint that is no canonical name: none, no anchor
      {"DbLink", "", "", LinkKindDatabase, database},  // its comment runs to the record's end
  };
  ASSERT_EQ(body->GetLinkCount(), 5);
  for (int index = 0; index < 5; ++index) {
    const LinkDef link = body->GetLink(index);
    SCOPED_TRACE(links[index].Comment);
    EXPECT_EQ(link.Comment, links[index].Comment);
    EXPECT_EQ(link.ServerHint, links[index].ServerHint);
    EXPECT_EQ(link.Anchor, links[index].Anchor);
    EXPECT_EQ(link.Kind, links[index].Kind);
    EXPECT_EQ(std::memcmp(&link.ReplicaID, &links[index].Target.File, sizeof(TIMEDATE)), 0);
    EXPECT_EQ(std::memcmp(&link.ViewUNID, &links[index].Target.View, sizeof(UNID)), 0);
    EXPECT_EQ(std::memcmp(&link.NoteUNID, &links[index].Target.Note, sizeof(UNID)), 0);
  }
  const LinkDef past = body->GetLink(body->GetLinkCount());
  EXPECT_EQ(past.Comment + past.ServerHint + past.Anchor, "");
  EXPECT_EQ(past.Kind, LinkKindUnknown);
  EXPECT_THROW(body->GetLink(-1), EListError);
}

// A long field is one stream of records: a paragraph that goes on in the next item stays one
// line, and a paragraph mark at the start of an item still starts a line.
TEST_F(RichTextReadTest, PlainTextReadsEveryItemOfTheFieldAsOneStream) {
  AppendBody(Run("one") + Paragraph() + Run("two-", false) + Run("con", false));  // no pad byte
  AppendBody(Run("tinued") + Paragraph() + Run("three"));
  AppendBody(Paragraph() + Run("four"));
  const std::string text = "one\r\ntwo-continued\r\nthree\r\nfour\r\n";
  EXPECT_EQ(FDocument->GetBodyAsString(), text);
  const auto body = TNotesRichTextItem::Create(*FDocument, "Body");
  EXPECT_EQ(body->GetRichText().Text(), text);
  // Read from the second item on, the first one's text is left out.
  const auto second = body->CreateNextItem();
  EXPECT_EQ(second->GetAsString(), "tinued\r\nthree\r\nfour\r\n");
}

// Characters outside ASCII at the ends of items, and a line that goes on after one.
TEST_F(RichTextReadTest, CharactersOutsideAsciiStayWholeAcrossItems) {
  AppendBody(Run("a\x81", false));
  AppendBody(Run("\x81"
                 "b") +
             Paragraph() +
             Run("c\x81"
                 "d\x81"));
  AppendBody(Run("\x81"));
  const std::string text =
      "a\xC3\xBC\xC3\xBC"
      "b\r\nc\xC3\xBC"
      "d\xC3\xBC\xC3\xBC\r\n";
  EXPECT_EQ(FDocument->GetBodyAsString(), text);
  EXPECT_EQ(TNotesRichTextItem::Create(*FDocument, "Body")->GetRichText().Text(), text);
}

// Joined, the two items would hold whole records; each on its own does not.
TEST_F(RichTextReadTest, ARecordCutAtAnItemBoundaryIsDamage) {
  const std::string run = Run("across");
  AppendBody(Run("ok") + run.substr(0, 6));
  AppendBody(run.substr(6));
  EXPECT_THROW(FDocument->GetBodyAsString(), ELotusNotes);
}

// Objects for following items read the item they stand for; they list nothing and write
// nothing.
TEST_F(RichTextReadTest, AnObjectForAFollowingItemReadsButDoesNotWrite) {
  Attach("ATT1");
  AppendBody(Run("first"));
  AppendBody(FileHotspot("ATT1", "a.txt") + LinkExport2(NOTELINK{}, "x"));
  const auto body = TNotesRichTextItem::Create(*FDocument, "Body");
  EXPECT_EQ(body->GetAttachmentCount(), 1);
  EXPECT_EQ(body->GetLinkCount(), 1);
  std::unique_ptr<TNotesItem> next = body->CreateNextItem();
  auto* following = dynamic_cast<TNotesRichTextItem*>(next.get());
  ASSERT_NE(following, nullptr);
  following->LoadAttachmentInfo();
  following->LoadLinkInfo();
  EXPECT_EQ(following->GetAttachmentCount(), 0);
  EXPECT_EQ(following->GetLinkCount(), 0);
  EXPECT_EQ(following->GetLink(0).Kind, LinkKindUnknown);
  int records = 0;
  EXPECT_EQ(
      following->ReadItem([&](auto&, const char*, WORD, DWORD) -> WORD { return ++records, 0; }),
      NOERROR);
  EXPECT_EQ(records, 2);
  EXPECT_THROW(following->AddText("x"), ELotusNotes);
  EXPECT_THROW(following->SaveContext(), ELotusNotes);
  EXPECT_EQ(FDocument->CountMultipleItems("Body"), 2);
}

TEST_F(RichTextReadTest, ReadItemHandsEveryRecordOverAndStopsWhenAsked) {
  AppendBody(Run("a") + Paragraph() + Run("bc"));
  auto body = TNotesRichTextItem::Create(*FDocument, "Body");
  std::vector<std::pair<WORD, DWORD>> seen;
  auto collect = [&](TNotesRichTextItem& item, const char* record, WORD signature,
                     DWORD length) -> WORD {
    EXPECT_EQ(&item, body.get());
    EXPECT_EQ(static_cast<BYTE>(record[0]), signature & 0xFF);
    seen.emplace_back(signature, length);
    return seen.size() == 2 ? 77 : 0;
  };
  EXPECT_EQ(body->ReadItem(collect), 77);
  EXPECT_EQ(seen, (std::vector<std::pair<WORD, DWORD>>{{SIG_CD_TEXT, 9}, {SIG_CD_PARAGRAPH, 2}}));
  EXPECT_EQ(body->ReadItem(nullptr), NOERROR);
  EXPECT_THROW(body->ReadItem([](auto&, const char*, WORD, DWORD) -> WORD {
    throw std::runtime_error("from the handler");
  }),
               std::runtime_error);
  // A new item has no value: nothing to walk.
  EXPECT_EQ(TNotesRichTextItem::CreateNew(*FDocument, "Other")->ReadItem(collect), NOERROR);
}

TEST_F(RichTextReadTest, WhatIsNoRichTextOrIsDamagedRaises) {
  FDocument->GetItemByName("Subject")->SetAsString("plain");
  AppendBody(Run("ok") + Hex("85 FF 40 00 01 00"));  // a run that claims more than there is
  const struct {
    const char* What;
    std::function<void()> Call;
    const char* Message;
  } cases[] = {
      {"text item", [&] { TNotesRichTextItem::Create(*FDocument, "Subject"); },
       "This item is not Rich-text: Subject"},
      {"missing item", [&] { TNotesRichTextItem::Create(*FDocument, "Nothing"); }, ""},
      {"damaged item", [&] { TNotesRichTextItem::Create(*FDocument, "Body"); }, ""},
      {"damaged text", [&] { FDocument->GetBodyAsString(); }, ""},
      // A failed import keeps the field as it was (the count below).
      {"missing RTF file", [&] { TNotesRichTextItem::Create(*FDocument, "Body", "x.rtf"); }, ""},
  };
  for (const auto& test : cases) {
    const std::string error = NotesErrorOf(test.Call);
    EXPECT_NE(error, "no error") << test.What;
    if (*test.Message) {
      EXPECT_EQ(error.substr(error.find(' ') + 1), test.Message) << test.What;
    }
  }
  EXPECT_EQ(FDocument->CountMultipleItems("Body"), 1);
}

}  // namespace
