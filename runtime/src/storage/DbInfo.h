#pragma once

#include <array>
#include <string>
#include <string_view>

namespace notesrt {

// The database information buffer: "title\ncategories\n#1class\n#2design class", at most
// NSF_INFO_SIZE bytes with the NUL.
class TDbInfo {
 public:
  explicit TDbInfo(std::string_view Text);

  std::string_view Piece(size_t What) const;
  // Replaces a piece, cutting it at a character boundary so that the whole still fits.
  void SetPiece(size_t What, std::string_view Text);
  std::string Text() const;

 private:
  static constexpr size_t Pieces = 4;
  std::array<std::string, Pieces> FPieces;
};

}  // namespace notesrt
