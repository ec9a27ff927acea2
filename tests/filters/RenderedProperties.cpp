#include "RenderedProperties.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <regex>
#include <set>
#include <sstream>
#include <string_view>
#include <vector>

#include "NotesColors.h"
#include "Unicode.h"

namespace corpustest {

namespace {

using TCss = std::map<std::string, std::string>;

std::string Attribute(const std::string& Tag, const char* Name) {
  const std::string key = std::string(" ") + Name + "=\"";
  const size_t at = Tag.find(key);
  if (at == std::string::npos) return "";
  const size_t begin = at + key.size();
  return Tag.substr(begin, Tag.find('"', begin) - begin);
}

// Blanks collapsed to one space, none at either end.
std::string Collapsed(const std::string& Text) {
  static const std::regex blanks("(?:[ \t\r\n]|\xC2\xA0)+");
  std::string out = std::regex_replace(Text, blanks, " ");
  if (out.starts_with(' ')) out.erase(0, 1);
  if (out.ends_with(' ')) out.pop_back();
  return out;
}

// "a:b; c:d" as a map, values without "! important".
TCss ParseCss(const std::string& Declarations) {
  TCss css;
  std::istringstream list(Declarations);
  for (std::string declaration; std::getline(list, declaration, ';');) {
    const size_t colon = declaration.find(':');
    if (colon == std::string::npos) continue;
    std::string value = declaration.substr(colon + 1);
    value.erase(std::min(value.find('!'), value.size()));
    css[Collapsed(declaration.substr(0, colon))] = Collapsed(value);
  }
  return css;
}

// The named entities readers write: the markup's own, Latin-1 and a few punctuation marks.
std::map<std::string, char32_t> NamedEntities() {
  std::map<std::string, char32_t> named;
  std::istringstream codes(
      "amp 26 lt 3C gt 3E quot 22 apos 27 bull 2022 euro 20AC trade 2122 rarr 2192 infin 221E ne "
      "2260 le 2264 hearts 2665 mdash 2014 ndash 2013 ldquo 201C rdquo 201D lsquo 2018 rsquo 2019 "
      "hellip 2026 sigmaf 3C2");
  std::string entity;
  for (unsigned code; codes >> entity >> std::hex >> code;) named[entity] = code;
  static const char* const greek =
      "Alpha Beta Gamma Delta Epsilon Zeta Eta Theta Iota Kappa Lambda Mu Nu Xi Omicron Pi Rho - "
      "Sigma Tau Upsilon Phi Chi Psi Omega";
  std::istringstream capitals(greek);
  char32_t letter = 0x391;
  for (std::string name; capitals >> name; ++letter) {
    if (name == "-") continue;
    named[name] = letter;
    name[0] = static_cast<char>(std::tolower(name[0]));
    named[name] = letter + 0x20;
  }
  static const char* const latin1 =
      "nbsp iexcl cent pound curren yen brvbar sect uml copy ordf laquo not shy reg macr deg "
      "plusmn sup2 sup3 acute micro para middot cedil sup1 ordm raquo frac14 frac12 frac34 "
      "iquest Agrave Aacute Acirc Atilde Auml Aring AElig Ccedil Egrave Eacute Ecirc Euml Igrave "
      "Iacute Icirc Iuml ETH Ntilde Ograve Oacute Ocirc Otilde Ouml times Oslash Ugrave Uacute "
      "Ucirc Uuml Yacute THORN szlig agrave aacute acirc atilde auml aring aelig ccedil egrave "
      "eacute ecirc euml igrave iacute icirc iuml eth ntilde ograve oacute ocirc otilde ouml "
      "divide oslash ugrave uacute ucirc uuml yacute thorn yuml";
  std::istringstream names(latin1);
  char32_t c = 0xA0;
  for (std::string name; names >> name;) named[name] = c++;
  return named;
}

std::string DecodeEntities(const std::string& Text) {
  static const std::map<std::string, char32_t> named = NamedEntities();
  std::string out;
  for (size_t at = 0; at < Text.size(); ++at) {
    const size_t end = Text[at] == '&' ? Text.find(';', at) : std::string::npos;
    const std::string name = end - at <= 10 ? Text.substr(at + 1, end - at - 1) : "";
    char32_t c = 0;
    if (name.starts_with("#x"))
      c = static_cast<char32_t>(std::stoul(name.substr(2), nullptr, 16));
    else if (name.starts_with("#"))
      c = static_cast<char32_t>(std::stoul(name.substr(1)));
    else if (auto found = named.find(name); found != named.end())
      c = found->second;
    if (c == 0) {
      out += Text[at];
      continue;
    }
    AppendUtf8(out, c);
    at = end;
  }
  return out;
}

// The Notes colour of a CSS colour, "" for black and for none.
std::string NotesColour(const std::string& Css) {
  if (Css.size() != 7 || Css[0] != '#') return "";
  const unsigned long rgb = std::strtoul(Css.c_str() + 1, nullptr, 16);
  const BYTE colour = notesfilter::NearestNotesColor(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
  return colour == 0 ? "" : "c" + std::to_string(colour);
}

// A CSS length in hundredths of an inch, "" for none or zero.
std::string Hundredths(const std::string& Css) {
  char* unit = nullptr;
  double inches = std::strtod(Css.c_str(), &unit);
  if (unit == Css.c_str()) return "";
  if (std::string_view(unit) == "cm") inches /= 2.54;
  if (std::string_view(unit) == "pt") inches /= 72;
  const long value = std::lround(inches * 100);
  return value == 0 ? "" : std::to_string(value);
}

struct TElement {
  std::string Name;
  TCss Css;
  std::string Href;
  std::string List;           // for ul and ol
  int Row = -1, Column = -1;  // for tr and td
  bool Label = false;
  bool Inline = false;  // a block shown inline
};

class TRenderer {
 public:
  explicit TRenderer(const std::string& Html) : FHtml(Html) { ReadStyles(); }

  TRenderedProperties Run() {
    const size_t body = FHtml.find("<body");
    for (size_t at = body == std::string::npos ? 0 : body; at < FHtml.size();) {
      if (FHtml[at] == '<') {
        const size_t end = FHtml.find('>', at);
        if (end == std::string::npos) break;
        Tag(FHtml.substr(at, end - at + 1));
        at = end + 1;
      } else {
        const size_t end = std::min(FHtml.find('<', at), FHtml.size());
        Text(DecodeEntities(FHtml.substr(at, end - at)));
        at = end;
      }
    }
    Break();
    TRenderedProperties result;
    for (auto& [kind, runs] : FRuns)
      if (!runs.empty()) result[kind] = runs;
    return result;
  }

 private:
  struct TOpen {
    std::string Value;
    std::string Text;
  };

  void ReadStyles() {
    static const std::regex rule(R"(\.([A-Za-z0-9_]+)\s*\{([^}]*)\})");
    const size_t end = FHtml.find("</style>");
    const std::string styles = FHtml.substr(0, end == std::string::npos ? 0 : end);
    for (std::sregex_iterator it(styles.begin(), styles.end(), rule), stop; it != stop; ++it)
      FClasses[(*it)[1].str()] = ParseCss((*it)[2].str());
  }

  void Tag(const std::string& Tag) {
    if (Tag.starts_with("<!--") || Tag.starts_with("<?") || Tag.starts_with("<!")) return;
    const bool closing = Tag.starts_with("</");
    const bool empty = Tag.ends_with("/>");
    const std::string raw = Tag.substr(closing ? 2 : 1);
    const std::string name = raw.substr(0, raw.find_first_of(" \t\r\n/>"));
    if (closing) return Close(name);
    TElement element;
    element.Name = name;
    std::istringstream classes(Attribute(Tag, "class"));
    for (std::string word; classes >> word;)
      for (auto& [key, value] : FClasses[word]) element.Css[key] = value;
    for (auto& [key, value] : ParseCss(Attribute(Tag, "style"))) element.Css[key] = value;
    // LibreOffice puts the text beside a picture into inline blocks.
    element.Inline = element.Css["display"] == "inline";
    Presentational(element, Tag);
    // LibreOffice's list labels: the list kind says what they said.
    if (Attribute(Tag, "class").starts_with("ListLabel")) element.Label = true;
    if (name == "img") return Picture(Attribute(Tag, "src"));
    if (name == "br") return Break();
    if (IsBlock(name) && !element.Inline) Break();
    if (name == "tr") element.Row = ++Table().Row, Table().Column = -1;
    if (name == "td" || name == "th") element.Column = ++Table().Column;
    if (name == "ul" || name == "ol") element.List = name == "ul" ? "bullet" : "number";
    if (!empty) FStack.push_back(std::move(element));
  }

  // The older elements of unrtf and pandoc, as the CSS they stand for.
  static void Presentational(TElement& Element, const std::string& Tag) {
    const std::string& name = Element.Name;
    if (name == "b" || name == "strong") Element.Css["font-weight"] = "bold";
    if (name == "i" || name == "em") Element.Css["font-style"] = "italic";
    if (name == "u") Element.Css["text-decoration"] += " underline";
    if (name == "s" || name == "del" || name == "strike")
      Element.Css["text-decoration"] += " line-through";
    if (name == "sup") Element.Css["vertical-align"] = "super";
    if (name == "sub") Element.Css["vertical-align"] = "sub";
    if (name == "a") Element.Href = Attribute(Tag, "href");
    if (name == "font")
      for (auto [attribute, property] : {std::pair{"face", "font-family"}, {"color", "color"}})
        if (std::string value = Attribute(Tag, attribute); !value.empty())
          Element.Css[property] = value;
    if (name == "p" || name == "div")
      if (std::string align = Attribute(Tag, "align"); !align.empty())
        Element.Css["text-align"] = align;
  }

  static bool IsBlock(const std::string& Name) {
    static const std::set<std::string> blocks = {
        "p", "div", "td", "th", "li", "tr", "table", "h1", "h2", "h3", "ul", "ol", "blockquote"};
    return blocks.count(Name) != 0;
  }

  TElement& Table() {
    for (auto it = FStack.rbegin(); it != FStack.rend(); ++it)
      if (it->Name == "table") return *it;
    FNoTable = TElement();
    return FNoTable;
  }

  void Close(const std::string& Name) {
    auto open = std::find_if(FStack.rbegin(), FStack.rend(),
                             [&](const TElement& e) { return e.Name == Name; });
    if (open == FStack.rend()) return;
    if (IsBlock(Name) && !open->Inline) Break();
    FStack.erase(std::next(open).base(), FStack.end());
  }

  // The innermost value of a CSS property.
  // Paragraph properties (ParagraphOnly) come from the paragraph, never from its cell or table.
  std::string Css(const char* Property, bool ParagraphOnly = false) const {
    for (auto it = FStack.rbegin(); it != FStack.rend(); ++it) {
      if (ParagraphOnly && (it->Name == "td" || it->Name == "th" || it->Name == "table")) break;
      if (ParagraphOnly && (!IsBlock(it->Name) || it->Inline)) continue;
      if (auto found = it->Css.find(Property); found != it->Css.end()) return found->second;
    }
    return "";
  }

  bool Decorated(const char* Word) const {
    for (const TElement& e : FStack)
      if (auto found = e.Css.find("text-decoration");
          found != e.Css.end() && found->second.find(Word) != std::string::npos)
        return true;
    return false;
  }

  std::string Inner(std::string TElement::*Field) const {
    for (auto it = FStack.rbegin(); it != FStack.rend(); ++it)
      if (!((*it).*Field).empty()) return (*it).*Field;
    return "";
  }

  void Text(std::string Text) {
    if (Text.empty() || std::any_of(FStack.begin(), FStack.end(), [](auto& e) { return e.Label; }))
      return;
    // Blanks between elements belong to whatever runs are open.
    if (Text.find_first_not_of(" \t\r\n") == std::string::npos) {
      for (auto& [kind, open] : FOpen) open.Text += " ";
      return;
    }
    // A list marker written as text (by readers without lists), at the start of a paragraph.
    if (FParagraphStart) {
      static const std::regex marker(R"(^(\s|\xC2\xA0)*(\xE2\x80\xA2|[0-9]+\.)(\s|\xC2\xA0)+)");
      Text = std::regex_replace(Text, marker, "");
      FParagraphStart = Text.find_first_not_of(" \t\r\n") == std::string::npos;
    }
    const std::string weight = Css("font-weight"), align = Css("text-align", true);
    const std::string size = Css("font-size");
    std::string face = Css("font-family");
    face.erase(std::remove(face.begin(), face.end(), '\''), face.end());
    // A Windows face for one character set ("Arial Cyr") is the face itself to other readers.
    for (const char* suffix : {" Cyr", " CE", " Greek", " Tur", " Baltic"})
      if (face.ends_with(suffix)) face.erase(face.size() - std::strlen(suffix));
    std::string cell;
    for (const TElement& e : FStack)
      if (e.Column >= 0) cell = "r" + std::to_string(Table().Row) + "c" + std::to_string(e.Column);
    std::string indent =
        Hundredths(Css("margin-left", true)) + "/" + Hundredths(Css("text-indent", true));
    const std::string vertical = Css("vertical-align");
    Add("text", "", Text);
    Add("b", weight == "bold" || weight == "700" ? "b" : "", Text);
    Add("i", Css("font-style") == "italic" ? "i" : "", Text);
    Add("u", Decorated("underline") ? "u" : "", Text);
    Add("s", Decorated("line-through") ? "s" : "", Text);
    Add("sup", vertical == "super" ? "sup" : "", Text);
    Add("sub", vertical == "sub" ? "sub" : "", Text);
    Add("face", face, Text);
    Add("colour", NotesColour(Css("color")), Text);
    // The size of superscripts and subscripts is the reader's choice.
    if (vertical != "super" && vertical != "sub")
      Add("size", size.ends_with("pt") ? std::to_string(std::lround(std::stod(size))) : "", Text);
    Add("align", align == "left" || align == "start" ? "" : align, Text);
    Add("indent", indent == "/" ? "" : indent, Text);
    Add("link", Inner(&TElement::Href), Text);
    Add("cell", cell, Text);
    Add("list", Inner(&TElement::List), Text);
  }

  // A picture is a run of its own, without ending the text around it.
  void Picture(const std::string& Source) {
    const std::string digest = std::to_string(std::hash<std::string>()(Source) % 1000000007);
    TOpen& open = FOpen["picture"];
    Flush("picture", open);
    Add("picture", Source.substr(0, Source.find(',')) + " " + digest, "*");
    Flush("picture", open);
  }

  // Adds text to the run of a kind, starting a new run when the value changes.
  void Add(const std::string& Kind, const std::string& Value, const std::string& Text) {
    TOpen& open = FOpen[Kind];
    if (open.Value != Value) Flush(Kind, open), open.Value = Value;
    open.Text += Text;
  }

  void Flush(const std::string& Kind, TOpen& Open) {
    const std::string text = Collapsed(Open.Text);
    if (!text.empty() && (!Open.Value.empty() || Kind == "text")) {
      std::string& runs = FRuns[Kind];
      runs += (runs.empty() ? "" : "|") + Open.Value + "{" + text + "}";
    }
    Open = TOpen();
  }

  // The end of a paragraph or cell ends every run.
  void Break() {
    FParagraphStart = true;
    for (auto& [kind, open] : FOpen) Flush(kind, open);
  }

  const std::string& FHtml;
  std::map<std::string, TCss> FClasses;
  std::vector<TElement> FStack;
  TElement FNoTable;  // a cell outside any table
  bool FParagraphStart = true;
  std::map<std::string, TOpen> FOpen;
  std::map<std::string, std::string> FRuns;
};

}  // namespace

TRenderedProperties RenderedProperties(const std::string& Html) {
  return TRenderer(Html).Run();
}

}  // namespace corpustest
