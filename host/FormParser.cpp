#include "FormParser.h"

#include <strings.h>

TFormParser::TFormParser(std::string_view Text, std::string FormName)
    : FLexer(Text, FormName), FFormName(std::move(FormName)) {}

TFormObject TFormParser::Parse() {
  Advance();
  if (!IsKeyword("object")) Fail("\"object\" expected");
  Advance();
  TFormObject Object;
  Object.Name = ExpectIdent("Component name");
  Expect(':');
  Object.ClassName = ExpectIdent("Class name");
  while (!IsKeyword("end")) {
    if (IsKeyword("object") || IsKeyword("inherited") || IsKeyword("inline"))
      Fail("Owned components are not supported");
    Object.Properties.push_back(ReadProperty());
  }
  Advance();
  if (FToken.Kind != TFormTokenKind::ftEnd) Fail("Text after the final \"end\"");
  return Object;
}

bool TFormParser::IsSymbol(char Symbol) const {
  return FToken.Kind == TFormTokenKind::ftSymbol && FToken.Text[0] == Symbol;
}

bool TFormParser::IsKeyword(const char* Keyword) const {
  return FToken.Kind == TFormTokenKind::ftIdent && strcasecmp(FToken.Text.c_str(), Keyword) == 0;
}

void TFormParser::Expect(char Symbol) {
  if (!IsSymbol(Symbol)) Fail(std::string("\"") + Symbol + "\" expected");
  Advance();
}

std::string TFormParser::ExpectIdent(const char* What) {
  if (FToken.Kind != TFormTokenKind::ftIdent) Fail(std::string(What) + " expected");
  std::string Ident = FToken.Text;
  Advance();
  return Ident;
}

TFormProperty TFormParser::ReadProperty() {
  TFormProperty Property;
  Property.Name = ExpectIdent("Property name");
  Expect('=');
  Property.Value = ReadValue();
  return Property;
}

TFormValue TFormParser::ReadValue() {
  if (FToken.Kind == TFormTokenKind::ftString) return ReadString();
  if (IsSymbol('<')) return ReadCollection();
  if (FToken.Kind == TFormTokenKind::ftInteger) {
    int64_t Value = FToken.Integer;
    Advance();
    return Value;
  }
  if (FToken.Kind != TFormTokenKind::ftIdent) Fail("Property value expected");
  bool IsTrue = IsKeyword("True");
  if (IsTrue || IsKeyword("False")) {
    Advance();
    return IsTrue;
  }
  return TFormIdent{ExpectIdent("Property value")};
}

std::string TFormParser::ReadString() {
  std::string Text = FToken.Text;
  Advance();
  // Long strings are stored in pieces joined with "+" across lines.
  while (IsSymbol('+')) {
    Advance();
    if (FToken.Kind != TFormTokenKind::ftString) Fail("String expected after \"+\"");
    Text += FToken.Text;
    Advance();
  }
  return Text;
}

TFormCollection TFormParser::ReadCollection() {
  Advance();
  TFormCollection Items;
  while (!IsSymbol('>')) Items.push_back(ReadItem());
  Advance();
  return Items;
}

TFormItem TFormParser::ReadItem() {
  if (!IsKeyword("item")) Fail("\"item\" or \">\" expected");
  Advance();
  TFormItem Item;
  while (!IsKeyword("end")) Item.push_back(ReadProperty());
  Advance();
  return Item;
}

void TFormParser::Fail(const std::string& What) const {
  RaiseFormError(FFormName, FToken.Line, What);
}
