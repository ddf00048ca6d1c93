// Helpers of the member result program tests: posting a member form, setting up rows, and
// reading the result tables out of a page.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/CgiRunner.h"
#include "tests/support/Popups.h"
#include "tests/support/TestDB.h"

namespace TestSupport {

// Runs a member result program in English; an unset body means nothing was posted.
inline CgiResponse postPatronForm(const std::string& program, std::optional<std::string> body) {
  CgiRequest request;
  request.program = program;
  request.query = "lang=eng";
  request.body = std::move(body);
  return runCgi(request);
}

// The same request while the database server cannot be reached.
inline CgiResponse postPatronFormWithoutServer(const std::string& program, const std::string& body) {
  const char* old = std::getenv("MYSQL_UNIX_PORT");
  const std::string saved = old ? old : "";
  setenv("MYSQL_UNIX_PORT", "/nonexistent/ambry-no-server.sock", 1);
  CgiResponse response = postPatronForm(program, body);
  if (old)
    setenv("MYSQL_UNIX_PORT", saved.c_str(), 1);
  else
    unsetenv("MYSQL_UNIX_PORT");
  return response;
}

// A member whose account runs for another year; returns the new id.
inline long long addPatronMember(TestDB& db, const std::string& password,
                                 const std::string& address = "1 Main Road") {
  db.exec(
      "INSERT INTO MEMBER (password, surname, firstName, address, contactNo, addDate, "
      "accountExpiryDate, accountBalance) VALUES ('" +
      password + "', 'Smith', 'Ann', '" + address + "', '555-0100', NOW(), '" + dateFromToday(365) + "', 0)");
  return db.lastInsertId();
}

// The text after the first occurrence of marker, or "" when it does not occur.
inline std::string textAfter(const std::string& text, const std::string& marker) {
  size_t at = text.find(marker);
  return at == std::string::npos ? "" : text.substr(at + marker.size());
}

// The text before the first occurrence of marker, or all of it.
inline std::string textBefore(const std::string& text, const std::string& marker) {
  return text.substr(0, text.find(marker));
}

inline int countOf(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// The attribute text of every result row in text, in order ("" for an unshaded row).
inline std::vector<std::string> resultRowAttributes(const std::string& text) {
  const std::string cellStart = ">\n<td nowrap=\"nowrap\">";
  std::vector<std::string> rows;
  for (size_t at = text.find("<tr"); at != std::string::npos; at = text.find("<tr", at + 1)) {
    size_t end = text.find('>', at);
    if (end != std::string::npos && text.compare(end, cellStart.size(), cellStart) == 0)
      rows.push_back(text.substr(at + 3, end - at - 3));
  }
  return rows;
}

inline std::string resultCell(const std::string& value) {
  return "<td nowrap=\"nowrap\">" + value + "</td>";
}

// A column's caption in the heading row of a result table.
inline std::string captionCell(const std::string& caption) {
  return "<th scope=\"col\" "
         "style=\"border-left:1;border-top:0;border-bottom:0;border-right:0;border-color:blue\" "
         "nowrap=\"nowrap\">" +
         caption + "</th>";
}

const char* const kPatronGoBack = "   bGoBack = true;";
const char* const kPatronTableStart = "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"5\">";
const char* const kPatronPageEnd = "</body>\n</html>";

// Posts to a program whose database cannot be reached and checks that the page still finishes with the
// reason shown; returns the text after the heading for the program's own further checks.
inline std::string unreachableDatabasePage(const std::string& program, const std::string& body,
                                           const std::string& heading) {
  CgiResponse response = postPatronFormWithoutServer(program, body);
  EXPECT_EQ(response.exitStatus, 0);
  std::string page = textAfter(response.output, heading);
  EXPECT_NE(page.find("The query was unsuccessful: openConnection - Failed to connect to database: "),
            std::string::npos)
      << response.output;
  EXPECT_NE(page.find(kPatronPageEnd), std::string::npos);
  return page;
}
const char* const kPatronShaded = " bgcolor=\"#BBBBBB\"";

}  // namespace TestSupport
