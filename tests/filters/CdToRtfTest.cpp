// Rich text to RTF: what readers see of each kind of record, and damaged input refused whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <vector>

#include "CdRecordBuilder.h"
#include "CdToRtf.h"
#include "ChildProcess.h"
#include "FileText.h"
#include "FilterFixture.h"
#include "LmbcsText.h"
#include "RtfText.h"
#include "TempDir.h"
#include "notesapi/ixedit.h"
#include "notesapi/ixport.h"
#include "notesapi/notesrterr.h"
#include "notesapi/nsfdata.h"
#include "notesapi/osmisc.h"

namespace {

using namespace filtertest;

// The text of runs goes through the runtime, which must be started.
using CdToRtf = FilterTest;

std::string Export(const std::string& Records, STATUS* Status = nullptr) {
  std::string rtf;
  STATUS status = xrtf::TCdToRtf(notesfilter::LmbcsToUtf8).Convert(Records, rtf);
  if (Status) *Status = status;
  return rtf;
}

std::string Pab(WORD Id, WORD Justify, WORD Left, WORD FirstLine, WORD Flags, WORD Right = 0) {
  std::string body = Le16(Id) + Le16(Justify) + Le16(0) + Le16(0) + Le16(0) + Le16(Left) +
                     Le16(Right) + Le16(FirstLine) + Le16(0) + Le16(720) + std::string(38, '\0') +
                     Le16(Flags) + Le32(0) + Le16(0);
  return WordRecord(0x82, body);
}

std::string Hotspot(BYTE Type, WORD HotspotType, std::string_view Data) {
  return WordRecord(Type, Le16(HotspotType) + Le32(0x1003) + Le16(Data.size()) + std::string(Data));
}

std::string Cell(BYTE Row, BYTE Column, WORD Width, BYTE Flags = 0, WORD Color = 0) {
  return ByteRecord(0xA4, std::string{static_cast<char>(Row), static_cast<char>(Column)} + Le16(0) +
                              Le16(0) + Le16(Width) + std::string{'\x55'} +
                              std::string{static_cast<char>(Flags)} + Le16(0) + Le16(0) +
                              Le16(Color));
}

std::string PictureRecords(WORD Type, WORD Width, WORD Height, const std::string& Data) {
  std::string records =
      LongRecord(0x99, Le16(Width * 15) + Le16(Height * 15) + std::string(18, '\0'));
  records += LongRecord(0x7D, Le16(Type) + Le16(Width) + Le16(Height) + Le32(Data.size()) +
                                  Le32(2) + Le32(0) + Le32(0));
  const size_t half = Data.size() / 2;
  for (std::string_view part :
       {std::string_view(Data).substr(0, half), std::string_view(Data).substr(half)})
    records += LongRecord(
        0x7C, Le16(part.size()) + Le16(part.size() + part.size() % 2) + std::string(part));
  return records;
}

// A 2 x 2 BMP of 24 bits: rows bottom up, each padded to four bytes.
std::string SmallBmp() {
  std::string pixels = std::string("\x00\x00\xFF\x00\xFF\x00", 6) + std::string(2, '\0') +
                       std::string("\xFF\x00\x00\xFF\xFF\xFF", 6) + std::string(2, '\0');
  return "BM" + Le32(54 + pixels.size()) + Le32(0) + Le32(54) + Le32(40) + Le32(2) + Le32(2) +
         Le16(1) + Le16(24) + Le32(0) + Le32(pixels.size()) + std::string(16, '\0') + pixels;
}

struct TCase {
  const char* Name;
  std::string Records;
  std::string Text;                   // as a reader shows it
  std::vector<std::string> Contains;  // in the RTF
  std::vector<std::string> Lacks;
};

// What the import also writes (paragraphs, runs, definitions, font tables) the round trip and
// the newsletter cover; these are the records it does not.
TEST_F(CdToRtf, RecordsAsReadersSeeThem) {
  const TCase cases[] = {
      {"effects are not superscript",
       TextRun("e", Font(1, 0x90, 0, 10)) + TextRun("s", Font(1, 0x30, 0, 10)),
       "es",
       {"\\embo e", "\\super\\sub s"},
       {"\\super\\sub\\embo"}},
      {"escapes and a line break inside a run",
       TextRun(std::string("a\\b{c}\td\0e\0", 12)),
       "a\\b{c}\td\ne",
       {"a\\\\b\\{c\\}\\tab d\\line e}"},
       {}},
      {"a reference to no definition is a plain paragraph",
       Paragraph() + Reference(9) + TextRun("d"),
       "d",
       {"\\pard {\\f1\\fs20 d}"},
       {}},
      {"a reference after text applies to its paragraph",
       Pab(2, 1, 1440, 1440, 0) + Paragraph() + TextRun("r") + Reference(2),
       "r",
       {"r}\\pard\\qr "},
       {}},
      {"bullets and numbering: a list for each run, the markers as text too",
       Pab(2, 0, 1800, 1440, 0x0400) + Pab(3, 0, 1800, 1440, 0x1000) + Reference(2) +
           TextRun("dot") + Paragraph() + Reference(3) + TextRun("one") + Paragraph() +
           TextRun("two") + Paragraph() + Reference(2) + TextRun("x") + Paragraph() + Reference(3) +
           TextRun("again"),
       "dot\none\ntwo\nx\nagain",
       {"\\ls1{\\pntext \\'95\\tab}", "\\ls2{\\pntext 1.\\tab}", "\\ls2{\\pntext 2.\\tab}",
        "\\ls4{\\pntext 1.\\tab}", "{\\listoverride\\listid4\\listoverridecount0\\ls4}",
        "{\\listlevel\\levelnfc23", "\\listid3}"},
       {"{\\pntext 3.", "\\pnlvl", "\\ls5"}},
      {"a URL hotspot is a link, its backslashes escaped; one left open is closed, a stray end "
       "ignored",
       ByteRecord(0xAA, "") + Hotspot(0xA9, 11, std::string("https://e.org/?a=1&b=\"2\"\0", 25)) +
           TextRun("site") + ByteRecord(0xAA, "") + TextRun(" and ") +
           Hotspot(0xA9, 11,
                   std::string(R"(\\srv\x)"
                               "\0\0",
                               9)) +
           TextRun("share"),
       "site and share",
       {"{\\field{\\*\\fldinst{ HYPERLINK \"https://e.org/?a=1&b=%222%22\" "
        "}}{\\fldrslt{{\\f1\\fs20 "
        "site}}}}",
        R"(HYPERLINK "\\\\\\\\srv\\\\x" )", "share}}}}"},
       {}},
      {"a file hotspot shows its visible part only",
       Hotspot(0xA9, 4, std::string("file0000\0report.txt\0", 20)) + TextRun("<report.txt>") +
           ByteRecord(0xAA, ""),
       "<report.txt>",
       {},
       {"file0000", "HYPERLINK"}},
      {"links show their comment",
       WordRecord(0x91, Le16(0) + std::string("Doc link\0CN=S/O=X\0\0", 19)) + TextRun(" ") +
           WordRecord(0x92, std::string(40, '\0') + std::string("View\0\0\0", 7)),
       "Doc link View",
       {},
       {"CN="}},
      {"a section is a bold title paragraph, then its content",
       TextRun("before") + Hotspot(0xAD, 12, "") +
           WordRecord(0xAC, Le32(0x04000000) + Le32(0) + Le16(2) + std::string("Details\0", 8)) +
           TextRun("") + Paragraph() + TextRun("inside") + ByteRecord(0xAE, ""),
       "before\nDetails\ninside",
       {"\\b Details}\\par "},
       {}},
      {"a table is a grid of rows and cells",
       TextRun("t") + Paragraph() + ByteRecord(0xA3, std::string(12, '\0')) +
           Cell(0, 0, 14400, 1, 2) + TextRun("a1") + Cell(0, 1, 14400) + TextRun("b1") +
           Paragraph() + TextRun("b1'") + Cell(1, 0, 14400) + TextRun("a2") + Cell(1, 1, 14400) +
           ByteRecord(0xA3, std::string(12, '\0')) + Cell(0, 0, 0) + TextRun("in") + Cell(0, 1, 0) +
           TextRun("ner") + ByteRecord(0xA5, Le32(0)) + ByteRecord(0xA5, Le32(0)) + TextRun("") +
           Paragraph() + TextRun("after"),
       "t\na1\tb1\nb1'\t\na2\tin\nner\t\nafter",
       {"\\trowd\\trgaph108 ", "\\clcbpat3\\cellx4800 ", "\\cellx9600 ",
        "\\pard\\intbl {\\f1\\fs20 a1}\\cell ", "\\clbrdrl\\brdrs\\brdrw10 "},
       {}},
      {"a table left open is closed",
       ByteRecord(0xA3, std::string(12, '\0')) + Cell(0, 0, 0) + TextRun("open"),
       "open\t\n",
       {"\\cell ", "\\row "},
       {}},
      {"a GIF picture is skipped (JPEG and PNG come back in the round trip)",
       PictureRecords(1, 1, 1, "GIF89a"),
       "",
       {},
       {"474946", "\\pict"}},
      {"a BMP picture becomes PNG",
       PictureRecords(3, 2, 2, SmallBmp()),
       "",
       {"\\pngblip\\picw2\\pich2", "89504e470d0a1a0a"},
       {"424d"}},
      {"unknown records are skipped",
       WordRecord(0xF0, "zz") + TextRun("k") + ByteRecord(0x22, "q"),
       "k",
       {},
       {}},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Name);
    STATUS status = 1;
    std::string rtf = Export(test.Records, &status);
    ASSERT_EQ(status, NOERROR);
    EXPECT_EQ(RtfToText(rtf), test.Text) << rtf;
    for (const std::string& part : test.Contains)
      EXPECT_NE(rtf.find(part), std::string::npos) << part << "\n" << rtf;
    for (const std::string& part : test.Lacks) EXPECT_EQ(rtf.find(part), std::string::npos) << part;
    EXPECT_EQ(std::count(rtf.begin(), rtf.end(), '{'), std::count(rtf.begin(), rtf.end(), '}'));
  }
}

