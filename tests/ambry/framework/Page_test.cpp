// The page frame: title, script tags, the head with the page's address, menus and files.
#include <cstdlib>

#include "tests/ambry/framework/FrameworkTestSupport.h"

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
  const std::string expectedHead =
      "<html>\n<head>\n<link rel=\"stylesheet\" type=\"text/css\" href=\"/data/style.css\">\n"
      "<script language=\"JavaScript\" src=\"/data/eng_resource.js\"></script>\n"
      "<script language=\"JavaScript\" src=\"/data/ambry.js\"></script>\n"
      "<script language=\"JavaScript\" src=\"../data/entryform.js\"></script>\n"
      "<script language=\"JavaScript\">\n   script_name = \"/cgi-bin/book_editor.exe?" +
      ownQuery() + "\"\n   area = 1\n</script>\n<title>Ashgrove Library :: Book entry</title>\n</head>\n";
  EXPECT_EQ(expectedHead, out.substr(0, expectedHead.size()));
  EXPECT_NE(std::string::npos,
            out.find("<td>\nAshgrove Library :: Book entry</td>\n<td align=\"right\">\nVisiting time: "));
  EXPECT_NE(std::string::npos, out.find("\n<p>staff menu</p>\n"));
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
  EXPECT_EQ("</td>\n</tr>\n</table>\n</body>\n</html>",
            TestSupport::captureStdout([] { Ambry::printDefaultFooter(); }));
  EXPECT_EQ("../data/counter.txt", str(Ambry::getDataFilePath("counter.txt")));
  SandboxDirectory dir;
  TestSupport::SiteSandbox::writeFile(dir.dataFile("f.txt"), "100% <b>verbatim</b>\n");
  EXPECT_EQ("100% <b>verbatim</b>\n", TestSupport::captureStdout([] { Ambry::printFile("../data/f.txt"); }));
  EXPECT_EQ("", TestSupport::captureStdout([] { Ambry::printFile("../data/missing.txt"); }));
  EXPECT_EQ("", TestSupport::captureStdout([] { Ambry::printFile("../data"); }));  // a directory
}
