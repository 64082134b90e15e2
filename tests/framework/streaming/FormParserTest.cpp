#include <gtest/gtest.h>

#include "framework/streaming/FormException.h"
#include "framework/streaming/TFormParser.h"

using fw::FormException;
using fw::TFormObject;
using fw::TFormParser;
using fw::TFormValue;

namespace {

// Parses `object A: TA <body> end` and returns the first property's value.
TFormValue ValueOf(const std::string& text) {
  const TFormObject root = TFormParser::Parse("object A: TA\n  P = " + text + "\nend\n");
  EXPECT_EQ(root.Properties.size(), 1u);
  return root.Properties.at(0).Value;
}

// Line number reported for a text that must fail.
int FailLine(const std::string& text) {
  try {
    TFormParser::Parse(text);
  } catch (const FormException& e) {
    EXPECT_NE(std::string(e.what()).find("Line " + std::to_string(e.Line())), std::string::npos);
    return e.Line();
  }
  ADD_FAILURE() << "no exception for: " << text;
  return -1;
}

}  // namespace

TEST(FormParserValues, Numbers) {
  EXPECT_EQ(ValueOf("12").Integer, 12);
  EXPECT_EQ(ValueOf("-11").Integer, -11);
  EXPECT_EQ(ValueOf("$FF").Integer, 255);
  EXPECT_EQ(ValueOf("-$10").Integer, -16);
  EXPECT_EQ(ValueOf("-9223372036854775808").Integer, INT64_MIN);
  EXPECT_EQ(ValueOf("12").Kind, TFormValue::vkInteger);

  const TFormValue real = ValueOf("1000.000000000000000000");
  EXPECT_EQ(real.Kind, TFormValue::vkReal);
  EXPECT_DOUBLE_EQ(real.Real, 1000.0);
  EXPECT_DOUBLE_EQ(ValueOf("-1.5E-5").Real, -1.5e-5);
  EXPECT_DOUBLE_EQ(ValueOf("2e+3").Real, 2000.0);
  EXPECT_EQ(ValueOf("0.999").Real, 0.999);
}

TEST(FormParserValues, BadNumbersFail) {
  EXPECT_EQ(FailLine("object A: TA\n  P = 99999999999999999999\nend"), 2);
  EXPECT_EQ(FailLine("object A: TA\n  P = 1e999\nend"), 2);
  EXPECT_EQ(FailLine("object A: TA\n  P = 12abc\nend"), 2);
  EXPECT_EQ(FailLine("object A: TA\n  P = 1e\nend"), 2);
  EXPECT_EQ(FailLine("object A: TA\n  P = -\nend"), 2);
}

TEST(FormParserValues, StringsWithQuotesAndCharacterCodes) {
  EXPECT_EQ(ValueOf("'It''s'").Text, "It's");
  EXPECT_EQ(ValueOf("''").Text, "");
  // Character codes juxtaposed and joined with + across lines; #223 is the sharp s.
  EXPECT_EQ(ValueOf("'Velocity ('#223')'").Text, "Velocity (\xC3\x9F)");
  EXPECT_EQ(ValueOf("'Velocity (' +\n    #223 + ')'").Text, "Velocity (\xC3\x9F)");
  EXPECT_EQ(ValueOf("#65#$42'c'").Text, "ABc");
  // 128-159 are Windows-1252 characters: #128 is the euro sign; above 255 code points.
  EXPECT_EQ(ValueOf("#128").Text, "\xE2\x82\xAC");
  EXPECT_EQ(ValueOf("#8364").Text, "\xE2\x82\xAC");
  EXPECT_EQ(ValueOf("#13#10").Text, "\r\n");
  // Raw UTF-8 passes unchanged; a lone Windows-1252 byte is converted.
  EXPECT_EQ(ValueOf("'\xC3\x9F'").Text, "\xC3\x9F");
  EXPECT_EQ(ValueOf("'\xDF'").Text, "\xC3\x9F");
}

TEST(FormParserValues, BadStringsFail) {
  EXPECT_EQ(FailLine("object A: TA\n  P = 'open\nend"), 2);
  EXPECT_EQ(FailLine("object A: TA\n  P = #55296\nend"), 2);  // surrogate
  EXPECT_EQ(FailLine("object A: TA\n  P = #1114112\nend"), 2);
  EXPECT_EQ(FailLine("object A: TA\n  P = 'a' +\n  12\nend"), 3);
  EXPECT_EQ(FailLine("object A: TA\n  P = #\nend"), 2);
}

