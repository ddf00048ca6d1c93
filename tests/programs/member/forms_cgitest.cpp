// The member forms, the area home pages and the staff login, run as the web server runs them.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>

#include "tests/support/CgiRunner.h"
#include "tests/support/PageFrame.h"
#include "tests/support/TestDB.h"

using TestSupport::CgiRequest;
using TestSupport::CgiResponse;
using TestSupport::SiteSandbox;

namespace {

using TestSupport::kPageEnd;

// One row of a member form: the caption, which labels the field, and the field.
std::string formRow(const std::string& caption, const std::string& type, const std::string& name) {
  return "<tr>\n<td nowrap=\"nowrap\"><label for=\"" + name + "\">" + caption +
         ":</label></td><td><input type=\"" + type + "\" id=\"" + name + "\" name=\"" + name +
         "\"></td>\n</tr>\n";
}

// A site whose menu files name their area, so that a page's area shows in its output.
class FormsCgiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestSupport::TestDB().reset();  // the guess counts of earlier cases
    for (const char* area : {"home", "admin", "member", "more"}) {
      SiteSandbox::writeFile(mSite.data() + "/menu_" + area + ".txt",
                             std::string("<p>menu ") + area + "</p>\n");
    }
  }

  CgiResponse run(const std::string& program, const std::string& query) {
    CgiRequest request;
    request.program = program;
    request.query = query;
    request.cwd = mSite.cgiBin();
    return run(request);
  }

  CgiResponse post(const std::string& body, std::map<std::string, std::string> env = {}) {
    CgiRequest request;
    request.program = "staff_login";
    request.query = "lang=eng";
    request.body = body;
    request.env = env;
    request.cwd = mSite.cgiBin();
    return run(request);
  }

  CgiResponse run(const CgiRequest& request) {
    CgiResponse response = TestSupport::runCgi(request);
    EXPECT_EQ(response.exitStatus, 0) << response.errors;
    EXPECT_EQ(response.errors, "");
    return response;
  }

  // What the program wrote between the area's menu, with the opening of the content, and the footer.
  static std::string content(const std::string& page, const std::string& area) {
    std::string menu = "<p>menu " + area + "</p>\n" + TestSupport::kContentStart;
    size_t start = page.find(menu);
    EXPECT_NE(start, std::string::npos) << "no " << area << " menu in:\n" << page;
    size_t end = page.rfind(kPageEnd);
    EXPECT_EQ(end + std::string(kPageEnd).size(), page.size()) << "page does not end with the footer";
    if (start == std::string::npos || end == std::string::npos || end < start + menu.size()) return "";
    return page.substr(start + menu.size(), end - start - menu.size());
  }

  SiteSandbox mSite;
};

// The visit time is the one part of a page that changes from run to run.
std::string withoutVisitTime(const std::string& page) {
  const std::string label = "Visiting time: ";
  size_t at = page.find(label);
  if (at == std::string::npos) return page;
  size_t lineEnd = page.find('\n', at);
  EXPECT_EQ(lineEnd - at - label.size(), 24u) << "not a ctime text: " << page.substr(at, lineEnd - at);
  return page.substr(0, at + label.size()) + "<time>" + page.substr(lineEnd);
}

TEST_F(FormsCgiTest, HoldFormInEnglishIsExact) {
  CgiResponse response = run("hold_form", "lang=eng");
  const std::string title = "Ashgrove Library :: Reserve";
  EXPECT_EQ(withoutVisitTime(response.output),
            TestSupport::kHtmlHeader +
                TestSupport::pageHead("eng", title, "/cgi-bin/hold_form.exe?lang=eng", 2) +
                TestSupport::titleBar("eng", title, false) + "<time>\n" +
                TestSupport::afterVisitTime("<p>menu member</p>\n") +
                "<h1>Reserve:</h1>\n<form method=\"post\" onsubmit=\"go('patron_hold.exe')\">\n"
                "Please fill in your details:<br><br>\n<table>\n" +
                formRow("Member ID", "text", "memberid") + formRow("Password", "password", "password") +
                formRow("Book ID", "text", "bookid") +
                "</table>\n<br>\n<input type=\"submit\" value=\"Reserve!\">&nbsp;&nbsp;"
                "<input type=\"reset\" value=\"Back to defaults\"><br>\n" +
                kPageEnd);
}

