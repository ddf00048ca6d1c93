// Black-box tests of reports: each report's rows against dates computed from today, the CSV
// download, the click that opens an entry, and a database that cannot be reached.
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

#include "tests/support/PatronCgi.h"

namespace TestSupport {
namespace {

using Table = std::vector<std::vector<std::string>>;

// The text of a cell without its markup (a row's button that opens its entry).
std::string cellText(const std::string& cell) {
  std::string text;
  bool inTag = false;
  for (char c : cell) {
    if (c == '<' || c == '>')
      inTag = c == '<';
    else if (!inTag)
      text += c;
  }
  return text;
}

// The cell texts of every row of the page's first result table; the caption row comes first.
Table tableRows(const std::string& page) {
  Table rows;
  const std::string table = textBefore(textAfter(page, kPatronTableStart), "</table>");
  for (size_t at = table.find("<tr"); at != std::string::npos; at = table.find("<tr", at + 1)) {
    const std::string row = table.substr(at, table.find("</tr>", at) - at);
    std::vector<std::string> cells;
    const std::string open = "nowrap=\"nowrap\">";
    for (size_t c = row.find(open); c != std::string::npos; c = row.find(open, c + 1)) {
      const size_t start = c + open.size();
      const size_t end = std::min(row.find("</td>", start), row.find("</th>", start));
      cells.push_back(cellText(row.substr(start, end - start)));
    }
    rows.push_back(cells);
  }
  return rows;
}

// A month of monthStart as the English pages name it (strftime's "%B %Y" or "%b %Y").
std::string monthName(const std::string& day, const char* format) {
  struct tm t = {};
  strptime(day.c_str(), "%Y-%m-%d", &t);
  char buf[32];
  strftime(buf, sizeof buf, format, &t);
  return buf;
}

// The first day of the month `back` months before this one, as YYYY-MM-DD, and its YYYY-MM.
std::string monthStart(int back) {
  time_t now = time(nullptr);
  struct tm t;
  localtime_r(&now, &t);
  t.tm_mday = 1;
  t.tm_mon -= back;
  t.tm_hour = 12;
  mktime(&t);
  char buf[16];
  strftime(buf, sizeof buf, "%Y-%m-%d", &t);
  return buf;
}

class Reports : public ::testing::Test {
 protected:
  void SetUp() override { db.reset(); }

