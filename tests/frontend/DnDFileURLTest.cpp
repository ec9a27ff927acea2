// Drag and drop of files, URLs and text: the byte formats other programs send (malformed ones
// included), what a drop leaves in the component, and the data objects a drag offers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DnDFileURL.h"
#include "Facility.h"
#include "ListLines.h"

namespace {

using TLines = std::vector<std::string>;
using namespace std::string_literals;

std::string Wide(const std::u16string& Text) {
  std::string bytes;
  for (char16_t c : Text) bytes += {static_cast<char>(c), static_cast<char>(c >> 8)};
  return bytes;
}

// A DROPFILES header with the given name-list offset and wide flag.
std::string DropHeader(uint32_t Offset, bool WideNames) {
  std::string header(20, '\0');
  header[0] = static_cast<char>(Offset);
  header[16] = WideNames ? 1 : 0;
  return header;
}

TEST(DnDFormats, DropFilesAreReadAndDescriptorsNamesCheckedWithinTheirBlock) {
  const struct {
    const char* Name;
    std::string Block;
    TLines Files;
  } cases[] = {
      {"8-bit",
       BuildDropFiles({"/tmp/a.txt", "/tmp/Gr\u00fc\u00dfe.doc"}),
       {"/tmp/a.txt", "/tmp/Gr\u00fc\u00dfe.doc"}},
      {"wide, two names",
       DropHeader(20, true) + Wide(u"C:\\a.txt\0C:\\\u00C4.doc\0\0"s),
       {"C:\\a.txt", "C:\\\xC3\x84.doc"}},
      {"offset past the end", DropHeader(400, false) + "a\0\0"s, {}},
      {"header cut short", std::string("\x14\0\0", 3), {}},
      {"no terminator", DropHeader(20, false) + "a.txt\0b.txt"s, {"a.txt", "b.txt"}},
      {"wide, odd byte count", DropHeader(20, true) + Wide(u"ab") + "c", {"ab"}},
      {"nothing listed", BuildDropFiles({}), {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadDropFiles(c.Block), c.Files) << c.Name;
  // Object descriptors' names are checked against the block.
  TObjectDescriptor outlook;
  outlook.DrawAspect = 1;
  outlook.SizeX = -3;
  outlook.Status = 7;
  outlook.FullUserTypeName = "Microsoft Outlook";
  outlook.SrcOfCopy = "Posteingang \xE2\x82\xAC";
  const std::string whole = BuildObjectDescriptor(outlook);
  std::string noNames = whole.substr(0, 52), pastEnd = whole, unterminated = whole;
  for (size_t field : {44, 48}) noNames[field] = noNames[field + 1] = 0;
  pastEnd[44] = static_cast<char>(0xF0);
  unterminated.resize(unterminated.size() - 2);
  const struct {
    const char* Name;
    std::string Block;
    std::string Type, Source;
  } descriptors[] = {
      {"whole", whole, "Microsoft Outlook", "Posteingang \xE2\x82\xAC"},
      {"offsets 0", noNames, "", "<Unknown Source>"},
      {"offset past the block", pastEnd, "", "Posteingang \xE2\x82\xAC"},
      {"name without its NUL", unterminated, "Microsoft Outlook", "Posteingang \xE2\x82\xAC"},
      {"cut header", whole.substr(0, 30), "", ""}};
  for (const auto& c : descriptors) {
    const TObjectDescriptor read = XlatObjectDescriptor(c.Block);
    EXPECT_EQ(read.FullUserTypeName, c.Type) << c.Name;
    EXPECT_EQ(read.SrcOfCopy, c.Source) << c.Name;
  }
  const TObjectDescriptor read = XlatObjectDescriptor(whole);
  EXPECT_EQ(read.SizeX, -3);
  EXPECT_EQ(read.Status, 7u);
}

TEST(DnDFormats, TextSplitsAtCrLfUpToItsNulAndShortcutNamesFitAndAreSafe) {
  const std::pair<std::string, TLines> cases[] = {
      {std::string("first\r\n\r\nthird\r\n", 16), {"first", "", "third"}},
      {std::string("a\rb\nc\r\nd\0e\r\nf", 13), {"a\rb\nc", "d"}},
      {std::string("\0padding", 8), {}},
      {"no end", {"no end"}}};
  for (const auto& [block, lines] : cases) EXPECT_EQ(SplitDroppedText(block), lines) << block;
  EXPECT_EQ(BuildDroppedText({"a", "", "b"}), std::string("a\r\n\r\nb\0", 7));
  EXPECT_EQ(BuildDroppedText({}), "");
  // Shortcut names fit and are safe.
  const std::string longName = std::string(255, 'x') + "\xE2\x82\xAC";
  const std::pair<std::string, std::string> names[] = {
      {"", "URL Link.url"},
      {"Example", "Example.url"},
      {"Example.URL", "Example.URL"},
      {"a/b:c*d?\"e<f>g|h\\i\tj", "a_b_c_d__e_f_g_h_i_j.url"},
      {longName, std::string(255, 'x') + ".url"}};
  for (const auto& [name, file] : names) EXPECT_EQ(ShortcutFileName(name), file) << name;
  const std::string group = BuildFileGroupDescriptor("Example.url");
  ASSERT_EQ(group.size(), 336u);
  EXPECT_EQ(static_cast<uint8_t>(group[5]), 0x80);  // FD_LINKUI
  EXPECT_EQ(ReadFileGroupDescriptor(group), "Example.url");
  EXPECT_EQ(group.substr(76, 12), std::string("Example.url\0", 12));
}

// A source with the formats of another program, each given as bytes.
std::unique_ptr<TStaticDataObject> Source(
    const std::vector<std::pair<TClipFormat, std::string>>& Formats) {
  auto source = std::make_unique<TStaticDataObject>();
  for (const auto& [format, bytes] : Formats) source->Put(format, bytes);
  return source;
}

TEST(DragDropFilesURL, DropsAreTakenInTheOrderFilesUrlText) {
  const TClipFormat url = RegisterClipboardFormat("uniformresourcelocator");
  const TClipFormat descriptor = RegisterClipboardFormat(CFSTR_OBJECTDESCRIPTOR);
  TObjectDescriptor outlook;
  outlook.FullUserTypeName = "Microsoft Outlook";
  const struct {
    const char* Name;
    std::vector<std::pair<TClipFormat, std::string>> Formats;
    TDropType Type;  // the component's after the drop
    TLines Files;
    std::string Url, Source;
    bool Accepted = true;
  } cases[] = {
      {"files and text",
       {{CF_TEXT, "t\0"}, {CF_HDROP, BuildDropFiles({"/a", "/b"})}},
       dtFile,
       {"/a", "/b"},
       "",
       "unkown"},
      {"URL and text",
       {{url, std::string("http://u\0", 9)}, {CF_TEXT, std::string("http://t\0x", 10)}},
       dtURL,
       {"/a", "/b"},  // a URL drop leaves the list as it was
       "http://t",
       "unkown"},
      {"URL alone", {{url, "http://u"}}, dtURL, {"/a", "/b"}, "http://u", "unkown"},
      {"text from Outlook",
       {{CF_TEXT, "Von\tBetreff\r\nJane\tHi\r\n"}, {descriptor, BuildObjectDescriptor(outlook)}},
       dtText,
       {"Von\tBetreff", "Jane\tHi"},
       "",
       "Microsoft Outlook"},
      // The descriptor of the Outlook drop before does not stay.
      {"text from elsewhere", {{CF_TEXT, "plain"}}, dtText, {"plain"}, "", "unkown"},
      // Refused: the last drop's fields stay.
      {"nothing known",
       {{RegisterClipboardFormat("text/html"), "<b>"}},
       dtText,
       {"plain"},
       "",
       "unkown",
       false},
  };
  TDragDropFilesURL component(nullptr);
  EXPECT_EQ(component.GetSourceObjectName(), "unkown");
  EXPECT_EQ(component.GetSourceOfCopy(), "");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    component.URL.clear();
    auto source = Source(c.Formats);
    EXPECT_EQ(component.DropTarget().Drop(*source), c.Accepted);
    EXPECT_EQ(component.DropType, c.Type);
    EXPECT_EQ(vesktest::LinesOf(component.Files), c.Files);
    EXPECT_EQ(component.URL, c.Url);
    EXPECT_EQ(component.GetSourceObjectName(), c.Source);
  }
}

// A source that offers a format at accept time and cannot give it at drop time.
class TFailingSource : public TStaticDataObject {
 protected:
  HRESULT RenderData(const TFormatEtc&, TStgMedium&) override { return E_FAIL; }
};

TEST(DragDropFilesURL, AFailedReadKeepsTheFieldsAndNothingToDragGivesNoDataObject) {
  TDragDropFilesURL component(nullptr);
  component.Files.Add("kept");
  TFailingSource source;
  source.Put(CF_HDROP, BuildDropFiles({"/x"}));
  EXPECT_TRUE(component.DropTarget().Drop(source));
  EXPECT_EQ(component.DropType, dtUnkown);
  EXPECT_EQ(vesktest::LinesOf(component.Files), TLines{"kept"});
  // A component with nothing of its drop type offers nothing to drag; what it offers otherwise is
  // read back by FreedesktopDrop.OurDragsGoOutAndComeBackTheSame.
  TDragDropFilesURL empty(nullptr);
  for (TDropType type : {dtFile, dtURL, dtText, dtUnkown}) {
    empty.DropType = type;
    EXPECT_FALSE(empty.CreateDataObject()) << type;
  }
}

// RenderData of an offered format that the object does not know, reached from outside.
class TProbeURL : public TDataObjectURL {
 public:
  using TDataObjectURL::RenderData;
  using TDataObjectURL::TDataObjectURL;
};

class TFailingMemory : public TGlobalMemory {
 public:
  std::optional<std::vector<uint8_t>> Allocate(size_t) override { return std::nullopt; }
};

TEST(DataObjects, FormatsAreRegisteredOnceAndUrlObjectsRenderTheShortcutAndDescriptor) {
  const TClipFormat first = RegisterClipboardFormat("Vesk Test Format");
  EXPECT_GE(first, 0xC000);
  EXPECT_EQ(RegisterClipboardFormat("VESK TEST FORMAT"), first);
  EXPECT_EQ(ClipboardFormatName(first), "Vesk Test Format");
  EXPECT_EQ(ClipboardFormatName(CF_TEXT), "");
  // URL objects render the shortcut and its descriptor.
  TProbeURL object("Example", "http://example.org", true);
  const TClipFormat contents = RegisterClipboardFormat(CFSTR_FILECONTENTS);
  const TClipFormat group = RegisterClipboardFormat(CFSTR_FILEDESCRIPTOR);
  EXPECT_EQ(GetGlobalData(object, CF_TEXT), std::string("http://example.org\0", 19));
  EXPECT_EQ(GetGlobalData(object, contents, 0),
            std::string("[InternetShortcut]\r\nURL=http://example.org\0", 43));
  EXPECT_EQ(ReadFileGroupDescriptor(GetGlobalData(object, group).value_or("")), "Example.url");
  TStgMedium medium;
  EXPECT_EQ(object.RenderData(TFormatEtc{CF_HDROP}, medium), E_FAIL);
  TFailingMemory failing;
  TScopedFacility<TGlobalMemory> installed(failing);
  EXPECT_EQ(object.GetData(TFormatEtc{CF_TEXT}, medium), E_OUTOFMEMORY);
  EXPECT_EQ(TDataObjectURL("", "u", false).QueryGetData(TFormatEtc{contents}), DV_E_FORMATETC);
}

}  // namespace
