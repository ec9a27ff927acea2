// TStringList: whole text, delimited text and files.
#include <cstring>

#include "FileStream.h"
#include "StringList.h"

namespace {

// Control characters, NUL among them, separate items like blanks.
bool IsBlank(char C) {
  return static_cast<unsigned char>(C) <= ' ';
}

void SkipBlanks(const std::string& S, size_t& Pos) {
  while (Pos < S.size() && IsBlank(S[Pos])) ++Pos;
}

std::string Quoted(const std::string& S, char Quote) {
  std::string Result(1, Quote);
  for (char C : S) {
    if (C == Quote) Result += Quote;
    Result += C;
  }
  return Result + Quote;
}

// The quoted item starting at Pos (the opening quote); doubled quotes stand for one. An item
// whose closing quote is missing runs to the end of the text.
std::string ExtractQuoted(const std::string& S, size_t& Pos, char Quote) {
  std::string Result;
  for (++Pos; Pos < S.size(); ++Pos) {
    if (S[Pos] != Quote) {
      Result += S[Pos];
    } else if (Pos + 1 < S.size() && S[Pos + 1] == Quote) {
      Result += Quote;
      ++Pos;
    } else {
      ++Pos;
      break;
    }
  }
  return Result;
}

std::string ExtractPlain(const std::string& S, size_t& Pos, char Delim) {
  size_t Start = Pos;
  while (Pos < S.size() && static_cast<unsigned char>(S[Pos]) > ' ' && S[Pos] != Delim) ++Pos;
  return S.substr(Start, Pos - Start);
}

bool NeedsQuotes(const std::string& S, char Delim, char Quote) {
  for (char C : S)
    if (static_cast<unsigned char>(C) <= ' ' || C == Delim || C == Quote) return true;
  return false;
}

}  // namespace

std::string TStringList::Text() const {
  std::string Result;
  for (const TItem& Item : FItems) Result += Item.FString + "\r\n";
  return Result;
}

void TStringList::SetText(const std::string& Value) {
  Clear();
  size_t Start = 0;
  while (Start < Value.size()) {
    // find_first_of calls memchr once per character, which long texts feel: a line ends at the
    // first LF or at a CR before it, found with one memchr each.
    const char* Text = Value.data();
    const char* Lf = static_cast<const char*>(memchr(Text + Start, '\n', Value.size() - Start));
    const size_t LfAt = Lf ? static_cast<size_t>(Lf - Text) : Value.size();
    const char* Cr = static_cast<const char*>(memchr(Text + Start, '\r', LfAt - Start));
    const size_t Break = Cr ? static_cast<size_t>(Cr - Text) : LfAt;
    if (Break == Value.size()) {
      Add(Value.substr(Start));
      return;
    }
    Add(Value.substr(Start, Break - Start));
    bool CrLf = Value[Break] == '\r' && Break + 1 < Value.size() && Value[Break + 1] == '\n';
    Start = Break + (CrLf ? 2 : 1);
  }
}

std::string TStringList::JoinDelimited(char Delim, char Quote) const {
  // A single empty line must not vanish into an empty text.
  if (Count() == 1 && FItems[0].FString.empty()) return std::string(2, Quote);
  std::string Result;
  for (int I = 0; I < Count(); ++I) {
    if (I > 0) Result += Delim;
    const std::string& S = FItems[I].FString;
    Result += NeedsQuotes(S, Delim, Quote) ? Quoted(S, Quote) : S;
  }
  return Result;
}

void TStringList::SplitDelimited(const std::string& Value, char Delim, char Quote) {
  Clear();
  size_t Pos = 0;
  SkipBlanks(Value, Pos);
  while (Pos < Value.size()) {
    Add(Value[Pos] == Quote ? ExtractQuoted(Value, Pos, Quote) : ExtractPlain(Value, Pos, Delim));
    SkipBlanks(Value, Pos);
    if (Pos < Value.size() && Value[Pos] == Delim) {
      // A delimiter at the very end stands before one more, empty item.
      if (Pos + 1 == Value.size()) Add(std::string());
      ++Pos;
      SkipBlanks(Value, Pos);
    }
  }
}

std::string TStringList::DelimitedText() const {
  return JoinDelimited(FDelimiter, FQuoteChar);
}

void TStringList::SetDelimitedText(const std::string& Value) {
  SplitDelimited(Value, FDelimiter, FQuoteChar);
}

std::string TStringList::CommaText() const {
  return JoinDelimited(',', '"');
}

void TStringList::SetCommaText(const std::string& Value) {
  SplitDelimited(Value, ',', '"');
}

void TStringList::LoadFromFile(const std::string& FileName) {
  TFileStream Stream(FileName, fmOpenRead);
  std::string Content(static_cast<size_t>(Stream.Size()), '\0');
  Stream.ReadBuffer(Content.data(), static_cast<int64_t>(Content.size()));
  const std::string Bom = "\xEF\xBB\xBF";
  if (Content.compare(0, Bom.size(), Bom) == 0) Content.erase(0, Bom.size());
  SetText(Content);
}

void TStringList::SaveToFile(const std::string& FileName) const {
  std::string Content = Text();
  TFileStream Stream(FileName, fmCreate);
  Stream.WriteBuffer(Content.data(), static_cast<int64_t>(Content.size()));
}
