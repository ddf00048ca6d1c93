// The HTML and JavaScript escapers with hostile input, and the plain-number test.
#include "ambry/escape/Escape.h"

#include <gtest/gtest.h>

#include "tests/support/Strings.h"

using Ambry::escapeHtml;
using Ambry::escapeJsString;

TEST(EscapeHtml, EveryMarkupCharacterBecomesAReference) {
  EXPECT_EQ("&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt;",
            str(escapeHtml("<script>alert('x')</script>")));
  EXPECT_EQ("a &amp;amp; &quot;b&quot;", str(escapeHtml("a &amp; \"b\"")));
  EXPECT_EQ("plain 100% text", str(escapeHtml("plain 100% text")));
  // Windows-1252 letters and signs are text, whatever their byte.
  EXPECT_EQ("\222n Kr\352eftige M\364re &amp; \x80\xFF",
            str(escapeHtml("\222n Kr\352eftige M\364re & \x80\xFF")));
  EXPECT_EQ("", str(escapeHtml("")));
}

TEST(EscapeJsString, QuotesBackslashesAndLineBreaks) {
  EXPECT_EQ("It\\'s done", str(escapeJsString("It's done")));
  EXPECT_EQ("say \\\"hi\\\"", str(escapeJsString("say \"hi\"")));
  EXPECT_EQ("a\\\\b", str(escapeJsString("a\\b")));
  EXPECT_EQ("1\\n2\\r3", str(escapeJsString("1\n2\r3")));
  EXPECT_EQ("\222n Kr\352eftige \x80\xFF", str(escapeJsString("\222n Kr\352eftige \x80\xFF")));
}

TEST(EscapeJsString, AsTypedGivesBackTheLettersABrowserSentAsReferences) {
  const struct {
    const char* posted;
    const char* literal;
  } cases[] = {
      {"Kr&#281;eftige &#321;", "Kr\\u0119eftige \\u0141"},
      {"&#128512;", "\\uD83D\\uDE00"},  // beyond the first plane: two surrogates
      {"</script>&#281;'", "\\x3C/script>\\u0119\\'"},
      // Not a letter a browser sends this way: the text stays as it is.
      {"&#252;", "&#252;"},
      {"&#281", "&#281"},
      {"&#;", "&#;"},
      {"&#x119;", "&#x119;"},
      {"&#55296;", "&#55296;"},
      {"&#12345678;", "&#12345678;"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.literal, str(Ambry::escapeJsStringAsTyped(c.posted))) << c.posted;
  EXPECT_TRUE(Ambry::holdsCharacterReference("Kr&#281;eftige"));
  EXPECT_TRUE(Ambry::holdsCharacterReference("a & b &#1;"));
  EXPECT_FALSE(Ambry::holdsCharacterReference("Life & Times #1; &#x119; &#"));
}

TEST(EscapeJsString, NoValueCanCloseTheScriptElement) {
  const std::string out = str(escapeJsString("\";alert(1)//</script><script>alert(2)</script>"));
  EXPECT_EQ(std::string::npos, out.find('<'));
  EXPECT_EQ("\\\";alert(1)//\\x3C/script>\\x3Cscript>alert(2)\\x3C/script>", out);
  // A backslash before a quote cannot unescape the quote.
  EXPECT_EQ("\\\\\\'", str(escapeJsString("\\'")));
}

TEST(EscapeJsonString, PlainAsciiWhateverTheTextHolds) {
  // Quotes, backslashes and line breaks cannot end the string; '<' cannot end a script element;
  // the site's letters are the Unicode letters they stand for (0x80 is the euro sign, 0xEA e-circumflex).
  EXPECT_EQ(str(Ambry::escapeJsonString("\"\\\n</script> Kr\xEA" "eftige \x80" "5 \x81'")),
            "\\u0022\\u005C\\u000A\\u003C/script> Kr\\u00EAeftige \\u20AC5 \\uFFFD'");
}

TEST(EscapeIsPlainNumber, AcceptsDecimalsOnly) {
  for (const char* good : {"0", "42", "-7", "+3", "1.5", ".5", "5."})
    EXPECT_TRUE(Ambry::isPlainNumber(good)) << good;
  for (const char* bad : {"", "-", ".", "+.", "1.2.3", "1e5", " 1", "1 ", "0x10", "1;DROP", "--1"}) {
    EXPECT_FALSE(Ambry::isPlainNumber(bad)) << bad;
  }
}

TEST(EscapeCsvCell, QuotesWhatSplitsACellAndGuardsFormulas) {
  const struct {
    const char* value;
    const char* cell;
  } cases[] = {
      {"", ""},
      {"plain text", "plain text"},
      {"Brink, Anna", "\"Brink, Anna\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"two\nlines", "\"two\nlines\""},
      {"cr\r", "\"cr\r\""},
      {"=1+2", "'=1+2"},
      {"+27 21 555 0100", "'+27 21 555 0100"},
      {"-2+3+cmd|' /C calc'!A0", "'-2+3+cmd|' /C calc'!A0"},
      {"@SUM(A1:A9)", "'@SUM(A1:A9)"},
      {"\t=1", "'\t=1"},
      {"=HYPERLINK(\"http://x\",\"y\")", "\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\""},
      {"-3", "-3"},  // a plain number runs nothing and stays a number
      {"+4.5", "+4.5"},
      {"-", "'-"},
      {"a=b", "a=b"},  // only the first character counts
      {"O'Neil", "O'Neil"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.cell, str(Ambry::escapeCsvCell(c.value))) << c.value;
}
