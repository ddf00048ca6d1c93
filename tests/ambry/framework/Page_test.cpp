// The page frame: title, script tags, the head with the page's address, menus and files.
#include <cstdlib>

#include "tests/ambry/framework/FrameworkTestSupport.h"
#include "tests/support/PageFrame.h"

class PageFrame : public EnglishPageTest {};

namespace {

// The header of the current page, with SCRIPT_NAME set to scriptName under the given name.
std::string header(const char* variable, const char* scriptName) {
  unsetenv("SCRIPT_NAME");
  unsetenv("script_name");
  if (scriptName) setenv(variable, scriptName, 1);
  const std::string out = TestSupport::captureStdout([] { Ambry::printDefaultHeader(); });
  unsetenv(variable);
  return out;
}

// The query part that this test process's own URL gives (normally none).
std::string ownQuery() {
  return str(Ambry::mapToQuery(Ambry::getEnvQueryMap()));
}

}  // namespace

TEST_F(PageFrame, SetTitleWithAndWithoutKey) {
  Ambry::setTitle("");
  EXPECT_EQ("Ashgrove Library", str(Ambry::getTitle()));
  Ambry::setTitle("title_admin_book");
  EXPECT_EQ("Ashgrove Library :: Book entry", str(Ambry::getTitle()));
}

TEST_F(PageFrame, HttpHeaderEndsWithAnEmptyLine) {
  EXPECT_EQ(TestSupport::kHtmlHeader, TestSupport::captureStdout([] { Ambry::printDefaultHTTPHeader(); }));
}

TEST_F(PageFrame, ScriptTagsKeepTheOpenFlag) {
  EXPECT_FALSE(Ambry::isScriptOpen());
  EXPECT_EQ("<script language=\"JavaScript\">\n",
            TestSupport::captureStdout([] { Ambry::beginJavaScriptTag(""); }));
  EXPECT_TRUE(Ambry::isScriptOpen());
  EXPECT_EQ("</script>\n", TestSupport::captureStdout([] { Ambry::endScriptTag(); }));
  EXPECT_FALSE(Ambry::isScriptOpen());
  EXPECT_EQ("<script language=\"JavaScript\" src=\"x.js\">\n",
            TestSupport::captureStdout([] { Ambry::beginJavaScriptTag("src=\"x.js\""); }));
  TestSupport::captureStdout([] { Ambry::endScriptTag(); });
  EXPECT_EQ("<script language=\"JavaScript\">\n   bGoBack = true;\n</script>\n",
            TestSupport::captureStdout([] { Ambry::goBack(); }));
  EXPECT_FALSE(Ambry::isScriptOpen());
}

TEST_F(PageFrame, StaffHeaderLoadsTheEntryFormScript) {
  SandboxDirectory dir;
  TestSupport::SiteSandbox::writeFile(dir.dataFile("menu_admin.txt"), "<p>staff menu</p>\n");
  Ambry::setTitle("title_admin_book");
  Ambry::setArea_Admin();
  const std::string out = header("SCRIPT_NAME", "/cgi-bin/book_editor.exe");
  const std::string title = "Ashgrove Library :: Book entry";
  const std::string expectedHead =
      TestSupport::pageHead("eng", title, "/cgi-bin/book_editor.exe?" + ownQuery(), 1) +
      TestSupport::titleBar("eng", title, true);
  EXPECT_EQ(expectedHead, out.substr(0, expectedHead.size()));
  EXPECT_NE(std::string::npos, out.find(TestSupport::afterVisitTime("<p>staff menu</p>\n")));
}

