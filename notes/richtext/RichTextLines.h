#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "NotesItemValues.h"

// The text of rich-text values read as one stream of CD records, so that a paragraph going on
// from one item into the next stays one line. The lines are those ConvertItemToText gives for
// a single value: a paragraph mark after text or after an earlier mark starts a line, a NUL in
// a run is a line break, and every line, the last too, ends with CR LF. Piece takes them in
// native pieces, each ended by at most one line break. A damaged record raises ELotusNotes,
// after the lines before it.
void ForEachRichTextLine(const std::vector<TItemValue>& Values,
                         const std::function<void(std::string_view)>& Piece);
