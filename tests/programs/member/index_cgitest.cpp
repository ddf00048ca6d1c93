// The home page run as the web server runs it: the frame, the visitor count, hostile URLs.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/CgiRunner.h"
#include "tests/support/PageFrame.h"

using TestSupport::CgiRequest;
using TestSupport::CgiResponse;
using TestSupport::SiteSandbox;

namespace {

class IndexPage : public ::testing::Test {
 protected:
  CgiResponse run(const std::string& query) {
    CgiRequest request;
    request.program = "index";
    request.query = query;
    request.cwd = mSite.cgiBin();
    return TestSupport::runCgi(request);
  }
  std::string counterFile() const { return mSite.data() + "/counter.txt"; }
  SiteSandbox mSite;
};

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

}  // namespace

TEST_F(IndexPage, CountsTheVisitAndWritesTheCountBack) {
  SiteSandbox::writeFile(counterFile(), "41");
  SiteSandbox::writeFile(mSite.data() + "/menu_home.txt", "<p>home menu</p>\n");
  const CgiResponse page = run("lang=eng");
  EXPECT_EQ(0, page.exitStatus);
  // The welcome text has no heading: the library's name in the title bar is the page's heading.
  EXPECT_EQ(0u, page.output.find(
                    TestSupport::kHtmlHeader +
                    TestSupport::pageHead("eng", "Ashgrove Library", "/cgi-bin/index.exe?lang=eng", 0) +
                    TestSupport::titleBar("eng", "Ashgrove Library", true)));
  EXPECT_TRUE(contains(page.output, TestSupport::afterVisitTime("<p>home menu</p>\n") +
                                        "Welcome to the Library!<br>\n<hr>\n<br>Ashgrove Library is a "
                                        "modern institution"));
  EXPECT_TRUE(contains(page.output, "\nYou are visitor no. 42 since 11 October 2005.<br>\n<small>"));
  const std::string footer = TestSupport::kPageEnd;
  EXPECT_EQ(page.output.size() - footer.size(), page.output.rfind(footer));
  EXPECT_EQ("42", SiteSandbox::readFile(counterFile()));
  EXPECT_TRUE(contains(run("lang=eng").output, "You are visitor no. 43 since"));
  EXPECT_EQ("43", SiteSandbox::readFile(counterFile()));
}

TEST_F(IndexPage, WithoutACounterFileItSaysSoAndCreatesNone) {
  const CgiResponse page = run("lang=eng");
  EXPECT_EQ(0, page.exitStatus);
  EXPECT_TRUE(contains(page.output,
                       "Error in Counter::init(): Error opening counter file<br>\n"
                       "Error in Counter::inc(1): !counterInitYet<br>\n"
                       "Error in Counter::init(): Error opening counter file<br>\n"
                       "Error in Counter::get(): !counterInitYet<br>\n"));
  EXPECT_TRUE(contains(page.output, "You are visitor no. 0 since"));
  EXPECT_FALSE(contains(page.output, "flush"));
  EXPECT_FALSE(SiteSandbox::exists(counterFile()));
}

TEST_F(IndexPage, WithoutALanguageTheRefusalShowsAndAfrikaansStays) {
  SiteSandbox::writeFile(counterFile(), "9");
  const CgiResponse page = run("");
  EXPECT_EQ(0u,
            page.output.find(AMBRY_TEST_HTML_HEADER "Fout in setLanguage(\"\"): Ongeldige taal gegee<br>\n" +
                             TestSupport::pageHead("afr", "Ashgrove Biblioteek", "/cgi-bin/index.exe?", 0) +
                             TestSupport::titleBar("afr", "Ashgrove Biblioteek", true)));
  // An unsupported language is still reported, and the page stays Afrikaans.
  const CgiResponse german = run("lang=deu");
  EXPECT_TRUE(contains(german.output, "setLanguage(\"deu\")"));
  EXPECT_TRUE(contains(german.output, "src=\"/data/afr_resource.js\""));
  EXPECT_EQ("11", SiteSandbox::readFile(counterFile()));
}

TEST_F(IndexPage, ExtendAndAddressAsTheSiteScriptExpects) {
  SiteSandbox::writeFile(counterFile(), "1");
  const CgiResponse page = run("lang=eng&extend=101");
  EXPECT_TRUE(contains(page.output, "   script_name = \"/cgi-bin/index.exe?extend=101&lang=eng\"\n"));
  EXPECT_TRUE(contains(page.output,
                       "<script language=\"JavaScript\">\n   for (var i = 0; i < 3; i++)\n"
                       "      extend[i] = ('101'.charAt(i) == '1');\n</script>\nWelcome"));
  EXPECT_FALSE(contains(run("lang=eng").output, "extend[i]"));
}

TEST_F(IndexPage, UrlValuesCannotLeaveTheirStringLiterals) {
  // The address carries the values encoded, so they survive the trip back to the program.
  const CgiResponse address = run("x=\";alert(1)//");
  EXPECT_TRUE(
      contains(address.output, "   script_name = \"/cgi-bin/index.exe?x=%22%3Balert%281%29%2F%2F\"\n"));
  EXPECT_FALSE(contains(address.output, "?x=\";"));

  const CgiResponse extend = run("extend=');alert(1)//");
  EXPECT_TRUE(contains(extend.output,
                       "   for (var i = 0; i < 13; i++)\n"
                       "      extend[i] = ('\\');alert(1)//'.charAt(i) == '1');\n"));
  EXPECT_TRUE(
      contains(extend.output, "script_name = \"/cgi-bin/index.exe?extend=%27%29%3Balert%281%29%2F%2F\"\n"));

  const CgiResponse closing = run("extend=%3C/script%3E%3Cscript%3Ealert(1)%3C/script%3E");
  EXPECT_FALSE(contains(closing.output, "<script>alert(1)"));
  EXPECT_TRUE(
      contains(closing.output, "extend[i] = ('\\x3C/script>\\x3Cscript>alert(1)\\x3C/script>'.charAt(i)"));

  const CgiResponse percent = run("lang=eng&extend=%25s%25n%25d");
  EXPECT_EQ(0, percent.exitStatus);
  EXPECT_TRUE(contains(percent.output, "extend[i] = ('%s%n%d'.charAt(i) == '1');\n"));
}

TEST_F(IndexPage, HeaderSettingIsNeverAFormat) {
  SiteSandbox::writeFile(counterFile(), "41");
  CgiRequest request;
  request.program = "index";
  request.query = "lang=eng&x=%25s%25n";
  request.cwd = mSite.cgiBin();
  request.env["AMBRY_HEADER"] = "<head>%s%s%s%s%s%s%s%s%s|%d%n%x|100%%|\n";
  const CgiResponse page = TestSupport::runCgi(request);
  EXPECT_EQ(0, page.exitStatus) << page.errors;
  // Language, entry form script (none outside the staff area), address and area in turn, nothing
  // for the further placeholders, and the address's own "%25s" stays as sent.
  EXPECT_TRUE(contains(page.output, "<head>eng/cgi-bin/index.exe?lang=eng&x=%25s%25n0|%n%x|100%|\n<title>"))
      << page.output.substr(0, 300);
}
