// Black-box tests of patron_lookup, the member's catalogue search.
#include <gtest/gtest.h>

#include "tests/support/PatronCgi.h"

namespace TestSupport {
namespace {

const std::string kHeading = "Search results:<br><br>\n";

class PatronLookup : public ::testing::Test {
 protected:
  void SetUp() override { db.reset(); }
  std::string search(const std::string& body) {
    CgiResponse response = postPatronForm("patron_lookup", body);
    EXPECT_EQ(response.exitStatus, 0);
    EXPECT_NE(response.output.find(kPatronPageEnd), std::string::npos) << response.output;
    return textAfter(response.output, kHeading);
  }
  TestDB db;
};

TEST_F(PatronLookup, RequestsWithoutCriteriaGoBackToTheForm) {
  CgiResponse none = postPatronForm("patron_lookup", std::nullopt);
  std::string page = textAfter(none.output, kHeading);
  EXPECT_TRUE(popsUp(page, "Please use the search engine interface to perform searches.")) << none.output;
  EXPECT_NE(page.find(kPatronGoBack), std::string::npos);
  EXPECT_EQ(page.find(kPatronTableStart), std::string::npos);
  EXPECT_NE(page.find(kPatronPageEnd), std::string::npos);

  for (const char* body : {"author=&title=&isbn=", "lang=eng", "author="}) {
    page = search(body);
    EXPECT_TRUE(popsUp(page, "Please supply criteria to the search engine.")) << body << "\n" << page;
    EXPECT_NE(page.find(kPatronGoBack), std::string::npos) << body;
    EXPECT_EQ(page.find(kPatronTableStart), std::string::npos) << body;
  }
}

TEST_F(PatronLookup, IsbnAloneSearchesEvenWhenTheOtherFieldsAreNotSent) {
  std::string wanted = db.addBook("Austen", "Emma", "0-14-143958-7");
  db.addBook("Austen", "Persuasion", "0-19-953555-6");
  for (const char* body : {"author=&title=&isbn=143958", "isbn=143958"}) {
    std::string page = search(body);
    EXPECT_EQ(page.find("no such key"), std::string::npos) << page;
    ASSERT_EQ(resultRowAttributes(page).size(), 1u) << body << "\n" << page;
    EXPECT_NE(page.find(resultCell(wanted)), std::string::npos);
    EXPECT_NE(page.find(resultCell("Emma")), std::string::npos);
    EXPECT_EQ(page.find("Persuasion"), std::string::npos);
  }
}

TEST_F(PatronLookup, SeveralMatchesAreListedWithEverySecondRowShaded) {
  db.addBook("Dickens", "Bleak House", "1");
  db.addBook("Dickens", "Hard Times", "2");
  db.addBook("Eliot", "Middlemarch", "3");
  db.addBook("Dickens", "Little Dorrit", "4");
  db.addBook("Dickens", "Our Mutual Friend", "5");
  std::string page = search("author=dickens&title=&isbn=");
  EXPECT_NE(page.find(captionCell("Author")), std::string::npos);
  std::vector<std::string> rows = resultRowAttributes(page);
  ASSERT_EQ(rows.size(), 4u) << page;
  EXPECT_EQ(rows[0], "");
  EXPECT_EQ(rows[1], kPatronShaded);
  EXPECT_EQ(rows[2], "");
  EXPECT_EQ(rows[3], kPatronShaded);
  EXPECT_EQ(page.find("Middlemarch"), std::string::npos);
  EXPECT_NE(page.find("End of results.<br>"), std::string::npos);
}

TEST_F(PatronLookup, NoMatchShowsTheEmptyTable) {
  db.addBook("Dickens", "Bleak House", "1");
  for (const char* body : {"author=&title=Zebra&isbn=", "author=&title=x'+OR+'1'='1&isbn="}) {
    std::string page = search(body);
    EXPECT_NE(page.find(kPatronTableStart), std::string::npos) << body << "\n" << page;
    EXPECT_TRUE(resultRowAttributes(page).empty()) << body << "\n" << page;
    EXPECT_NE(page.find("</table><br>\nEnd of results.<br>\n"), std::string::npos);
    EXPECT_EQ(page.find("pumpMsg"), std::string::npos);
  }
}

TEST_F(PatronLookup, StoredValuesAreEscaped) {
  db.addBook("<script>alert(1)</script>", "Fish & Chips \"<b>\"", "x");
  std::string page = search("title=Fish");
  EXPECT_NE(page.find(resultCell("&lt;script&gt;alert(1)&lt;/script&gt;")), std::string::npos) << page;
  EXPECT_NE(page.find("Fish &amp; Chips &quot;&lt;b&gt;&quot;"), std::string::npos) << page;
  EXPECT_EQ(page.find("<script>alert"), std::string::npos);
  EXPECT_EQ(page.find("<b>"), std::string::npos);
}

TEST_F(PatronLookup, UnreachableDatabaseIsReportedOnTheFinishedPage) {
  std::string page = unreachableDatabasePage("patron_lookup", "title=Emma", kHeading);
  EXPECT_EQ(page.find(kPatronTableStart), std::string::npos);
}

}  // namespace
}  // namespace TestSupport
