#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "CdFileWriter.h"
#include "RtfBody.h"
#include "RtfFaces.h"
#include "RtfFormats.h"
#include "RtfLists.h"
#include "RtfReader.h"

namespace nirtf {

// Reads an RTF document into CD records (see RtfToCd). The group state is a stack of its own
// beside the reader's, bounded in depth.
class TRtfImport : public TRtfHandler {
 public:
  TRtfImport();
  void Token(const TRtfReader& Reader, const TRtfToken& Token, TRtfRole Role) override;
  void Text(const TRtfReader& Reader, std::string_view Utf8) override;
  bool KnowsDestination(std::string_view Word) override;

  // The font table, when the document needs one, then the body's records.
  void Finish(notesfilter::TCdFileWriter& Out);

 private:
  // What a group's text and words are for.
  enum class TPart {
    Body,
    Field,
    FieldInstruction,
    FieldResult,
    Picture,
    ListMarker,
    ListTable,
    ListOverrides,
    StyleSheet,
    Dropped
  };
  struct TPictureData {
    WORD ImageType = 0;
    int32_t GoalWidth = 0, GoalHeight = 0, ScaleX = 100, ScaleY = 100;
    std::string Hex;
    std::string Binary;
  };
  struct TGroup {
    TCharFormat Char;
    TParaFormat Para;
    TPart Part = TPart::Body;
    bool First = true;
    // The link (FLinks) the group's text belongs to, -1 for none; the field result that made it
    // owns it.
    int Link = -1;
    bool OwnsLink = false;
    // A list marker's text, and the kind of list its words named (PABFLAG_xxx), if they did.
    std::string Marker;
    WORD ListKind = 0;
    TPictureData Picture;
    std::string StyleKey;  // a style sheet entry's "s<n>" or "cs<n>"
    // The entry's formatting words and the style it is based on (\sbasedon), -1 for none.
    std::vector<TRtfToken> StyleWords;
    int32_t BasedOn = -1;
    // Whether the reader shows nothing of the group (a header, a footnote...); a picture shows
    // in a shown group or in the one a newer reader takes (\shppict).
    bool Hidden = false;
    bool ShapePicture = false;
  };
  struct TStyle {
    TCharFormat Char;
    TParaFormat Para;
  };

  TGroup& Top() { return FGroups.back(); }
  void OpenGroup();
  void CloseGroup();
  void EnterDestination(std::string_view Word);
  void Control(const TRtfReader& Reader, const TRtfToken& Token);
  void RowWord(const TRtfToken& Token);
  void PictureWord(const TRtfToken& Token);
  void AddPicture(const TPictureData& Picture);
  void EndLink();
  void EndListMarker(const TGroup& Marker);
  void StyleWord(const TRtfToken& Token);
  void EndStyle(const TGroup& Entry);
  void ListWord(const TRtfToken& Token);
  FONTID CurrentFont(const TRtfReader& Reader);

  std::vector<TGroup> FGroups;
  size_t FOverflow = 0;                    // groups opened past the depth kept
  std::vector<std::string> FInstructions;  // of the fields open
  struct TLink {
    std::string Url;
    bool Begun = false;
  };
  std::vector<TLink> FLinks;  // of the hyperlink results open
  std::map<std::string, TStyle> FStyles;
  TRtfLists FLists;
  TRowDefinition FRow;
  TCellDefinition FPendingCell;
  int FPendingSide = -1;  // the border \clbrdrX names, 0 to 3
  TRtfBody FBody;
  TRtfFaces FFaces;
  const TRtfReader* FReader = nullptr;
};

// A document as CD records: RTF when it begins with "{\rtf", else plain text (PlainText.h).
// Never fails on malformed input.
void RtfToCd(std::string_view Input, FONTID Font, notesfilter::TCdFileWriter& Out);

}  // namespace nirtf
