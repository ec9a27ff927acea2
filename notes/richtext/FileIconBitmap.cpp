// The picture an attachment hotspot shows: the file type's icon with the file's name below it.
#include "FileIconBitmap.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>

#include "Bitmap8.h"
#include "NotesRichText.h"
#include "Registry.h"
#include "StringList.h"
#include "SysUtils.h"

namespace {

constexpr int IconSize = 32;
constexpr int Margin = 2;
constexpr char DefaultIconKey[] = "DefaultIcon";

enum class TIconKind { Generic, Text, Picture, Archive };

TIconKind KindOf(const std::string& Extension) {
  static const struct {
    const char* Extensions;
    TIconKind Kind;
  } Kinds[] = {{".txt.csv.log.rtf.doc.docx.odt.md.htm.html.xml.ini.prn", TIconKind::Text},
               {".bmp.png.jpg.jpeg.jpe.gif.tif.tiff.svg.ico", TIconKind::Picture},
               {".zip.gz.tgz.bz2.xz.7z.rar.tar.cab.jar", TIconKind::Archive}};
  const std::string ext = LowerCase(Extension) + ".";
  if (ext.size() < 3) return TIconKind::Generic;
  for (const auto& kind : Kinds)
    if ((std::string(kind.Extensions) + ".").find(ext) != std::string::npos) return kind.Kind;
  return TIconKind::Generic;
}

// A sheet of paper with a folded corner, marked for its kind.
TBitmap8 BuiltInIcon(TIconKind Kind) {
  TBitmap8 icon(IconSize, IconSize);
  const uint8_t grey = 8, blue = 12, green = 2, yellow = 11, brown = 3;
  icon.FillRect(5, 1, 27, 31, TBitmap8::Black);
  icon.FillRect(6, 2, 26, 30, TBitmap8::White);
  icon.FillRect(20, 1, 27, 8, grey);
  switch (Kind) {
    case TIconKind::Text:
      for (int line = 10; line < 28; line += 4) icon.FillRect(9, line, 23, line + 2, blue);
      break;
    case TIconKind::Picture:
      icon.FillRect(8, 10, 24, 27, blue);
      icon.FillRect(17, 12, 21, 16, yellow);
      for (int row = 0; row < 8; ++row)
        icon.FillRect(12 - row, 19 + row, 14 + row, 20 + row, green);
      break;
    case TIconKind::Archive:
      icon.FillRect(8, 10, 24, 27, brown);
      for (int row = 10; row < 27; row += 2) icon.FillRect(15, row, 17, row + 1, yellow);
      break;
    case TIconKind::Generic:
      icon.FillRect(9, 12, 23, 14, grey);
      break;
  }
  return icon;
}

// Depth first below the open key: the default value of the first key named DefaultIcon.
std::optional<std::string> SearchIconLocation(TRegistry& Registry, const std::string& Path) {
  if (!Registry.OpenKeyReadOnly("\\" + Path)) return std::nullopt;
  TStringList names;
  Registry.GetKeyNames(names);
  for (int index = 0; index < names.Count(); ++index) {
    const std::string child = Path + "\\" + names.Strings(index);
    if (names.Strings(index) == DefaultIconKey) {
      if (!Registry.OpenKeyReadOnly("\\" + child)) return std::nullopt;
      return Registry.ReadString("");
    }
    if (auto found = SearchIconLocation(Registry, child)) return found;
  }
  return std::nullopt;
}

// The icon location of the extension's key, else of the class it names. None: no key.
std::optional<std::string> IconLocation(const std::string& Extension, bool& KeyFound) {
  TRegistry registry;
  registry.SetRootKey(HKEY_CLASSES_ROOT);
  KeyFound = !Extension.empty() && registry.OpenKeyReadOnly("\\" + Extension);
  if (!KeyFound) return std::nullopt;
  const std::string className = registry.ReadString("");
  if (auto found = SearchIconLocation(registry, Extension)) return found;
  if (className.empty()) return std::nullopt;
  return SearchIconLocation(registry, className);
}

std::optional<TBitmap8> LoadBmpFile(const std::string& Path) {
  std::ifstream file(Path, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return TBitmap8::LoadFromBmp(bytes.str());
}

// The icon a location names: the file before the first comma (the index after it means nothing
// to a .bmp), when that is a .bmp file that loads.
std::optional<TBitmap8> IconOf(const std::string& FileName) {
  const std::string extension = ExtractFileExt(FileName);
  bool keyFound = false;
  const std::optional<std::string> location = IconLocation(extension, keyFound);
  if (!keyFound && !FileExists(FileName)) return std::nullopt;
  if (!location) return BuiltInIcon(KindOf(extension));
  const std::string file = location->substr(0, location->find(','));
  if (!SameText(ExtractFileExt(file), ".bmp")) return BuiltInIcon(KindOf(extension));
  return LoadBmpFile(file);
}

}  // namespace

std::string MakeFileIconBitmap(const std::string& FileName) {
  try {
    const std::optional<TBitmap8> icon = IconOf(FileName);
    if (!icon) return "";
    const std::string name = ExtractFileName(FileName);
    const int textWidth = TBitmap8::TextWidth(name);
    // Wide enough for the icon too: a short name must not cut it.
    const int width = std::max(textWidth, icon->Width()) + 2 * Margin;
    TBitmap8 picture(width, icon->Height() + TBitmap8::GlyphHeight + 2 * Margin);
    picture.Draw((width - icon->Width()) / 2, Margin, *icon);
    picture.TextOut((width - textWidth) / 2, icon->Height() + Margin, name);
    const std::string path = RichTextTempFile("~import", ".bmp");
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << picture.SaveToBmp();
    out.close();
    if (!out) {
      std::remove(path.c_str());
      return "";
    }
    return path;
  } catch (const std::exception&) {
    // No picture is no failure: the hotspot then shows the name as text.
    return "";
  }
}
