#pragma once

struct TMailHostOptions;
class TNotesDocument;

// Writes the body of a memo that send --url or --link asks for as rich text: the text's lines
// as paragraphs, then a paragraph with each URL and one with a document link to each mail of
// the memo's mail file, its subject as the link's comment. Raises ELotusNotes (or Exception for
// an ID without a mail) before the memo changes.
void WriteRichMailBody(TNotesDocument& Memo, const TMailHostOptions& Options);
