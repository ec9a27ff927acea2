#include "DemoRichBodies.h"

#include <memory>
#include <string>
#include <vector>

#include "ELotusNotes.h"
#include "TNotesDatabase.h"
#include "TNotesDocument.h"
#include "TNotesRichTextItem.h"

namespace DemoRichBodies {

namespace {

constexpr int Bold = 0;
constexpr int Italic = 1;

void Heading(TNotesRichTextItem& Body, const std::string& Text, WORD Color) {
  Body.FaceName = "Arial";
  Body.FontSize = 14;
  Body.FontColor = Color;
  Body.SetFontBoolProperty(Bold, true);
  Body.AddText(Text);
  Body.AddPara();
  Body.FaceName.clear();
  Body.FontSize = 10;
  Body.FontColor = NOTES_COLOR_BLACK;
  Body.SetFontBoolProperty(Bold, false);
}

// Each item a paragraph of its own with Option (bullet or number); plain paragraphs after.
void List(TNotesRichTextItem& Body, TRichTextStyleOption Option,
          const std::vector<std::string>& Items) {
  Body.SetParaStyleOptions({Option});
  Body.UpdateParaStyle();
  for (const std::string& item : Items) {
    Body.AddText(item);
    Body.AddPara();
  }
  Body.SetParaStyleOptions({});
  Body.UpdateParaStyle();
}

void Table(TNotesRichTextItem& Body, const std::vector<std::vector<std::string>>& Rows) {
  Body.CreateTable(0, {rtAutoWidth}, 0, 0);
  for (size_t row = 0; row < Rows.size(); ++row)
    for (size_t column = 0; column < Rows[row].size(); ++column) {
      Body.AddCell(static_cast<int>(row), static_cast<int>(column),
                   RichTextCell(1440 + 2880 * static_cast<WORD>(column),
                                4320 + 2880 * static_cast<WORD>(column), {}, 0, 1, 1, 1, 1, 0,
                                false, false));
      Body.AddText(Rows[row][column]);
    }
  Body.EndTable();
  Body.SetParaStyleOptions({});
  Body.SetParaIntProperty(3, 1440);
  Body.SetParaIntProperty(4, 0);
  Body.UpdateParaStyle();
}

void Section(TNotesRichTextItem& Body, const std::string& Title, const std::string& Text) {
  Body.StartSection(Title, NOTES_COLOR_DKBLUE, {rtsExpanded}, rtsBorderSingle);
  Body.AddText(Text);
  Body.AddPara();
  Body.EndSection();
}

void LinkTo(TNotesRichTextItem& Body, TNotesDatabase& MailFile, const std::string& Subject) {
  std::unique_ptr<TNotesDocument> target = MailFile.FindDocument("Subject = \"" + Subject + "\"");
  if (!target) throw ELotusNotes(-1, "The demo mail \"" + Subject + "\" to link to is missing");
  Body.AddText("See also: ");
  Body.AddDocLink(*target, Subject);
  Body.AddPara();
}

}  // namespace

void KickOffMinutes(TNotesRichTextItem& Body, TNotesDatabase& MailFile) {
  Heading(Body, "Minutes of the kick-off", NOTES_COLOR_BLUE);
  Body.AddTextPara("Minutes are below.\r\n");
  List(Body, rsNumberList, {"Scope", "Dates"});
  Table(Body, {{"Milestone", "Date"}, {"Design review", "3 June"}, {"Release", "1 July"}});
  Section(Body, "Decisions", "We keep a reserve of 10%.");
  Body.AddUrl("https://intranet.demo.example/projects/kick-off", "Project page");
  Body.AddPara();
  LinkTo(Body, MailFile, "Budget");
}

void BoardMeetingNotes(TNotesRichTextItem& Body, TNotesDatabase& MailFile) {
  Body.AddTextPara("Topics:\r\n");
  List(Body, rsBullet, {"figures", "hiring", "travel"});
  LinkTo(Body, MailFile, "Quarterly figures");
}

void RetrospectiveIdeas(TNotesRichTextItem& Body, TNotesDatabase&) {
  Heading(Body, "Ideas for the retrospective", NOTES_COLOR_DKGREEN);
  Body.FontColor = NOTES_COLOR_RED;
  Body.SetFontBoolProperty(Italic, true);
  Body.AddTextPara("What went well, what did not, what we try next.\r\n");
  Body.FontColor = NOTES_COLOR_BLACK;
  Body.SetFontBoolProperty(Italic, false);
  Section(Body, "Last time", "We agreed on shorter stand-ups.");
  Body.AddUrl("https://intranet.demo.example/team/retrospectives", "");
  Body.AddPara();
}

}  // namespace DemoRichBodies
