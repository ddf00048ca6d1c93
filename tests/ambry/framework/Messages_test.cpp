// Messages: pop-ups inside and outside a script element, hostile texts, framed errors.
#include "tests/ambry/framework/FrameworkTestSupport.h"

class PageMessages : public EnglishPageTest {};

namespace {

std::string popup(const char* text, bool isText) {
  return TestSupport::captureStdout([&] { Ambry::popupMessage(text, isText); });
}

}  // namespace

TEST_F(PageMessages, PopupOutsideAScriptOpensAndClosesOne) {
  EXPECT_EQ("<script language=\"JavaScript\">\n   pumpMsg('New entry added.');\n</script>\n",
            popup("msg_entry_added", false));
  EXPECT_FALSE(Ambry::isScriptOpen());
}

TEST_F(PageMessages, PopupInsideAScriptAddsOnlyItsLine) {
  TestSupport::captureStdout([] { Ambry::beginJavaScriptTag(""); });
  EXPECT_EQ("   pumpMsg('It\\'s done');\n", popup("It's done", true));
  EXPECT_TRUE(Ambry::isScriptOpen());
  TestSupport::captureStdout([] { Ambry::endScriptTag(); });
}

TEST_F(PageMessages, PopupEscapesHostileMessages) {
  const std::string out = popup("a\\b'c\"d\n</script><script>alert(1)</script> 100%", true);
  EXPECT_EQ(
      "<script language=\"JavaScript\">\n"
      "   pumpMsg('a\\\\b\\'c\\\"d\\n\\x3C/script>\\x3Cscript>alert(1)\\x3C/script> 100%');\n"
      "</script>\n",
      out);
}

TEST_F(PageMessages, PopupErrorComposesTheOperationAndReason) {
  EXPECT_EQ(
      "<script language=\"JavaScript\">\n"
      "   pumpMsg('Error in updateMember: The necessary information was not supplied.');\n</script>\n",
      TestSupport::captureStdout([] { Ambry::popupError("updateMember", "err_info_not_supplied"); }));
}

TEST_F(PageMessages, GenerateErrorInBothLanguages) {
  EXPECT_EQ("Error in insertBook: No additional information.", str(Ambry::generateError("insertBook", "")));
  Ambry::setLanguage("afr");
  EXPECT_EQ("Fout in insertBook: Geen verdere inligting.", str(Ambry::generateError("insertBook", "")));
}

TEST_F(PageMessages, PrintMessageFramesTextVerbatim) {
  EXPECT_EQ("<table border=\"1\" width=\"100%\"><tr><td>100% <b>done</b></td></tr></table>\n",
            TestSupport::captureStdout([] { Ambry::printMessage("100% <b>done</b>", true); }));
  EXPECT_EQ("<table border=\"1\" width=\"100%\"><tr><td>Entry deleted.</td></tr></table>\n",
            TestSupport::captureStdout([] { Ambry::printMessage("msg_entry_deleted", false); }));
}

TEST_F(PageMessages, PrintErrorFillsTheExceptionMessage) {
  const auto printError = [](const char* key, const char* message) {
    return TestSupport::captureStdout([&] { Ambry::printError(key, Keystone::Exception(message)); });
  };
  EXPECT_EQ(
      "<table border=\"1\" width=\"100%\"><tr><td>"
      "Processing was unsuccessful due to a fatal error: disk full<br>\n</td></tr></table>\n",
      printError("err_fatal_reason", "disk full"));
  EXPECT_EQ(
      "<table border=\"1\" width=\"100%\"><tr><td>"
      "Processing was unsuccessful due to a fatal error: %s<br>\n</td></tr></table>\n",
      printError("err_fatal_reason", ""));
  // A failed statement may quote request values: they arrive as text, not markup.
  EXPECT_EQ(
      "<table border=\"1\" width=\"100%\"><tr><td>"
      "Processing was unsuccessful due to a fatal error: near &#39;&lt;script&gt;x&#39; %d<br>\n"
      "</td></tr></table>\n",
      printError("err_fatal_reason", "near '<script>x' %d"));
}
