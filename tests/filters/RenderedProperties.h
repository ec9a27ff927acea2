#pragma once

#include <map>
#include <string>

namespace corpustest {

// What a reader's HTML rendering of a document shows, by kind of property: for each kind the
// runs of text that carry a value of it, in document order, as "value{text}" joined by "|"
// (blanks collapsed, runs never spanning a paragraph or cell). Kinds: "text" (every paragraph),
// "b", "i", "u", "s", "sup", "sub", "face", "colour" (the nearest of the 16 Notes colours;
// black is no colour), "size" (whole points), "align", "indent" (left margin and first-line
// indent in hundredths of an inch), "link" (the href), "cell" (row and column), "list"
// ("bullet" or "number"), "picture" (a digest of the data URI). Read from CSS classes and
// style attributes as LibreOffice's XHTML writes them and from <b> <i> <u> <s> <sup> <sub>
// <strong> <em> <del> <font face color> as unrtf and pandoc write them.
using TRenderedProperties = std::map<std::string, std::string>;
TRenderedProperties RenderedProperties(const std::string& Html);

}  // namespace corpustest
