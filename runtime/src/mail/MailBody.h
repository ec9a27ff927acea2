#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace notesrt {

// The rich text of a plain-text mail body, as canonical CD records without the type word.

// A body without lines: the one paragraph definition every paragraph refers to.
std::string EmptyMailBody();
// The records of one line: a paragraph, its style reference and the text in the default font,
// stored as given. Long lines become several text runs of one paragraph.
std::string MailBodyLine(std::string_view Line);
// Body cut into pieces of at most MaxPiece bytes at record boundaries, for items of their own
// (a record longer than MaxPiece is a piece alone). EStatus ERR_NOTESRT_MAIL_BODY when Body is
// not a sequence of whole records.
std::vector<std::string_view> MailBodyPieces(std::string_view Body, size_t MaxPiece);

}  // namespace notesrt
