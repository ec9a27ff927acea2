// The corpus through our import and export, read by the peers that are installed: LibreOffice
// (the authority), unrtf and pandoc. Each case is skipped, saying so, where its peer is
// missing. Every document prints a line of the fidelity table: whether LibreOffice's text of
// the re-export is its text of the original, and each kind of property it shows the same.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <regex>
#include <set>

#include "ChildProcess.h"
#include "Corpus.h"
#include "FileText.h"
#include "RenderedProperties.h"
#include "TempDir.h"

namespace {

using namespace corpustest;

bool Installed(const std::string& Program) {
  return vesktest::RunCommand("command -v " + Program + " >/dev/null 2>&1").ExitCode == 0;
}

// The re-exports, export(import(R)) of every corpus document, and LibreOffice's renderings of
// them, made once: LibreOffice takes seconds to start.
class PeerFidelity : public testing::TestWithParam<std::string> {
 public:
  static void SetUpTestSuite() {
    FDir = std::make_unique<vesktest::TempDir>();
    std::filesystem::create_directory(Reexported(""));
    for (const std::string& name : CorpusDocuments())
      vesktest::WriteFileText(Reexported(name), ExportCd(ImportRtf(CorpusRtf(name))));
    if (!Installed("soffice")) return;
    const std::string office =
        "soffice --headless -env:UserInstallation=file://" + (FDir->Path() / "profile").string();
    for (const char* format : {"\"txt:Text (encoded):UTF8\"", "\"xhtml:XHTML Writer File:UTF8\""})
      vesktest::RunCommand(office + " --convert-to " + format + " --outdir " +
                           (FDir->Path() / "office").string() + " " + Reexported("").string() +
                           "/*.rtf >/dev/null 2>&1");
  }
  // VESK_FIDELITY_KEEP=DIR keeps the re-exports and their renderings there for a look.
  static void TearDownTestSuite() {
    if (const char* keep = std::getenv("VESK_FIDELITY_KEEP"))
      std::filesystem::copy(FDir->Path(), keep,
                            std::filesystem::copy_options::recursive |
                                std::filesystem::copy_options::overwrite_existing);
    FDir.reset();
  }

 protected:
  static std::filesystem::path Reexported(const std::string& Name) {
    return FDir->Path() / "reexported" / (Name.empty() ? "" : Name + ".rtf");
  }
  static std::string Office(const std::string& Name, const char* Extension) {
    const std::filesystem::path file = FDir->Path() / "office" / (Name + Extension);
    return std::filesystem::exists(file) ? vesktest::ReadFileText(file) : "(no rendering)";
  }
  // What Command (a reader of RTF on its standard input) writes of File.
  static std::string Rendering(const std::string& Command, const std::filesystem::path& File) {
    return vesktest::RunCommand(Command + " '" + File.string() + "' 2>/dev/null").Output;
  }

  static inline std::unique_ptr<vesktest::TempDir> FDir;
};

// Kinds of property compared between two renderings; those the original does not show print
// as "-".
const char* const Kinds[] = {"b",      "i",     "u",      "s",    "sup",  "sub",  "face",   "size",
                             "colour", "align", "indent", "list", "cell", "link", "picture"};

TEST_P(PeerFidelity, LibreOfficeReadsTheReexportAsTheOriginal) {
  if (!Installed("soffice")) GTEST_SKIP() << "soffice is not installed (scripts/setup-peers)";
  const std::string& name = GetParam();
  const bool sameText =
      NormalisedText(Office(name, ".txt")) == NormalisedText(GoldenFile(name, ".txt"));
  EXPECT_TRUE(sameText) << NormalisedText(Office(name, ".txt"));
  const TRenderedProperties original = RenderedProperties(GoldenFile(name, ".xhtml"));
  const TRenderedProperties ours = RenderedProperties(Office(name, ".xhtml"));
  std::string row = "fidelity | " + name + " | text " + (sameText ? "equal" : "DIFFERENT");
  for (const char* kind : Kinds) {
    const auto found = original.find(kind);
    const std::string expected = found == original.end() ? "" : found->second;
    const std::string actual = ours.count(kind) ? ours.at(kind) : "";
    row += std::string(" | ") + kind + " " +
           (expected.empty() && actual.empty() ? "-"
            : expected == actual               ? "kept"
                                               : "LOST");
    EXPECT_EQ(actual, expected) << kind;
  }
  std::cout << row << "\n";
}

// unrtf shows the text and b, i, u, faces and colours of our RTF as LibreOffice shows them in
// the original; unrtf drops the character after a \uN fallback above U+FFFF, so documents with
// such characters are left out.
TEST_P(PeerFidelity, UnrtfReadsTheReexportAsLibreOfficeReadsTheOriginal) {
  if (!Installed("unrtf")) GTEST_SKIP() << "unrtf is not installed (scripts/setup-peers)";
  const std::string text = GoldenFile(GetParam(), ".txt");
  if (std::any_of(text.begin(), text.end(), [](char c) { return (c & 0xF8) == 0xF0; }))
    GTEST_SKIP() << "characters above U+FFFF";
  const TRenderedProperties original = RenderedProperties(GoldenFile(GetParam(), ".xhtml"));
  const TRenderedProperties ours =
      RenderedProperties(Rendering("unrtf --html --nopict", Reexported(GetParam())));
  for (const char* kind : {"text", "b", "i", "u", "face", "colour"})
    EXPECT_EQ(ours.count(kind) ? ours.at(kind) : "", original.count(kind) ? original.at(kind) : "")
        << kind;
}

// The structure pandoc reads: the kinds of inline and block it finds, the link targets, and
// the number of tables and pictures.
std::set<std::string> PandocStructure(const std::string& Native) {
  std::set<std::string> structure;
  static const std::regex kind(
      R"(\b(Strong|Emph|Underline|Strikeout|Superscript|Subscript|Link|BulletList|OrderedList)\b)");
  for (std::sregex_iterator it(Native.begin(), Native.end(), kind), end; it != end; ++it)
    structure.insert(it->str());
  for (const char* counted : {"Table", "Image"}) {
    const std::regex word(std::string(R"(\b)") + counted + R"(\b)");
    const auto count = std::distance(std::sregex_iterator(Native.begin(), Native.end(), word),
                                     std::sregex_iterator());
    if (count) structure.insert(counted + (" " + std::to_string(count)));
  }
  static const std::regex target(R"re(\( "([^"]*)" , "" \))re");
  for (std::sregex_iterator it(Native.begin(), Native.end(), target), end; it != end; ++it)
    structure.insert("-> " + (*it)[1].str());
  return structure;
}

// pandoc finds in the re-export all it finds in the original (it misreads some of
// LibreOffice's RTF, where it then finds more in ours).
TEST_P(PeerFidelity, PandocReadsTheSameStructure) {
  if (!Installed("pandoc")) GTEST_SKIP() << "pandoc is not installed (scripts/setup-peers)";
  const std::string command = "pandoc -f rtf -t native";
  const auto ours = PandocStructure(Rendering(command, Reexported(GetParam())));
  for (const std::string& found :
       PandocStructure(Rendering(command, CorpusDir() / "rtf" / (GetParam() + ".rtf"))))
    EXPECT_TRUE(ours.count(found)) << found;
}

INSTANTIATE_TEST_SUITE_P(Documents, PeerFidelity, testing::ValuesIn(CorpusDocuments()), CaseName);

}  // namespace
