#include "storage/DbInfo.h"

#include "notesapi/nsfdb.h"
#include "text/LmbcsCodec.h"

namespace notesrt {

namespace {

constexpr std::string_view ClassMark = "#1";
constexpr std::string_view DesignMark = "#2";

bool StartsWith(std::string_view Text, std::string_view Prefix) {
  return Text.substr(0, Prefix.size()) == Prefix;
}

}  // namespace

TDbInfo::TDbInfo(std::string_view Text) {
  size_t line = 0;
  while (true) {
    size_t end = Text.find('\n');
    std::string_view piece = Text.substr(0, end);
    if (line > 0 && StartsWith(piece, ClassMark))
      FPieces[INFOPARSE_CLASS] = piece.substr(ClassMark.size());
    else if (line > 0 && StartsWith(piece, DesignMark))
      FPieces[INFOPARSE_DESIGN_CLASS] = piece.substr(DesignMark.size());
    else if (line < 2)
      FPieces[line] = piece;
    if (end == Text.npos) break;
    Text.remove_prefix(end + 1);
    ++line;
  }
}

std::string_view TDbInfo::Piece(size_t What) const {
  return What < Pieces ? std::string_view(FPieces[What]) : std::string_view();
}

void TDbInfo::SetPiece(size_t What, std::string_view Text) {
  if (What >= Pieces) return;
  // Measured with a one-byte placeholder, so that the separator the piece brings counts too.
  FPieces[What].assign(1, 'x');
  size_t rest = this->Text().size() - 1;
  size_t room = rest < NSF_INFO_SIZE - 1 ? NSF_INFO_SIZE - 1 - rest : 0;
  FPieces[What] = Text.substr(0, TLmbcsCodec::Shared().WholePrefix(Text, room));
}

std::string TDbInfo::Text() const {
  std::string text = FPieces[INFOPARSE_TITLE];
  bool more = !FPieces[INFOPARSE_CATEGORIES].empty() || !FPieces[INFOPARSE_CLASS].empty() ||
              !FPieces[INFOPARSE_DESIGN_CLASS].empty();
  if (more) text.append("\n").append(FPieces[INFOPARSE_CATEGORIES]);
  if (!FPieces[INFOPARSE_CLASS].empty())
    text.append("\n").append(ClassMark).append(FPieces[INFOPARSE_CLASS]);
  if (!FPieces[INFOPARSE_DESIGN_CLASS].empty())
    text.append("\n").append(DesignMark).append(FPieces[INFOPARSE_DESIGN_CLASS]);
  return text;
}

}  // namespace notesrt
