#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "notesapi/fontid.h"

namespace notesrt {

// The rich text of plain text, as canonical CD records without the type word: one paragraph
// style, and paragraphs of text runs in one font. Mail bodies and compound text are written so.

// Text runs stay short, as the published writers keep them.
inline constexpr size_t MaxRunText = 16 * 1024;

// The definition of the one style every paragraph refers to: the published default margins.
std::string PlainStyle();
// Appends a paragraph in that style holding Text (LMBCS; a NUL is a line break) as runs of at
// most MaxRunText bytes in Font, cut between characters. An empty Text gives one empty run.
void AppendPlainParagraph(std::string& Out, std::string_view Text, FONTID Font);

}  // namespace notesrt
