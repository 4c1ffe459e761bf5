#include "sections/theme_support.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "runtime/automation_error.h"

namespace rxTheme {
namespace {

TEST(NextLineTest, SplitsAtCrLfAndDropsLeadingTabsOnly) {
  struct Case {
    WString text, line, rest;
  };
  const Case cases[] = {
      {u"a\r\n\t\tb\r\n", u"a", u"\t\tb\r\n"},
      {u"\t\tb\r\n", u"b", u""},
      {u"  x", u"  x", u""},              // spaces stay
      {u"a\nb\rc", u"a\nb\rc", u""},      // LF or CR alone ends nothing
      {u"\t\t\t", u"", u""},              // tabs only
      {u"\t \tx\t\r\n", u" \tx\t", u""},  // only the leading run of tabs goes
      {u"\r\n\r\n", u"", u"\r\n"},
      {u"\r\r\n", u"\r", u""},
  };
  for (const Case& c : cases) {
    WString text = c.text;
    EXPECT_EQ(NextLine(text), c.line) << ToUtf8(c.text);
    EXPECT_EQ(text, c.rest) << ToUtf8(c.text);
  }
  WString empty;
  EXPECT_EQ(NextLine(empty), u"");
  EXPECT_TRUE(empty.empty());
}

TEST(CssColorTest, ConvertsRgbAndAnswersBlackOnFailure) {
  struct Case {
    WString line, color;
  };
  const Case cases[] = {
      {u"color: rgb(255, 128, 0);", u"#FF8000"},
      {u"color: RGB( 0, 0, 255 )", u"#0000FF"},
      {u"color: rgb(5,0,0)", u"#050000"},
      {u"color: #FF8000;", u""},  // no "rgb": empty, not black
      {u"color: red;", u""},
      {u"color: rgb(1,2);", u"#000000"},    // no second comma
      {u"color: rgb(1 2 3);", u"#000000"},  // no comma
      {u"color: rgb(1,2,3", u"#000000"},    // no ")"
      {u"rgb(256,0,0)", u"#000000"},        // 100 hex: last two digits
      {u"rgb(300,0,0)", u"#2C0000"},
      {u"rgb(-5,0,0)", u"#FB0000"},          // two's complement
      {u"rgb(,,)", u"#000000"},              // no numbers read as 0
      {u"rgb(0.5,1.5,2.5)", u"#000202"},     // halves to even
      {u"rgb(12abc,  7px,+9)", u"#0C0709"},  // reading stops at non-digits
      {u"rgb(1e1,1E+1,2e-1)", u"#0A0A00"},   // exponents
      {u"rgb(1,2,3,4)", u"#010203"},         // blue reads up to the 4th comma
      {u"rgb 10,20,30)", u"#00141E"},        // no "(": red reads "rgb 10"
      {u"x(1,2,3) rgb", u"#010203"},         // the first "(" anywhere
      {u"rgb(3000000000,0,0)", u"#000000"},  // beyond 32 bits
      {u"rgb(-2147483648,0,0)", u"#000000"},
      {u"rgb(2147483647,0,0)", u"#FF0000"},
      {u"rgb(1e999,0,0)", u"#000000"},
  };
  for (const Case& c : cases) EXPECT_EQ(CssColor(c.line), c.color) << ToUtf8(c.line);
}

TEST(CssColorTest, CommaBeyondSixteenBitPositionFails) {
  // The second comma lands on position 32767, the last 16-bit one, then on 32768.
  EXPECT_EQ(CssColor(u"rgb(" + WString(32764, u' ') + u"1,,3)"), u"#010003");
  EXPECT_EQ(CssColor(u"rgb(" + WString(32765, u' ') + u"1,,3)"), u"#000000");
}

TEST(CssUrlTest, TextInsideParentheses) {
  struct Case {
    WString line, url;
  };
  const Case cases[] = {
      {u"background-image: url(images/bg.gif);", u"images/bg.gif"},
      {u"x: URL('a.gif')", u"'a.gif'"},  // quotes kept, case ignored
      {u"x: url( a b )", u" a b "},      // nothing trimmed
      {u"x: (a.gif)", u""},              // no "url"
      {u"x: url()", u""},
      {u"x: curl) y", u"x: curl"},  // no "(": from the start
      {u"x(1) url(2)", u"1"},       // the first "(" counts
  };
  for (const Case& c : cases) EXPECT_EQ(CssUrl(c.line), c.url) << ToUtf8(c.line);
}

TEST(CssUrlTest, MissingCloseParenthesisRaisesInvalidArgument) {
  for (const WString line : {u"x: url(a.gif", u"url", u"x) url(a"}) {
    try {
      CssUrl(line);
      ADD_FAILURE() << ToUtf8(line);
    } catch (const AutomationError& error) {
      EXPECT_EQ(error.Number(), 5);
    }
  }
}

TEST(CssValueTest, TrimsThenDropsOneSemicolon) {
  struct Case {
    WString line, value;
  };
  const Case cases[] = {
      {u"font-weight: bold;", u"bold"},
      {u"text-align:center", u"center"},
      {u"  no colon  ", u"no colon"},
      {u"font-family: Arial;;", u"Arial;"},
      {u"font-weight: bold ;", u"bold "},
      {u"font-family: a:b;", u"a:b"},
      {u"x:\tv; ", u"\tv"},  // tabs are not trimmed
      {u"x: ;", u""},
      {u"", u""},
  };
  for (const Case& c : cases) {
    const Variant value = CssValue(c.line);
    ASSERT_TRUE(value.IsString());
    EXPECT_EQ(value.StringValue(), c.value) << ToUtf8(c.line);
  }
}

TEST(LeadingNumberTest, ReadsTheNumberAtTheStart) {
  struct Case {
    WString text;
    double value;
  };
  const Case cases[] = {
      {u"128, 0", 128}, {u"   42px", 42}, {u"-7", -7},     {u"+3.25x", 3.25}, {u".5", 0.5},
      {u"5.", 5},       {u"1e3", 1000},   {u"1E-2", 0.01}, {u"2e", 2},        {u"2e+", 2},
      {u"3ex", 3},      {u"", 0},         {u"abc", 0},     {u"-", 0},         {u".", 0},
      {u"\t5", 0},      {u"1 2", 1},      {u"- 1", 0},     {u"0x10", 0},      {u"007", 7},
      {u"1e-999", 0},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.value) << ToUtf8(c.text);
  EXPECT_EQ(LeadingNumber(u"1e999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(LeadingNumber(u"-1" + WString(400, u'0')), -std::numeric_limits<double>::infinity());
}

}  // namespace
}  // namespace rxTheme