TEST_F(FormsCgiTest, PageWithoutLangIsAfrikaansAfterTheRefusalMessage) {
  CgiResponse response = run("hold_form", "");
  const std::string start = AMBRY_TEST_HTML_HEADER
      "Fout in setLanguage(\"\"): Ongeldige taal gegee<br>\n<!DOCTYPE html>\n<html lang=\"af\">\n";
  EXPECT_EQ(response.output.substr(0, start.size()), start);
  EXPECT_NE(response.output.find("src=\"/data/afr_resource.js\""), std::string::npos);
  std::string form = content(response.output, "member");
  EXPECT_EQ(form.substr(0, 15), "<h1>Reserveer:<");
  EXPECT_NE(form.find("Vul asb. u besonderhede in:<br><br>\n"), std::string::npos);
  EXPECT_NE(form.find("value=\"Reserveer!\""), std::string::npos);
  EXPECT_NE(form.find("value=\"Terug na verstek waardes\""), std::string::npos);
}

TEST_F(FormsCgiTest, RefusedLangCannotPutMarkupIntoThePage) {
  CgiResponse response = run("card_form", "lang=%3Cimg+src%3Dx+onerror%3Dalert(1)%3E");
  EXPECT_EQ(response.output.find("<img"), std::string::npos) << response.output;
  EXPECT_NE(response.output.find("Fout in setLanguage(\"&lt;img src"), std::string::npos);
  EXPECT_NE(response.output.find("src=\"/data/afr_resource.js\""), std::string::npos);
}

// The form pages are rows of one table: one of them is checked whole above, and of each the parts in
// which its row differs.
TEST_F(FormsCgiTest, EachFormPageShowsItsOwnRow) {
  const struct {
    const char* program;
    const char* title;  // the page's title and its heading
    const char* target;
    const char* description;
    const char* inputs;  // "caption type id" of each input, in order
    const char* submit;
  } cases[] = {
      {"card_form", "Membership information", "patron_card", "Please fill in your details:",
       "Member ID text memberid|Password password password", "Retrieve information!"},
      {"hold_form", "Reserve", "patron_hold", "Please fill in your details:",
       "Member ID text memberid|Password password password|Book ID text bookid", "Reserve!"},
      {"lookup_form", "Book search", "patron_lookup", "Please fill in your search criteria:",
       "Author text author|Title text title|ISBN text isbn", "Search!"},
  };
  const std::regex input(
      R"re(<td nowrap="nowrap"><label for="([a-z]+)">([^<]*):</label></td><td><input type="([a-z]+)" id="\1" name="\1">)re");
  for (const auto& c : cases) {
    const CgiResponse response = run(c.program, "lang=eng");
    const std::string form = content(response.output, "member");
    EXPECT_NE(response.output.find(std::string("<title>Ashgrove Library :: ") + c.title + "</title>"),
              std::string::npos)
        << c.program;
    EXPECT_EQ(form.find(std::string("<h1>") + c.title + ":</h1>\n<form method=\"post\" onsubmit=\"go('" +
                        c.target + ".exe')\">\n" + c.description + "<br><br>\n"),
              0u)
        << c.program << "\n"
        << form;
    std::string inputs;
    for (std::sregex_iterator it(form.begin(), form.end(), input), end; it != end; ++it)
      inputs += (inputs.empty() ? "" : "|") + (*it)[2].str() + " " + (*it)[3].str() + " " + (*it)[1].str();
    EXPECT_EQ(inputs, c.inputs) << c.program;
    EXPECT_NE(form.find(std::string("<input type=\"submit\" value=\"") + c.submit + "\">"), std::string::npos)
        << c.program;
  }
}

TEST_F(FormsCgiTest, LookupFormKeepsIsbnCaptionInAfrikaans) {
  std::string form = content(run("lookup_form", "lang=afr").output, "member");
  EXPECT_NE(form.find(formRow("Outeur", "text", "author")), std::string::npos);
  EXPECT_NE(form.find(formRow("ISBN", "text", "isbn")), std::string::npos);
  EXPECT_NE(form.find("value=\"Soek!\""), std::string::npos);
}

const char* const kStaffHome =
    "<h1>Administration area homepage:</h1>\nUse this website section to perform Ambry administration.\n";
const char* const kRefused =
    "<script language=\"JavaScript\">\n   alert(\"The password was incorrect. Please try again.\")\n"
    "   go(\"index.exe\")\n</script>\nReturning to home page.";
const char* const kEntryFormTag = "<script language=\"JavaScript\" src=\"../data/entryform.js\"></script>\n";

