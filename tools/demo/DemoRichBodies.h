#pragma once

class TNotesDatabase;
class TNotesRichTextItem;

// The demo mails whose bodies are composed rich text: fonts and colours, lists, a table, a
// section, a URL and a document link to another mail of the demo user's mail file. Each writes
// into Body's context; the caller saves it.
namespace DemoRichBodies {

// The sent mail "Minutes of the kick-off": a heading, a numbered list, a table of dates, a
// section, the project page and a link to the mail "Budget".
void KickOffMinutes(TNotesRichTextItem& Body, TNotesDatabase& MailFile);
// The draft "Notes for the board meeting": a bulleted list and a link to "Quarterly figures".
void BoardMeetingNotes(TNotesRichTextItem& Body, TNotesDatabase& MailFile);
// The draft "Retrospective": coloured headings in a named face, a section and a URL.
void RetrospectiveIdeas(TNotesRichTextItem& Body, TNotesDatabase& MailFile);

}  // namespace DemoRichBodies