// Readers take the body as lines: 7-bit bytes, none longer than 255 characters, and the line
// breaks only where RTF ignores them.
TEST_F(CdToRtf, SevenBitShortLines) {
  std::string text;
  for (int i = 0; i < 400; ++i) text += "Übergrößenträger 😀 ";
  std::string picture(3000, '\x42');
  std::string rtf = Export(TextRun(Lmbcs(text)) + PictureRecords(2, 10, 10, "\xFF\xD8" + picture));
  size_t start = 0;
  for (size_t end; (end = rtf.find("\r\n", start)) != std::string::npos; start = end + 2)
    EXPECT_LE(end - start, 255u);
  EXPECT_TRUE(std::all_of(rtf.begin(), rtf.end(), [](char c) { return c > 0 && c < 0x7F; }));
  std::string shown = RtfToText(rtf);
  size_t same = std::mismatch(shown.begin(), shown.end(), text.begin()).first - shown.begin();
  EXPECT_EQ(shown, text) << "same up to " << same << ": " << rtf.substr(0, 2000);
  EXPECT_TRUE(rtf.starts_with("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\r\n{\\fonttbl"));
}

TEST_F(CdToRtf, DamagedRichTextGivesAStatusAndNoDocument) {
  const std::pair<const char*, std::string> cases[] = {
      {"length past the end", TextRun("ok") + std::string("\x85\xFF\x40\x00text", 8)},
      {"length below the header", TextRun("ok") + std::string("\x85\xFF\x02\x00", 4)},
      {"DWORD length past the end", TextRun("ok") + std::string("\x99\x00\xFF\xFF\xFF\x7F", 6)},
      {"text run shorter than its font", TextRun("ok") + WordRecord(0x85, "ab")},
      {"cut header", TextRun("ok") + std::string("\x85", 1)},
  };
  for (const auto& [name, records] : cases) {
    SCOPED_TRACE(name);
    STATUS status = NOERROR;
    EXPECT_EQ(Export(records, &status), "");
    EXPECT_EQ(status, ERR_NOTESRT_RICH_TEXT_DAMAGED);
  }
}

