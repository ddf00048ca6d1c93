// Runs a built CGI program the way the web server does, inside a throwaway site folder.
#pragma once
#include <map>
#include <optional>
#include <string>

namespace TestSupport {

// A temporary site: <root>/site/cgi-bin (the programs' working directory), <root>/site/data
// (the data folder the settings point at) and <root>/db_backup. Removed on destruction.
class SiteSandbox {
 public:
  SiteSandbox();
  ~SiteSandbox();
  SiteSandbox(const SiteSandbox&) = delete;
  SiteSandbox& operator=(const SiteSandbox&) = delete;
  const std::string& root() const { return mRoot; }
  std::string cgiBin() const { return mRoot + "/site/cgi-bin"; }
  std::string data() const { return mRoot + "/site/data"; }
  std::string backup() const { return mRoot + "/db_backup"; }
  static void writeFile(const std::string& path, const std::string& content);
  static std::string readFile(const std::string& path);
  static bool exists(const std::string& path);

 private:
  std::string mRoot;
};

struct CgiRequest {
  std::string program;                       // name of a program in the build's bin folder
  std::optional<std::string> query;          // QUERY_STRING; unset when empty optional
  std::optional<std::string> body;           // standard input
  std::optional<std::string> contentLength;  // CONTENT_LENGTH; defaults to the body's size
  std::optional<std::string> scriptName;     // SCRIPT_NAME; defaults to /cgi-bin/<program>.exe
  std::map<std::string, std::string> env;    // further variables; a staff program gets the
                                             // HTTP_COOKIE of staffSessionCookie() unless set here
  std::string cwd;                           // working directory; a fresh sandbox's cgi-bin if empty
};

// The start of every HTML response: its content type with the pages' character set, then the empty
// line that ends the header. Also a macro, so that an exact page can be one literal that starts with it.
#define AMBRY_TEST_HTML_HEADER "Content-Type: text/html; charset=windows-1252\n\n"
const char* const kHtmlHeader = AMBRY_TEST_HTML_HEADER;

struct CgiResponse {
  int exitStatus = -1;  // exit code, or 128 + signal
  std::string output;   // everything written to standard output
  std::string errors;   // everything written to standard error
};

// Runs the program with only PATH, TZ, MYSQL_UNIX_PORT and LANG-free environment plus the request.
CgiResponse runCgi(const CgiRequest& request);

// The cookie header of a staff session, opened once per test process by signing in at
// staff_login with the staff password; empty while the database cannot be reached.
std::string staffSessionCookie();

// A staff session of its own, signed in afresh at every call: another librarian's cookie.
std::string newStaffSessionCookie();

// Path of a built program.
std::string programPath(const std::string& program);

}  // namespace TestSupport
