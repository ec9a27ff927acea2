#pragma once

#include <string>
#include <string_view>

#include "Export.h"
#include "FormLexer.h"
#include "FormValue.h"

// Reads a text form (the text form of a component's stored properties):
//   object Name: TClassName
//     Property = value
//     Collection = <
//       item
//         Property = value
//       end>
//   end
// Values are strings ('text', '' for a quote, #nn character codes, parts joined with +),
// integers (decimal or $hex), True/False and identifiers, and collections. Anything else, and
// text after the final "end", raises EReadError naming the form and the line.
class VESK_API TFormParser {
 public:
  TFormParser(std::string_view Text, std::string FormName);

  TFormObject Parse();

 private:
  void Advance() { FToken = FLexer.Next(); }
  bool IsSymbol(char Symbol) const;
  bool IsKeyword(const char* Keyword) const;
  void Expect(char Symbol);
  std::string ExpectIdent(const char* What);
  TFormProperty ReadProperty();
  TFormValue ReadValue();
  std::string ReadString();
  TFormCollection ReadCollection();
  TFormItem ReadItem();
  [[noreturn]] void Fail(const std::string& What) const;

  TFormLexer FLexer;
  std::string FFormName;
  TFormToken FToken;
};