// A newsletter of fonts, colours, attributes, lists, a link and a table.
std::string Newsletter() {
  return Pab(2, 3, 1440, 1440, 0) + Pab(3, 0, 2160, 1800, 0x0400) + Pab(4, 0, 2160, 1800, 0x1000) +
         Pab(5, 0, 1440, 1440, 0) + Reference(2) + TextRun("Monthly News", Font(1, 0x01, 4, 14)) +
         Paragraph() + Reference(5) + TextRun("Hello ") + TextRun("italic", Font(0, 0x02, 0, 12)) +
         TextRun(" and ") + TextRun("underlined", Font(4, 0x04, 2, 10)) +
         TextRun(Lmbcs(", Grüße € ")) + TextRun("struck", Font(1, 0x08, 9, 10)) + Paragraph() +
         Reference(3) + TextRun("Apples") + Paragraph() + TextRun("Pears") + Paragraph() +
         Reference(4) + TextRun("Open") + Paragraph() + TextRun("Close") + Paragraph() +
         Reference(5) + TextRun("Visit ") +
         Hotspot(0xA9, 11, std::string("https://example.org/?q=1&r=2\0\0", 30)) +
         TextRun("our site") + ByteRecord(0xAA, "") + TextRun(".") + Paragraph() +
         ByteRecord(0xA3, std::string(12, '\0')) + Cell(0, 0, 14400) + TextRun("a") +
         Cell(0, 1, 14400) + TextRun("b") + Cell(1, 0, 14400) + TextRun("c") + Cell(1, 1, 14400) +
         TextRun("d") + ByteRecord(0xA5, Le32(0)) + Paragraph() + TextRun("The end");
}