  CgiResponse get(const std::string& query) {
    CgiRequest request;
    request.program = "reports";
    request.query = query;
    return runCgi(request);
  }
  std::string page(const std::string& query) {
    CgiResponse response = get(query);
    EXPECT_EQ(response.exitStatus, 0);
    EXPECT_EQ(response.output.rfind(TestSupport::kHtmlHeader, 0), 0u) << response.output;
    EXPECT_NE(response.output.find(kPatronPageEnd), std::string::npos) << response.output;
    EXPECT_EQ(response.output.find("Error in"), std::string::npos) << response.output;
    return response.output;
  }
  long long member(const std::string& surname, const std::string& expiry,
                   const std::string& contact = "021 555") {
    db.exec(
        "INSERT INTO MEMBER (password, surname, firstName, address, contactNo, addDate, accountExpiryDate, "
        "accountBalance) VALUES ('pw', '" +
        surname + "', 'Ann', '1 Main Road', '" + contact + "', NOW(), '" + expiry + "', 0)");
    return db.lastInsertId();
  }
  long long book(const std::string& title) { return std::stoll(db.addBook("Brink, Anna", title, "978")); }
  long long lend(long long memberId, long long bookId, const std::string& due,
                 const std::string& inDate = "0", const std::string& out = "NOW()") {
    db.exec("INSERT INTO CHECKOUT (memberid, bookid, checkoutDate, returnDate, inDate) VALUES (" +
            std::to_string(memberId) + ", " + std::to_string(bookId) + ", " + out + ", '" + due + "', " +
            inDate + ")");
    return db.lastInsertId();
  }
  void reserve(long long memberId, long long bookId) {
    db.exec("INSERT INTO RESERVATION (memberid, bookid, addDate) VALUES (" + std::to_string(memberId) + ", " +
            std::to_string(bookId) + ", NOW())");
  }
  TestDB db;
};

TEST_F(Reports, OverdueListsLoansPastTheirDateOldestFirstAndOpensTheLoan) {
  const long long m = member("Smith", dateFromToday(100), "+27 21 555");
  const long long late = lend(m, book("<b>Late</b> & Co"), dateFromToday(-1));
  const long long later = lend(m, book("Very Late"), dateFromToday(-10));
  lend(m, book("Due Today"), dateFromToday(0));
  lend(m, book("Returned"), dateFromToday(-5), "NOW()");

  const std::string out = page("lang=eng&report=overdue");
  const Table rows = tableRows(out);
  ASSERT_EQ(rows.size(), 3u) << out;
  EXPECT_EQ(rows[0], (std::vector<std::string>{"Checkout ID", "Return Date", "Days Overdue", "Title",
                                               "Author", "Member ID", "Member", "Contact No."}));
  EXPECT_EQ(rows[1], (std::vector<std::string>{std::to_string(later), dateFromToday(-10), "10", "Very Late",
                                               "Brink, Anna", std::to_string(m), "Ann Smith", "+27 21 555"}));
  EXPECT_EQ(rows[2][0], std::to_string(late));
  EXPECT_EQ(rows[2][2], "1");
  EXPECT_EQ(rows[2][3], "&lt;b&gt;Late&lt;/b&gt; &amp; Co");  // stored text, never markup
  // A click posts the jump command with the loan's id to the checkout editor.
  EXPECT_NE(
      out.find("action=\"checkout_editor.exe?lang=eng\">\n<input type=\"hidden\" name=\"cmd\" value=\"4\">"),
      std::string::npos);
  EXPECT_NE(out.find("onclick=\"openReportEntry('" + std::to_string(late) + "')\""), std::string::npos);
  // The keyboard opens it with the first cell's button.
  EXPECT_NE(out.find("onclick=\"event.stopPropagation(); openReportEntry('" + std::to_string(late) + "')\">" +
                     std::to_string(late) + "</button>"),
            std::string::npos);
  // Any other report name shows this report.
  EXPECT_EQ(tableRows(page("lang=eng&report=nonsense")), rows);
  EXPECT_EQ(tableRows(page("lang=eng")), rows);
}

TEST_F(Reports, ExpiringListsThirtyDaysAheadAndExpiredMembersWithBooks) {
  const long long in30 = member("In30", dateFromToday(30));
  member("In31", dateFromToday(31));
  const long long today = member("Today", dateFromToday(0));
  const long long expiredWithBook = member("ExpiredWithBook", dateFromToday(-3));
  member("ExpiredNoBook", dateFromToday(-3));
  const long long expiredReturned = member("ExpiredReturned", dateFromToday(-40));
  lend(expiredWithBook, book("Held"), dateFromToday(5));
  lend(expiredWithBook, book("Held too"), dateFromToday(5));
  lend(expiredReturned, book("Back"), dateFromToday(5), "NOW()");

  const std::string out = page("lang=eng&report=expiring");
  const Table rows = tableRows(out);
  ASSERT_EQ(rows.size(), 4u) << out;
  EXPECT_EQ(rows[0][5], "Days Left");
  EXPECT_EQ(rows[1], (std::vector<std::string>{std::to_string(expiredWithBook), "ExpiredWithBook", "Ann",
                                               "021 555", dateFromToday(-3), "-3", "2"}));
  EXPECT_EQ(rows[2][0], std::to_string(today));
  EXPECT_EQ(rows[2][5], "0");
  EXPECT_EQ(rows[3][0], std::to_string(in30));
  EXPECT_EQ(rows[3][5], "30");
  EXPECT_NE(out.find("action=\"member_editor.exe?lang=eng\""), std::string::npos);
}

TEST_F(Reports, MonthlyCountsTheLastTwelveMonthsInChartAndTable) {
  const long long m = member("Smith", dateFromToday(300));
  const long long b = book("Busy");
  lend(m, b, dateFromToday(5), "NOW()", "NOW()");
  lend(m, b, dateFromToday(5), "NOW()", "'" + monthStart(0) + " 00:00:00'");
  lend(m, b, dateFromToday(5), "NOW()", "'" + monthStart(1) + " 23:59:59'");
  lend(m, b, dateFromToday(5), "NOW()", "'" + monthStart(11) + " 00:00:00'");
  // The last second before the window: twelve months back is outside it.
  lend(m, b, dateFromToday(5), "NOW()", "'" + monthStart(11) + " 00:00:00' - INTERVAL 1 SECOND");

  const std::string out = page("lang=eng&report=monthly");
  const Table rows = tableRows(out);
  ASSERT_EQ(rows.size(), 13u) << out;
  EXPECT_EQ(rows[0], (std::vector<std::string>{"Month", "Loans"}));
  for (int back = 11; back >= 0; --back) {
    const std::vector<std::string>& row = rows[12 - back];
    EXPECT_EQ(row[0], monthName(monthStart(back), "%B %Y"));
    EXPECT_EQ(row[1], back == 0 ? "2" : back == 1 || back == 11 ? "1" : "0") << row[0];
  }
  // The chart: one bar per month, the busiest month the tallest, an empty month flat, each named
  // below its bar; the value axis has a gridline and a value at each step up to the busiest month.
  const std::string chart = textBefore(textAfter(out, "<svg"), "</svg>");
  EXPECT_EQ(countOf(chart, "<rect "), 12);
  EXPECT_NE(chart.find("height=\"170\" fill=\"darkgreen\"><title>" + monthName(monthStart(0), "%B %Y") +
                       ": 2</title>"),
            std::string::npos)
      << chart;
  EXPECT_NE(chart.find("height=\"0\" fill=\"darkgreen\"><title>" + monthName(monthStart(2), "%B %Y") +
                       ": 0</title>"),
            std::string::npos);
  EXPECT_NE(chart.find(">" + monthName(monthStart(11), "%b %Y") + "</text>"), std::string::npos);
  EXPECT_EQ(countOf(chart, "stroke=\"#c8d3cc\""), 3);
  for (const char* value : {"0", "1", "2"})
    EXPECT_NE(chart.find(std::string("text-anchor=\"end\" font-size=\"11\">") + value + "</text>"),
              std::string::npos)
        << value;
  // The download keeps the months as YYYY-MM.
  EXPECT_NE(
      get("lang=eng&report=monthly&format=csv").output.find("\r\n" + monthStart(0).substr(0, 7) + ",2\r\n"),
      std::string::npos);
}

TEST_F(Reports, ReservedListsBooksWithTheNumberWaitingAndWhetherOut) {
  const long long a = member("A", dateFromToday(300));
  const long long b = member("B", dateFromToday(300));
  const long long once = book("Once");
  const long long twice = book("Twice");
  book("Never");
  reserve(a, once);
  reserve(a, twice);
  reserve(b, twice);
  lend(a, twice, dateFromToday(7));

  const std::string out = page("lang=afr&report=reserved");
  const Table rows = tableRows(out);
  ASSERT_EQ(rows.size(), 3u) << out;
  EXPECT_EQ(rows[0], (std::vector<std::string>{"Boek ID", "Titel", "Outeur", "Reserverings", "Uitgeneem"}));
  EXPECT_EQ(rows[1], (std::vector<std::string>{std::to_string(twice), "Twice", "Brink, Anna", "2", "Ja"}));
  EXPECT_EQ(rows[2], (std::vector<std::string>{std::to_string(once), "Once", "Brink, Anna", "1", "Nee"}));
  EXPECT_NE(out.find("<title>Ashgrove"), std::string::npos);
  EXPECT_NE(out.find("action=\"book_editor.exe?lang=afr\""), std::string::npos);
  EXPECT_NE(out.find("href=\"reports.exe?lang=afr&amp;report=reserved&amp;format=csv\">Laai af as CSV</a>"),
            std::string::npos);
}

TEST_F(Reports, EmptyReportSaysSo) {
  const std::string out = page("lang=eng&report=reserved");
  EXPECT_NE(out.find("There is nothing to report."), std::string::npos) << out;
  EXPECT_EQ(out.find(kPatronTableStart), std::string::npos);
}

TEST_F(Reports, CsvDownloadIsQuotedGuardedAndNamedAfterTheReportAndToday) {
  const long long m = member("O''Neil, \"Jr\"", dateFromToday(10), "=HYPERLINK(\"x\")");
  lend(m, book("Commas, and\nlines"), dateFromToday(-2));

  CgiResponse response = get("lang=eng&report=expiring&format=csv");
  EXPECT_EQ(response.exitStatus, 0);
  EXPECT_EQ(response.output,
            "Content-Type: text/csv; charset=windows-1252\n"
            "Content-Disposition: attachment; filename=\"expiring-" +
                dateFromToday(0) +
                ".csv\"\n\n"
                "Member ID,Surname,First Name,Contact No.,Account Expiry Date,Days Left,Open Loans\r\n" +
                std::to_string(m) + ",\"O'Neil, \"\"Jr\"\"\",Ann,\"'=HYPERLINK(\"\"x\"\")\"," +
                dateFromToday(10) + ",10,1\r\n");

  response = get("lang=afr&report=overdue&format=csv");
  const std::string body = textAfter(response.output, "\n\n");
  EXPECT_NE(response.output.find("filename=\"overdue-" + dateFromToday(0) + ".csv\""), std::string::npos);
  EXPECT_EQ(body.rfind("Uitname ID,Terugbesorgingsdatum,Dae agterstallig,", 0), 0u) << body;
  EXPECT_NE(body.find(",\"Commas, and\nlines\",\"Brink, Anna\","), std::string::npos) << body;
  // Without a listed language there is no file: the page says what is wrong.
  EXPECT_EQ(get("report=overdue&format=csv").output.rfind(TestSupport::kHtmlHeader, 0), 0u);
}

TEST_F(Reports, UnreachableDatabaseIsAnErrorPageEvenForCsv) {
  ASSERT_NE(TestSupport::staffSessionCookie(), "");  // signed in while the server still runs
  const char* old = std::getenv("MYSQL_UNIX_PORT");
  const std::string saved = old ? old : "";
  setenv("MYSQL_UNIX_PORT", "/nonexistent/ambry-no-server.sock", 1);
  const CgiResponse html = get("lang=eng&report=monthly");
  const CgiResponse csv = get("lang=eng&report=overdue&format=csv");
  setenv("MYSQL_UNIX_PORT", saved.c_str(), 1);
  for (const CgiResponse* response : {&html, &csv}) {
    EXPECT_EQ(response->output.rfind(TestSupport::kHtmlHeader, 0), 0u) << response->output;
    EXPECT_NE(
        response->output.find("The query was unsuccessful: openConnection - Failed to connect to database"),
        std::string::npos)
        << response->output;
    EXPECT_NE(response->output.find(kPatronPageEnd), std::string::npos);
    EXPECT_EQ(response->output.find("There is nothing to report."), std::string::npos);
  }
}

}  // namespace
}  // namespace TestSupport