TEST_F(FormsCgiTest, StaffLoginWithoutBodyIsRefusedInHomeArea) {
  CgiResponse response = run("staff_login", "lang=eng");
  EXPECT_EQ(content(response.output, "home"), kRefused);
  EXPECT_NE(response.output.find("   area = 0\n"), std::string::npos);
  EXPECT_EQ(response.output.find(kEntryFormTag), std::string::npos);
  EXPECT_NE(response.output.find("<title>Ashgrove Library :: Administration area homepage</title>"),
            std::string::npos);
  // The refusal has no heading of its own: the title is the page's heading.
  EXPECT_NE(
      response.output.find("<h1 class=\"pagetitle\">Ashgrove Library :: Administration area homepage</h1>"),
      std::string::npos);
}

// The session cookie the response sets, "" when it sets none.
std::string setCookie(const std::string& page) {
  const std::string header = page.substr(0, page.find("\n\n"));
  const size_t at = header.find("Set-Cookie: ");
  return at == std::string::npos ? "" : header.substr(at + 12, header.find('\n', at) - at - 12);
}

std::string urlEncode(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%%%02X", c);
    out += std::isalnum(c) ? std::string(1, static_cast<char>(c)) : std::string(hex);
  }
  return out;
}

TEST_F(FormsCgiTest, StaffLoginOpensTheStaffAreaOnlyToASession) {
  // The staff home link of earlier pages posted loggedIn: it opens nothing by itself.
  EXPECT_EQ(content(post("loggedIn=", {{"HTTP_COOKIE", ""}}).output, "home"), kRefused);
  EXPECT_EQ(content(post("loggedIn=", {{"HTTP_COOKIE", "ambry_staff=" + std::string(64, 'a')}}).output, "home"),
            kRefused);
  const std::string cookie = TestSupport::staffSessionCookie();
  ASSERT_NE(cookie, "");
  CgiRequest visit;
  visit.program = "staff_login";
  visit.query = "lang=eng";
  visit.env = {{"HTTP_COOKIE", "theme=dark; " + cookie}};
  visit.cwd = mSite.cgiBin();
  CgiResponse response = run(visit);
  EXPECT_EQ(content(response.output, "admin"), kStaffHome);
  // The staff home's text has its heading, so the title is not a second one.
  EXPECT_NE(
      response.output.find("<p class=\"pagetitle\">Ashgrove Library :: Administration area homepage</p>"),
      std::string::npos);
  EXPECT_NE(response.output.find("   area = 1\n"), std::string::npos);
  EXPECT_NE(response.output.find(std::string("/data/ambry.js\"></script>\n") + kEntryFormTag +
                                 "<script language=\"JavaScript\">\n   script_name"),
            std::string::npos);
  EXPECT_EQ(setCookie(response.output), "") << "a visit opens no new session";
}

TEST_F(FormsCgiTest, StaffLoginChecksThePasswordExactlyAndOpensASession) {
  CgiResponse right = post("password=marmots");
  EXPECT_EQ(content(right.output, "admin"), kStaffHome);
  const std::string cookie = setCookie(right.output);
  EXPECT_EQ(cookie.substr(0, 12), "ambry_staff=");
  EXPECT_EQ(cookie.substr(76), "; Path=/; HttpOnly; SameSite=Strict") << cookie;
  // Over TLS the cookie is never sent without it.
  EXPECT_EQ(setCookie(post("password=marmots", {{"HTTPS", "on"}}).output).substr(76),
            "; Path=/; HttpOnly; SameSite=Strict; Secure");
  for (const char* body : {"password=Marmots", "password=marmots+", "password=", "user=marmots"}) {
    CgiResponse wrong = post(body);
    EXPECT_EQ(content(wrong.output, "home"), kRefused) << body;
    EXPECT_EQ(setCookie(wrong.output), "") << body;
  }
}

TEST_F(FormsCgiTest, StaffPasswordComesFromTheEnvironmentWhenSet) {
  std::map<std::string, std::string> env = {{"AMBRY_ADMIN_PASSWORD", "Kestrel9"}};
  EXPECT_EQ(content(post("password=Kestrel9", env).output, "admin"), kStaffHome);
  EXPECT_EQ(content(post("password=marmots", env).output, "home"), kRefused);
  // An empty variable does not blank the password.
  EXPECT_EQ(content(post("password=", {{"AMBRY_ADMIN_PASSWORD", ""}}).output, "home"), kRefused);
}

