#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "RtfCodePage.h"
#include "RtfToken.h"

// Whether the input is an RTF document; anything else is plain text.
bool IsRtf(std::string_view Input);

// An entry of the font table.
struct TRtfFont {
  // The name without its closing ";", as UTF-8.
  std::string Name;
  // The family word: "fnil", "froman", "fswiss", "fmodern", "fscript", "fdecor", "ftech",
  // "fbidi".
  std::string Family = "fnil";
  int32_t Charset = 0;
  // \cpgN: a code page given for the font itself, 0 when none.
  int32_t CodePage = 0;
  // \fprqN, -1 when not given.
  int32_t Pitch = -1;
};

// An entry of the colour table; the empty entry is "auto", the reader's own colour.
struct TRtfColor {
  bool Auto = true;
  uint8_t Red = 0;
  uint8_t Green = 0;
  uint8_t Blue = 0;

  friend bool operator==(const TRtfColor&, const TRtfColor&) = default;
};

// What a document says of itself, as far as it has been read.
struct TRtfDocument {
  int32_t AnsiCodePage = 1252;
  int32_t DefaultFont = 0;
  // By font number; the first definition of a number counts.
  std::map<int32_t, TRtfFont> Fonts;
  // The first colour table.
  std::vector<TRtfColor> Colors;
  bool HasFontTable = false;
  bool HasColorTable = false;
};

// What the reader made of a token.
enum class TRtfRole {
  // A group brace outside the tables and outside skipped groups.
  Group,
  // A control word or symbol left to the handler (formatting, \par, destinations...).
  Control,
  // Bytes of text, plain or \'xx; their decoded text follows once the run of bytes ends.
  Text,
  // \uN; its character follows as text.
  Unicode,
  // A document setting the reader took: \rtf, \ansi, \ansicpg, \deff, \uc, \*.
  Setting,
  // \binN and its data.
  Binary,
  // A token of the font or colour table.
  Table,
  // A token nobody reads: in an unknown {\*...} group, a fallback after \uN, or an escape cut
  // short.
  Skipped,
};

class TRtfReader;

// What a reader reports, in the order of the input; the reader answers questions about where
// the token stands.
class TRtfHandler {
 public:
  virtual ~TRtfHandler() = default;
  // Every token of the document, before the reader acts on it.
  virtual void Token(const TRtfReader& /*Reader*/, const TRtfToken& /*Token*/, TRtfRole /*Role*/) {}
  // Text as UTF-8: a run of bytes when it ends (possibly empty), a \uN character, or the
  // character a symbol stands for (\tab, \~, \emdash, \{ ...). Never NUL, never in the tables.
  virtual void Text(const TRtfReader& /*Reader*/, std::string_view /*Utf8*/) {}
  // Whether a {\*\Word ...} group is read; the reader skips the ones the handler does not know.
  virtual bool KnowsDestination(std::string_view /*Word*/) { return false; }
};

// Reads one RTF document: the first group of the input, up to its closing brace or the end of
// the input. It keeps the group state (\ucN, the font, the destination) on a stack of its own,
// takes the font and colour tables, decodes text by the font's code page, pairs UTF-16
// surrogates given by \uN, and skips the fallback characters after \uN (each byte, \'xx,
// control word or symbol counts as one; a brace ends the skipping). Malformed input is read as
// far as it goes; Read never fails.
class TRtfReader {
 public:
  explicit TRtfReader(TRtfHandler& Handler) : FHandler(Handler) {}

  void Read(std::string_view Rtf);

  const TRtfDocument& Document() const { return FDocument; }
  // Open groups: 1 inside the document's own group.
  size_t Depth() const { return FGroups.size(); }
  // The destination the current group belongs to: "rtf" for the body, else the word that
  // began a destination group ("fldrslt", "pict", "fonttbl" ...).
  std::string_view Destination() const;
  // Inside a destination whose text a reader does not show: tables, pictures, field
  // instructions, headers, footnotes, list markers, every {\*...} group.
  bool Hidden() const;
  // The current font number: the last \fN, or the default font.
  int32_t Font() const;
  // The code page text bytes are read in now.
  int32_t CodePage() const;
  // The \ucN in effect, and the fallback characters still to be skipped.
  int32_t UnicodeSkip() const;
  int32_t PendingSkip() const { return FSkip; }

 private:
  enum class TTable { None, Fonts, Colors };
  struct TGroup {
    int32_t Uc = 1;
    std::optional<int32_t> Font;
    std::string_view Destination = "rtf";
    bool Hidden = false;
    // In an unknown {\*...} group.
    bool Skip = false;
    TTable Table = TTable::None;
    // No token of the group read yet (a leading \* does not count).
    bool First = true;
    bool Star = false;
  };

  void Step(const TRtfToken& Token);
  void DetectDestination(const TRtfToken& Token);
  TRtfRole RoleOf(const TRtfToken& Token) const;
  void Apply(const TRtfToken& Token, TRtfRole Role);
  void OpenGroup();
  void CloseGroup();
  void ApplySetting(const TRtfToken& Token);
  void ApplyControl(const TRtfToken& Token);
  void ApplyTableWord(const TRtfToken& Token);
  void AddBytes(std::string_view Bytes);
  void AddByte(uint8_t Byte);
  void FlushBytes();
  void Unicode(int32_t Param);
  void FlushSurrogate();
  void Emit(std::string_view Utf8);
  void EmitChar(char32_t C);
  void TableText(std::string_view Utf8);
  void CommitFont();
  void CommitColor();
  int32_t CodePageOf(int32_t FontNumber) const;

  TRtfHandler& FHandler;
  TRtfDocument FDocument;
  std::vector<TGroup> FGroups;
  bool FStarted = false;
  int32_t FSkip = 0;
  // A \bin skipped as a fallback takes its data with it.
  bool FSkipBinary = false;
  // The bytes of the text run being read.
  std::string FBytes;
  TCodePageDecoder FDecoder;
  bool FInRun = false;
  char16_t FHighSurrogate = 0;
  // The entries being read from the tables.
  std::optional<std::pair<int32_t, TRtfFont>> FFont;
  bool FFontNameDone = false;
  TRtfColor FColor;
};
