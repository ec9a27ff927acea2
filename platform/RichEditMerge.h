#pragma once

#include <string>
#include <vector>

// The RTF a rich-edit control holds after the fragments were streamed into it one after the
// other, each into a new paragraph: the first fragment, then for each further one a paragraph
// break and that fragment, in order. Each fragment is a whole RTF document (anything else is
// plain text, one paragraph per line).
//
// The merged document keeps the first fragment's header and tables; the fonts of the others are
// added by name and charset, their colours by value, and their font and colour numbers are
// changed to match. Each later fragment goes into a group of its own with its default font
// restated (also after each \plain) and without its style references; text it wrote with \'xx
// in another code page becomes \uN. A paragraph mark at the end of a fragment is left out before
// the break that follows it, so that no empty paragraph appears. A single fragment comes back
// unchanged; no fragment gives an empty text.
std::string RichEditMerge(const std::vector<std::string>& Fragments);