TEST_F(PageFrame, TheTitleIsTheHeadingUnlessTheContentHasOneAndTheLanguageIsNamed) {
  Ambry::setTitle("title_admin_panel");
  Ambry::setTitleIsHeading(false);
  const std::string panel = header("SCRIPT_NAME", "/p.exe");
  EXPECT_NE(std::string::npos,
            panel.find("\n<p class=\"pagetitle\">Ashgrove Library :: Control Panel</p>\n"));
  EXPECT_EQ(std::string::npos, panel.find("<h1"));
  Ambry::initPageState();
  Ambry::setLanguage("afr");
  Ambry::setTitle("");
  const std::string home = header("SCRIPT_NAME", "/p.exe");
  EXPECT_EQ(0u, home.find("<!DOCTYPE html>\n<html lang=\"af\">\n<head>\n"));
  EXPECT_NE(std::string::npos, home.find(TestSupport::titleBar("afr", "Ashgrove Biblioteek", true)));
  // Only the quirk of the language check lets another code through, and its page has English messages.
  Ambry::setLanguage("r,e");
  EXPECT_EQ(0u, header("SCRIPT_NAME", "/p.exe").find("<!DOCTYPE html>\n<html lang=\"en\">\n"));
}

TEST_F(PageFrame, OtherAreasHaveNoEntryFormScriptAndTheirOwnMenu) {
  SandboxDirectory dir;
  for (const char* word : {"home", "admin", "member", "more"}) {
    TestSupport::SiteSandbox::writeFile(dir.dataFile(std::string("menu_") + word + ".txt"),
                                        std::string("MENU-") + word);
  }
  const std::string home = header("SCRIPT_NAME", "/p.exe");  // no setArea call: home
  EXPECT_NE(std::string::npos,
            home.find("ambry.js\"></script>\n<script language=\"JavaScript\">\n   script_name"));
  EXPECT_NE(std::string::npos, home.find("area = 0\n"));
  EXPECT_NE(std::string::npos, home.find("MENU-home"));
  Ambry::setArea_Member();
  EXPECT_NE(std::string::npos, header("SCRIPT_NAME", "/p.exe").find("MENU-member"));
  Ambry::setArea_More();
  const std::string more = header("SCRIPT_NAME", "/p.exe");
  EXPECT_NE(std::string::npos, more.find("area = 3\n"));
  EXPECT_NE(std::string::npos, more.find("MENU-more"));
  EXPECT_EQ(std::string::npos, more.find("entryform.js"));
}

TEST_F(PageFrame, ScriptNameIsFoundWithoutRegardToCaseAndMayBeMissing) {
  EXPECT_NE(std::string::npos, header("script_name", "/lower.exe").find("script_name = \"/lower.exe?"));
  EXPECT_NE(std::string::npos, header("Script_Name", "/mixed.exe").find("script_name = \"/mixed.exe?"));
  EXPECT_NE(std::string::npos,
            header("SCRIPT_NAME", nullptr).find("script_name = \"?" + ownQuery() + "\"\n"));
}

TEST_F(PageFrame, HostileScriptNameStaysInsideItsLiteral) {
  const std::string out = header("SCRIPT_NAME", "/x.exe\";alert(1)//</script><script>alert(2)//");
  EXPECT_NE(std::string::npos,
            out.find("script_name = \"/x.exe\\\";alert(1)//\\x3C/script>\\x3Cscript>alert(2)//?" +
                     ownQuery() + "\"\n"));
  EXPECT_EQ(std::string::npos, out.find("alert(2)//</script>"));
  // The percent sign of a request value is never taken for a directive.
  EXPECT_NE(std::string::npos, header("SCRIPT_NAME", "/%s%n%d.exe").find("script_name = \"/%s%n%d.exe?"));
}

TEST_F(PageFrame, FooterAndFiles) {
  EXPECT_EQ(TestSupport::kPageEnd, TestSupport::captureStdout([] { Ambry::printDefaultFooter(); }));
  EXPECT_EQ("../data/counter.txt", str(Ambry::getDataFilePath("counter.txt")));
  SandboxDirectory dir;
  TestSupport::SiteSandbox::writeFile(dir.dataFile("f.txt"), "100% <b>verbatim</b>\n");
  EXPECT_EQ("100% <b>verbatim</b>\n", TestSupport::captureStdout([] { Ambry::printFile("../data/f.txt"); }));
  EXPECT_EQ("", TestSupport::captureStdout([] { Ambry::printFile("../data/missing.txt"); }));
  EXPECT_EQ("", TestSupport::captureStdout([] { Ambry::printFile("../data"); }));  // a directory
}
