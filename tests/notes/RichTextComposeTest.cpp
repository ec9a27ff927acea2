// The records TNotesRichTextItem writes into its context, byte by byte.
#include <functional>

#include "ELotusNotes.h"
#include "NotesCharset.h"
#include "NotesErrorOf.h"
#include "RichTextFixture.h"
#include "TNotesFont.h"

namespace {

using RichTextComposeTest = RichTextFixture;
using TWrite = std::function<void(TNotesRichTextItem&)>;

// CDPABDEFINITION 1 (no wrapping, one-inch left and first-line margins, a tab at 720), then its
// CDPABREFERENCE: how every context starts.
std::string DefaultStyle() {
  return Hex("82 FF 46 00 01 00 04 00 00 00 00 00 00 00 A0 05 00 00 A0 05 00 00 D0 02") +
         std::string(38 + 2 + 4 + 2, '\0') + Hex("83 04 01 00");
}

WORD WordAt(const std::string& Bytes, size_t Offset) {
  return static_cast<WORD>(static_cast<uint8_t>(Bytes.at(Offset)) |
                           static_cast<uint8_t>(Bytes.at(Offset + 1)) << 8);
}

TEST_F(RichTextComposeTest, RecordsAreWrittenAsTheirLayoutsSay) {
  const std::string url20 = "http://example.com/a", url21 = "http://example.com/ab";
  const std::string runA = Hex("85 FF 09 00 01 00 00 0A 61 00");  // "a" in Swiss 10, padded
  // What is written, and the bytes after the style every context starts with.
  const std::pair<TWrite, std::string> cases[] = {
      {[](auto& body) { body.AddTextPara("a\r\nb"); },
       runA + Hex("81 02 85 FF 09 00 01 00 00 0A 62 00")},
      {[](auto& body) { body.AddTextPara("a\r\n"); }, runA + Hex("81 02")},
      {[](auto& body) { body.AddText(""); }, Hex("85 FF 08 00 01 00 00 0A")},
      // An even URL gets two zeros and data length 22; an odd one data length 21, the pad byte
      // ending it. Both records are 34 bytes. The text shown is the URL without zeros.
      {[&](auto& body) { body.AddUrl(url20, ""); },
       Hex("A9 FF 22 00 0B 00 03 10 00 00 16 00") + url20 + Hex("00 00") +
           Hex("85 FF 1C 00 00 00 00 00") + url20 + Hex("AA 02")},
      {[&](auto& body) { body.AddUrl(url21, ""); },
       Hex("A9 FF 22 00 0B 00 03 10 00 00 15 00") + url21 + Hex("00") +
           Hex("85 FF 1D 00 00 00 00 00") + url21 + Hex("00 AA 02")},
      {[](auto& body) { body.CreateTable(720, {rtBorderExtrude}, 100, 200); },
       Hex("A3 0E D0 02 64 00 C8 00 00 00 00 00 0A 00")},
      {[](auto& body) { body.CreateTable(720, {rtAutoWidth}, 100, 200); },
       Hex("A3 0E D0 02 64 00 C8 00 64 00 C8 00 03 00")},
      {[](auto& body) {
         body.AddText("");
         body.AddCell(2, 3,
                      RichTextCell(1440, 2880, {rcUseBkColor}, 500, 1, 2, 3, 2, 4, true, false));
       },
       Hex("85 FF 08 00 01 00 00 0A A4 12 02 03 A0 05 40 0B F4 01 AD 03 31 22 01 00 04 00 "
           "81 02")},
      {[](auto& body) { body.StartSection("Hi", 4, {rtsExpanded}, rtsBorderDouble); },
       Hex("AD FF 0C 00 0C 00 09 00 00 00 00 00 AC FF 12 00 02 00 00 34 00 00 00 00 04 00 "
           "48 69 00 00 85 FF 08 00 00 00 00 00 81 02")},
      // rtsDisabled sets the bit rtsExpanded sets.
      {[](auto& body) { body.StartSection("Hi", 4, {rtsDisabled}, rtsBorderDouble); },
       Hex("AD FF 0C 00 0C 00 09 00 00 00 00 00 AC FF 12 00 02 00 00 34 00 00 00 00 04 00 "
           "48 69 00 00 85 FF 08 00 00 00 00 00 81 02")},
      {[](auto& body) { body.StartSection("Hey", 0, {}, rtsBorderShadow); },
       Hex("AD FF 0C 00 0C 00 09 00 00 00 00 00 AC FF 12 00 00 00 00 04 00 00 00 00 00 00 "
           "48 65 79 00 85 FF 08 00 00 00 00 00 81 02")},
      {[](auto& body) {
         body.AddText("");
         body.EndSection();
         body.EndTable();
       },
       Hex("85 FF 08 00 01 00 00 0A AE 02 A5 06 00 00 00 00 85 FF 08 00 01 00 00 0A 81 02")},
      {[](auto& body) { body.AddDbLink(body.Document().Database(), ""); },
       Hex("92 FF 2F 00 01 02 03 04 05 06 07 08") + std::string(32 + 3 + 1, '\0')},
      // Records copied into the context keep even offsets.
      {[](auto& body) {
         body.AddToContext(Hex("81 02").data(), SIG_CD_PARAGRAPH, 2);
         body.AddToContext(Hex("85 FF 09 00 01 00 00 0A 7A").data(), SIG_CD_TEXT, 9);
         body.AddPara();
       },
       Hex("81 02 85 FF 09 00 01 00 00 0A 7A 00 81 02")},
  };
  DBREPLICAINFO replica = FDatabase->GetReplicaInfo();
  replica.ID = TIMEDATE{{0x04030201, 0x08070605}};
  FDatabase->SetReplicaInfo(replica);
  for (const auto& [write, expected] : cases) {
    auto body = NewBody();
    write(*body);
    SCOPED_TRACE(testing::PrintToString(expected));
    ASSERT_TRUE(body->HasContext());
    EXPECT_EQ(ContextBytes(*body).substr(0, 74), DefaultStyle());
    // A paragraph whose style changed ends with a new definition; only what comes before it
    // is compared.
    EXPECT_EQ(AfterStyle(*body).substr(0, expected.size()), expected);
    EXPECT_EQ(body->ContextPos(), body->ContextSize());
  }
  auto empty = NewBody();
  empty->AddTextPara("");
  EXPECT_FALSE(empty->HasContext());
}

// Bullets and numbers widen a margin of exactly one inch to 1800; other margins stay.
TEST_F(RichTextComposeTest, ListParagraphsGetRoomForTheirMarks) {
  const struct {
    TRichTextStyleOptions Options;
    int32_t LeftMargin;
    WORD Flags, Left, FirstLine;
  } cases[] = {
      {{rsBullet}, 1440, 0x0400, 1800, 1800},
      {{rsBullet}, 1441, 0x0400, 1441, 1800},
      {{rsNumberList, rsKeepTogether}, 1440, 0x1004, 1800, 1800},
      {{rsDisplayRM, rsHideNotes}, 1440, 0x8080, 1440, 1440},
  };
  for (const auto& test : cases) {
    auto body = NewBody();
    body->SetParaStyleOptions(test.Options);
    body->SetParaIntProperty(3, test.LeftMargin);
    body->SetParaJustification(rjCenter);
    body->AddText("x");
    const std::string style = ContextBytes(*body);
    SCOPED_TRACE(test.Flags);
    EXPECT_EQ(WordAt(style, 6), JUSTIFY_CENTER);
    EXPECT_EQ(WordAt(style, 14), test.Left);
    EXPECT_EQ(WordAt(style, 18), test.FirstLine);
    EXPECT_EQ(WordAt(style, 62), test.Flags);
  }
}

TEST_F(RichTextComposeTest, StyleChangedFollowsTheParagraphSettings) {
  auto body = NewBody();
  EXPECT_TRUE(body->StyleChanged());
  const struct {
    const char* Step;
    TWrite Write;
    bool Changed;
  } steps[] = {
      {"new context", [](auto& b) { b.CreateContext(); }, false},
      {"same left margin", [](auto& b) { b.SetParaIntProperty(3, 1440); }, false},
      {"other left margin", [](auto& b) { b.SetParaIntProperty(3, 1441); }, true},
      {"paragraph", [](auto& b) { b.AddPara(); }, false},
      {"same justification", [](auto& b) { b.SetParaJustification(rjNone); }, false},
      {"other justification", [](auto& b) { b.SetParaJustification(rjBlock); }, true},
      {"update", [](auto& b) { b.UpdateParaStyle(); }, false},
      {"same options", [](auto& b) { b.SetParaStyleOptions({}); }, false},
      {"other options", [](auto& b) { b.SetParaStyleOptions({rsBullet}); }, true},
      {"style", [](auto& b) { b.AddStyle(); }, false},
      {"font flag", [](auto& b) { b.SetFontBoolProperty(0, true); }, false},
      {"section", [](auto& b) { b.StartSection("s", 0, {}, rtsBorderNone); }, false},
  };
  DWORD pabID = body->PabID();
  for (const auto& step : steps) {
    step.Write(*body);
    EXPECT_EQ(body->StyleChanged(), step.Changed) << step.Step;
  }
  EXPECT_EQ(body->PabID(), pabID + 5);  // context, paragraph, update, style, section
  EXPECT_THROW(body->SetParaIntProperty(6, 0), ELotusNotes);
  EXPECT_THROW(body->GetFontBoolProperty(9), ELotusNotes);
}

// Font IDs: face, attributes, colour, size. One face number per face name, whatever its case,
// attributes, colour or size; the note's own entries are used as they are.
TEST_F(RichTextComposeTest, AFaceNameTakesOneFaceNumber) {
  FDocument->LoadFontTable();  // the note's table: "Times" as face 9, family 0x12
  FDocument->FontTable()->AddObject("Times", new TNotesFont(9, 0x12));
  FDocument->SetMaxFontID(9);
  FDocument->SaveFontTable();
  SaveAndReopen();
  const struct {
    const char* Face;
    int Flag;  // FontFlags index set for the run, or -1
    WORD Color;
    int32_t Size;
    const char* FontID;
  } runs[] = {
      {"", -1, 0, 10, "01 00 00 0A"},     {"", 8, 2, 12, "01 A0 02 0C"},
      {"Arial", 0, 2, 12, "0A 01 02 0C"}, {"ARIAL", 1, 0, 9, "0A 02 00 09"},
      {"times", 7, 0, 10, "09 90 00 0A"}, {"Courier New", -1, 15, 8, "0B 00 0F 08"},
  };
  auto body = NewBody();
  body->CreateContext();
  for (const auto& run : runs) {
    body->FaceName = run.Face;
    for (int flag = 0; flag < 9; ++flag) body->SetFontBoolProperty(flag, flag == run.Flag);
    body->FontColor = run.Color;
    body->FontSize = run.Size;
    const DWORD before = body->ContextSize();
    body->AddText("");
    EXPECT_EQ(ContextBytes(*body).substr(before + 4, 4), Hex(run.FontID)) << run.Face;
  }
  body->SaveContext();
  SaveAndReopen();
  FDocument->LoadFontTable();
  const TStringList& table = *FDocument->FontTable();
  std::string faces;  // name, face and family of each
  for (int index = 0; index < table.Count(); ++index) {
    const auto* font = static_cast<const TNotesFont*>(table.Objects(index));
    faces += table.Strings(index) + " " + std::to_string(font->Face) + " " +
             std::to_string(font->Family) + "; ";
  }
  EXPECT_EQ(faces, "Times 9 18; Arial 10 0; Courier New 11 0; ");
}

TEST_F(RichTextComposeTest, ThereIsNoFace255) {
  auto body = NewBody();
  for (int face = 5; face <= 254; ++face) {
    body->FaceName = "Face " + std::to_string(face);
    body->AddText("");
  }
  EXPECT_EQ(FDocument->MaxFontID(), 254);
  const DWORD size = body->ContextSize();
  body->FaceName = "One too many";
  EXPECT_EQ(NotesErrorOf([&] { body->AddText("x"); }), "-1 Too many fonts defined");
  EXPECT_EQ(body->ContextSize(), size);
  body->FaceName = "face 5";
  body->AddText("known faces still work");
}

// Writers whose record would not fit its 16-bit length, or whose arguments cannot be stored,
// raise before anything is written.
TEST_F(RichTextComposeTest, WhatCannotBeStoredIsRefusedBeforeWriting) {
  const std::string huge(70000, 'x');
  const UNIVERSALNOTEID none{};
  const std::pair<const char*, TWrite> cases[] = {
      {"long URL", [&](auto& b) { b.AddUrl(huge, ""); }},
      {"long URL text", [&](auto& b) { b.AddUrl("http://x", huge); }},
      {"long link comment", [&](auto& b) { b.AddLink(TIMEDATE{}, none, none, huge); }},
      {"long section title", [&](auto& b) { b.StartSection(huge, 0, {}, rtsBorderNone); }},
      {"link data length", [&](auto& b) { b.AddLink(TIMEDATE{}, none, none, "abc", 7); }},
      {"row 256", [](auto& b) { b.AddCell(256, 0, TRichTextCell{}); }},
      {"column 256", [](auto& b) { b.AddCell(0, 256, TRichTextCell{}); }},
      {"row -1", [](auto& b) { b.AddCell(-1, 0, TRichTextCell{}); }},
  };
  for (const auto& [what, write] : cases) {
    auto body = NewBody();
    body->AddText("");
    const std::string before = ContextBytes(*body);
    EXPECT_THROW(write(*body), ELotusNotes) << what;
    EXPECT_EQ(ContextBytes(*body), before) << what;
  }
  auto body = NewBody();
  body->AddLink(TIMEDATE{}, none, none, "abc", 6);
  body->AddCell(255, 255, TRichTextCell{});
}

// Long text becomes runs of at most 16 KB, cut between characters, all in one paragraph.
TEST_F(RichTextComposeTest, LongTextIsCutIntoRunsBetweenCharacters) {
  std::string text = "a";
  for (int i = 0; i < 14000; ++i) text += "漢";  // three bytes in LMBCS
  auto body = NewBody();
  body->AddText(text);
  const std::string lmbcs = Native2Lmbcs(text), bytes = AfterStyle(*body);
  std::string joined;
  std::vector<size_t> runs;
  for (size_t at = 0; at < bytes.size();) {
    ASSERT_EQ(WordAt(bytes, at), SIG_CD_TEXT);
    const size_t length = WordAt(bytes, at + 2) - 8u;
    runs.push_back(length);
    joined += bytes.substr(at + 8, length);
    at += 8 + length + length % 2;
  }
  EXPECT_EQ(runs, (std::vector<size_t>{16384, 16383, 9234}));
  EXPECT_EQ(joined, lmbcs);
}

// Text in records is LMBCS: section titles and URLs included.
TEST_F(RichTextComposeTest, TitlesAndUrlsAreConvertedToLmbcs) {
  auto body = NewBody();
  body->StartSection("Grüße", 0, {}, rtsBorderNone);
  body->AddUrl("http://example.com/ü", "Straße");
  const std::string bytes = ContextBytes(*body);
  for (const char* text : {"Grüße", "http://example.com/ü", "Straße"}) {
    EXPECT_NE(bytes.find(Native2Lmbcs(text)), std::string::npos) << text;
    EXPECT_EQ(bytes.find(text), std::string::npos) << text;
  }
}

}  // namespace
