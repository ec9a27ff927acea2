// The text-form reader: every kind of value, and malformed forms.
#include <gtest/gtest.h>

#include "Classes.h"
#include "ErrorOf.h"
#include "FormParser.h"

namespace {

TFormObject Parse(const std::string& Text) {
  return TFormParser(Text, "TVPITEST").Parse();
}

const TFormValue& ValueOf(const TFormObject& Form, const std::string& Name) {
  for (const auto& Property : Form.Properties)
    if (Property.Name == Name) return Property.Value;
  throw std::runtime_error("no property " + Name);
}

TEST(FormParserTest, ReadsEveryKindOfValueWithCharacterCodesAsUtf8) {
  TFormObject Form = Parse(
      "object vpiTest: TvpiTest\n"
      "  OldCreateOrder = False\n"
      "  Enabled = true\n"
      "  Version = '6.0 Professional'\n"
      "  Quote = 'It''s'#13#10'done'\n"
      "  Long = 'first half, ' +\n"
      "    'second half'\n"
      "  Left = -192\n"
      "  Mask = $FF\n"
      "  Position = poScreenCenter\n"
      "  Font.Name = 'Tahoma'\n"
      "  Empty = <>\n"
      "  Commands = <\n"
      "    item\n"
      "      Caption = 'Open'\n"
      "      Tag = 1\n"
      "    end\n"
      "    item\n"
      "    end>\n"
      "end\n");
  EXPECT_EQ(Form.Name, "vpiTest");
  EXPECT_EQ(Form.ClassName, "TvpiTest");
  EXPECT_EQ(ValueOf(Form, "OldCreateOrder"), TFormValue(false));
  EXPECT_EQ(ValueOf(Form, "Enabled"), TFormValue(true));
  EXPECT_EQ(ValueOf(Form, "Version"), TFormValue(std::string("6.0 Professional")));
  EXPECT_EQ(ValueOf(Form, "Quote"), TFormValue(std::string("It's\r\ndone")));
  EXPECT_EQ(ValueOf(Form, "Long"), TFormValue(std::string("first half, second half")));
  EXPECT_EQ(ValueOf(Form, "Left"), TFormValue(int64_t{-192}));
  EXPECT_EQ(ValueOf(Form, "Mask"), TFormValue(int64_t{255}));
  EXPECT_EQ(ValueOf(Form, "Position"), TFormValue(TFormIdent{"poScreenCenter"}));
  EXPECT_EQ(ValueOf(Form, "Font.Name"), TFormValue(std::string("Tahoma")));
  EXPECT_TRUE(std::get<TFormCollection>(ValueOf(Form, "Empty")).empty());
  const auto& Items = std::get<TFormCollection>(ValueOf(Form, "Commands"));
  ASSERT_EQ(Items.size(), 2u);
  ASSERT_EQ(Items[0].size(), 2u);
  EXPECT_EQ(Items[0][0].Name, "Caption");
  EXPECT_EQ(Items[0][0].Value, TFormValue(std::string("Open")));
  EXPECT_EQ(Items[0][1].Value, TFormValue(int64_t{1}));
  EXPECT_TRUE(Items[1].empty());
  EXPECT_EQ(ValueOf(Parse("object A: TA\n  Text = #8364#252'x'#128512\nend"), "Text"),
            TFormValue(std::string("\xE2\x82\xAC\xC3\xBCx\xF0\x9F\x98\x80")));
}

TEST(FormParserTest, MalformedAndTruncatedFormsRaiseNamingFormAndLine) {
  const struct {
    const char* Form;
    int Line;
    const char* Message;
  } Cases[] = {
      {"", 1, "\"object\" expected"},
      {"object A: TA\n  Version = '6.0\nend", 2, "Unterminated string"},
      {"object A: TA\n  Version = '6.0'\n", 3, "Property name expected"},
      {"object A TA\nend", 1, "\":\" expected"},
      {"object A: TA\n  Left 10\nend", 2, "\"=\" expected"},
      {"object A: TA\nend\nend", 3, "Text after the final \"end\""},
      {"object A: TA\n  object B: TB\n  end\nend", 2, "Owned components are not supported"},
      {"object A: TA\n  Commands = <\n    Caption = 'x'\n  >\nend", 3,
       "\"item\" or \">\" expected"},
      {"object A: TA\n  Text = #55296\nend", 2, "Invalid character code"},
      {"object A: TA\n  Text = 'a' + 1\nend", 2, "String expected after \"+\""},
      {"object A: TA\n  Left = 99999999999999999999\nend", 2, "Invalid number"},
      {"object A: TA\n  Size = 1.5\nend", 2, "Invalid number"},
      {"object A: TA\n  Items = [a, b]\nend", 2, "Property value expected"},
  };
  for (const auto& Case : Cases)
    EXPECT_EQ(
        vesktest::ErrorOf<EReadError>([&] { Parse(Case.Form); }),
        "Error reading form TVPITEST, line " + std::to_string(Case.Line) + ": " + Case.Message);
  // Truncated forms never read past the end.
  const std::string Form =
      "object vpiTest: TvpiTest\n  Caption = 'It''s'#13#10 + 'x'\n  Commands = <\n    item\n"
      "      Tag = $1F\n    end>\nend\n";
  Parse(Form);
  // Every proper prefix is incomplete and must be refused cleanly.
  for (size_t Length = 0; Length + 1 < Form.size(); ++Length)
    EXPECT_THROW(Parse(Form.substr(0, Length)), EReadError) << Form.substr(0, Length);
}

}  // namespace