TEST_F(FormsCgiTest, StaffPasswordGuessingIsHeldOffPerAddress) {
  const std::map<std::string, std::string> guesser = {{"REMOTE_ADDR", "198.51.100.7"}};
  // Visits without a password check nothing, so they count for nothing.
  for (const char* visit : {"", "loggedIn=1", "password="})
    for (int i = 0; i < 6; ++i) ASSERT_EQ(content(post(visit, guesser).output, "home"), kRefused) << visit;
  for (int i = 0; i < 10; ++i) ASSERT_EQ(content(post("password=guess", guesser).output, "home"), kRefused) << i;
  // The 11th check within ten minutes is held off: even the right password is not checked.
  CgiResponse held = post("password=marmots", guesser);
  EXPECT_EQ(content(held.output, "home"),
            "<table border=\"1\" width=\"100%\"><tr><td>Too many incorrect passwords have been entered from "
            "your computer. Please wait 10 minutes and try again.</td></tr></table>\n");
  EXPECT_EQ(setCookie(held.output), "");
  EXPECT_EQ(content(post("password=marmots", {{"REMOTE_ADDR", "198.51.100.8"}}).output, "admin"), kStaffHome);
  // The limit is a setting.
  EXPECT_EQ(content(post("password=marmots", {{"REMOTE_ADDR", "198.51.100.7"}, {"AMBRY_THROTTLE_LIMIT", "20"}})
                        .output,
                    "admin"),
            kStaffHome);
}

// After signing in on a staff page's sign-in form, the browser goes back to that page; only a
// staff program of this site is such a page.
TEST_F(FormsCgiTest, StaffSignInReturnsToTheStaffPageThatAsked) {
  const struct {
    const char* requested;
    const char* location;  // nullptr: the staff home page is shown
  } cases[] = {
      {"book_editor.exe?lang=eng", "book_editor.exe?lang=eng"},
      {"reports.exe?lang=afr", "reports.exe?lang=afr"},
      {"reports.exe?lang=eng&report=expiring", "reports.exe?lang=eng&report=expiring"},
      {"control_panel.exe", "control_panel.exe"},
      {"index.exe?lang=eng", nullptr},
      {"http://evil.example/book_editor.exe", nullptr},
      {"//evil.example/book_editor.exe", nullptr},
      {"/cgi-bin/book_editor.exe", nullptr},
      {"book_editor.exe?lang=eng\r\nSet-Cookie: x=1", nullptr},
      {"book_editor.exe?x=<script>", nullptr},
      {"", nullptr},
  };
  for (const auto& c : cases) {
    CgiResponse response = post("password=marmots&return=" + urlEncode(c.requested));
    EXPECT_NE(setCookie(response.output), "") << c.requested;
    if (c.location) {
      EXPECT_NE(response.output.find(std::string("Status: 303 See Other\nLocation: ") + c.location + "\n"),
                std::string::npos)
          << c.requested << "\n" << response.output;
    } else {
      EXPECT_EQ(response.output.find("Location:"), std::string::npos) << c.requested;
      EXPECT_EQ(content(response.output, "admin"), kStaffHome) << c.requested;
    }
  }
}

TEST_F(FormsCgiTest, StaffLoginInAfrikaans) {
  CgiRequest request;
  request.program = "staff_login";
  request.query = "lang=afr";
  request.body = "password=marmots";
  request.cwd = mSite.cgiBin();
  EXPECT_EQ(content(run(request).output, "admin"),
            "<h1>Administrasie area tuisblad:</h1>\nHierdie gedeelte van die webblad word gebruik on Ambry "
            "administrasie uit te voer.\n");
}

// At process end the visitor count is written back while the texts still exist and before the
// last flush of standard output, so even a failed write is reported at the end of the page.
TEST_F(FormsCgiTest, CounterIsWrittenBeforeTheLastFlushAtExit) {
  SiteSandbox::writeFile(mSite.data() + "/counter.txt", "41");
  CgiResponse counted = run("index", "lang=eng");
  EXPECT_NE(counted.output.find("You are visitor no. 42 since"), std::string::npos);
  EXPECT_EQ(SiteSandbox::readFile(mSite.data() + "/counter.txt"), "42");

  std::filesystem::remove(mSite.data() + "/counter.txt");
  std::filesystem::create_directory(mSite.data() + "/counter.txt");  // readable, never writable
  std::string page = run("index", "lang=eng").output;
  const std::string end =
      std::string(kPageEnd) + "Error in Counter::flush(): Error opening counter file<br>\n";
  ASSERT_GE(page.size(), end.size());
  EXPECT_EQ(page.substr(page.size() - end.size()), end);
}

}  // namespace