// What a reader program makes of the file, or null when the program is not installed.
std::optional<std::string> Rendering(const std::string& Command, const std::string& Rtf) {
  if (vesktest::RunCommand("command -v " + Command.substr(0, Command.find(' '))).ExitCode)
    return std::nullopt;
  vesktest::TempDir dir;
  const vesktest::CommandRun run =
      vesktest::RunCommand(Command + " " + dir.Write("in.rtf", Rtf) + " 2>/dev/null");
  return run.ExitCode ? "failed" : run.Output;
}

// The RTF is what unrtf and pandoc were seen to read right (their renderings are kept beside
// it): the same bytes come out, and where those readers are installed they read it the same.
TEST_F(CdToRtf, NewsletterAsReadersRenderIt) {
  const std::string rtf = Export(Newsletter());
  const std::string golden = std::string(GOLDEN_DIR) + "/newsletter";
  const bool write = std::getenv("VESK_WRITE_GOLDEN") != nullptr;
  if (write) std::ofstream(golden + ".rtf", std::ios::binary) << rtf;
  EXPECT_EQ(rtf, vesktest::ReadFileText(golden + ".rtf"));
  for (const auto& [command, extension] :
       {std::pair{"unrtf --html", ".unrtf.html"}, {"pandoc -f rtf -t native", ".pandoc.native"}})
    if (auto rendering = Rendering(command, rtf)) {
      if (write) std::ofstream(golden + extension) << *rendering;
      EXPECT_EQ(*rendering, vesktest::ReadFileText(golden + extension)) << command;
    }
}

// The library as the runtime loads it, with the block the rich-text library hands it: the RTF
// file, or nothing new where it refuses.
TEST_F(CdToRtf, ExportLibraryWritesTheDocumentWholeOrNothing) {
  struct TCase {
    const char* Name;
    std::optional<std::string> CdFile;  // none: no input file
    STATUS Expected;
    std::string Text;
    std::string Contains = "{\\rtf1";
  };
  const std::string records = Paragraph() + TextRun("a") + Paragraph() + TextRun("b");
  const std::string table =
      WordRecord(0x8B, Le16(1) + std::string{6, 0x10} + "Garamond" + std::string(24, '\0'));
  const TCase cases[] = {
      {"records behind the type word", Le16(TYPE_COMPOSITE) + records, NOERROR, "a\nb"},
      {"records alone", records, NOERROR, "a\nb"},
      {"a font table after the type word",
       Le16(TYPE_COMPOSITE) + table + TextRun("g", Font(6, 0, 0, 9)), NOERROR, "g",
       "{\\f6\\froman\\fcharset0 Garamond;}"},
      {"damaged records", Le16(TYPE_COMPOSITE) + records + "\x85\xFF\x40",
       ERR_NOTESRT_RICH_TEXT_DAMAGED, ""},
      {"no input file", std::nullopt, ERR_NOTESRT_FILTER_READ, ""},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Name);
    const std::filesystem::path input = Dir() / "input.cd", output = Dir() / "out.rtf";
    std::filesystem::remove(input);
    if (test.CdFile) std::ofstream(input, std::ios::binary) << *test.CdFile;
    std::ofstream(output) << "old";
    HMODULE module = nullptr;
    IXENTRYPROC entry = nullptr;
    ASSERT_EQ(OSLoadLibrary("NXRTF.DLL", 0, &module, &entry), NOERROR);
    EDITEXPORTDATA block{};
    std::strncpy(block.InputFileName, input.c_str(), sizeof block.InputFileName - 1);
    block.HeaderBuffer.Desc.Font = block.FooterBuffer.Desc.Font = DEFAULT_FONT_ID;
    block.PrintSettings.Flags = 1;
    EXPECT_EQ(entry(&block, IXFLAG_FIRST | IXFLAG_LAST, nullptr, nullptr,
                    const_cast<char*>(output.c_str())),
              test.Expected);
    OSFreeLibrary(module);
    const std::string written = vesktest::ReadFileText(output);
    if (test.Expected != NOERROR) {
      EXPECT_EQ(written, "old");
      EXPECT_FALSE(StatusText(test.Expected).empty());
      continue;
    }
    EXPECT_EQ(RtfToText(written), test.Text);
    EXPECT_NE(written.find(test.Contains), std::string::npos);
  }
}

}  // namespace