TEST(FormParserValues, IdentifiersSetsAndLists) {
  const TFormValue ident = ValueOf("Form1.Edit1");
  EXPECT_EQ(ident.Kind, TFormValue::vkIdent);
  EXPECT_EQ(ident.Text, "Form1.Edit1");

  const TFormValue set = ValueOf("[fsBold, fsItalic]");
  EXPECT_EQ(set.Kind, TFormValue::vkSet);
  EXPECT_EQ(set.Elements, (std::vector<std::string>{"fsBold", "fsItalic"}));
  EXPECT_TRUE(ValueOf("[]").Elements.empty());
  EXPECT_EQ(ValueOf("[\n  biSystemMenu\n  ]").Elements, std::vector<std::string>{"biSystemMenu"});

  const TFormValue list = ValueOf("(\n    'line 1'\n    'line ' + 'two'\n    12)");
  ASSERT_EQ(list.Kind, TFormValue::vkList);
  ASSERT_EQ(list.Items.size(), 3u);
  EXPECT_EQ(list.Items[0].Text, "line 1");
  EXPECT_EQ(list.Items[1].Text, "line two");
  EXPECT_EQ(list.Items[2].Integer, 12);
  EXPECT_TRUE(ValueOf("()").Items.empty());

  EXPECT_EQ(FailLine("object A: TA\n  P = [a b]\nend"), 2);
  EXPECT_EQ(FailLine("object A: TA\n  P = [a,\nend"), 3);
  EXPECT_EQ(FailLine("object A: TA\n  P = ('a'"), 2);
}

TEST(FormParserValues, BinaryDataAndCollections) {
  const TFormValue binary = ValueOf("{\n  0A1b\n  FF}");
  EXPECT_EQ(binary.Kind, TFormValue::vkBinary);
  EXPECT_EQ(binary.Text, std::string("\x0A\x1B\xFF"));
  EXPECT_EQ(FailLine("object A: TA\n  P = { 0A1 }\nend"), 2);
  EXPECT_EQ(FailLine("object A: TA\n  P = { 0G }\nend"), 2);
  EXPECT_EQ(FailLine("object A: TA\n  P = { 0A"), 2);

  const TFormValue items = ValueOf("<\n  item\n    Width = 5\n  end\n  item\n  end>");
  ASSERT_EQ(items.Kind, TFormValue::vkCollection);
  ASSERT_EQ(items.Collection.size(), 2u);
  EXPECT_EQ(items.Collection[0].Properties.at(0).Name, "Width");
  EXPECT_EQ(items.Collection[0].Properties.at(0).Line, 4);
}

TEST(FormParserStructure, NestedObjectsAndDottedNames) {
  const TFormObject root = TFormParser::Parse(
      "\xEF\xBB\xBFobject Form1: TForm1\r\n"
      "  Title.Font.Color = clBlue\r\n"
      "  object Panel2: TPanel\r\n"
      "    Left = 24\r\n"
      "    object Edit1: TEdit\r\n"
      "    end\r\n"
      "  end\r\n"
      "  object TTimer\r\n"
      "  END\r\n"
      "end\r\n");
  EXPECT_EQ(root.Name, "Form1");
  EXPECT_EQ(root.ClassName, "TForm1");
  ASSERT_EQ(root.Properties.size(), 1u);
  EXPECT_EQ(root.Properties[0].Name, "Title.Font.Color");
  EXPECT_EQ(root.Properties[0].Line, 2);
  ASSERT_EQ(root.Children.size(), 2u);
  EXPECT_EQ(root.Children[0].Name, "Panel2");
  EXPECT_EQ(root.Children[0].Line, 3);
  ASSERT_EQ(root.Children[0].Children.size(), 1u);
  EXPECT_EQ(root.Children[0].Children[0].ClassName, "TEdit");
  EXPECT_EQ(root.Children[1].Name, "");
  EXPECT_EQ(root.Children[1].ClassName, "TTimer");
}

TEST(FormParserStructure, StructuralErrorsNameTheLine) {
  EXPECT_EQ(FailLine(""), 1);
  EXPECT_EQ(FailLine("\n\n  "), 3);
  EXPECT_EQ(FailLine("object Form1: TForm1\n  Left = 1\n"), 3);        // missing end
  EXPECT_EQ(FailLine("object Form1: TForm1\n  Left 1\nend"), 2);       // missing '='
  EXPECT_EQ(FailLine("object Form1: TForm1\nend\nobject B: TB\nend"), 3);  // trailing text
  EXPECT_EQ(FailLine("thing Form1: TForm1\nend"), 1);
  EXPECT_EQ(FailLine("object Form1:\nend"), 2);
  EXPECT_EQ(FailLine("object A: TA\n  P = @\nend"), 2);
  EXPECT_EQ(FailLine("inherited Form1: TForm1\nend"), 1);
}

TEST(FormParserStructure, DeepNestingIsRejectedNotOverflowed) {
  std::string deep;
  for (int i = 0; i < 5000; ++i) deep += "object A: TA\n";
  EXPECT_THROW(TFormParser::Parse(deep), FormException);
  EXPECT_THROW(TFormParser::Parse("object A: TA\n P = " + std::string(100000, '(')), FormException);
}
