// The staff door: the session check every staff program passes at load, the sign-in form it shows
// otherwise, and signing in and out.
#include "ambry/framework/StaffDoor.h"

#include <cstdio>
#include <string>
#include <cstdlib>
#include <cstring>

#include "ambry/db/AmbryDB.h"
#include "ambry/escape/Escape.h"
#include "ambry/framework/Messages.h"
#include "ambry/framework/Page.h"
#include "ambry/framework/Request.h"
#include "ambry/framework/SessionCookie.h"
#include "ambry/framework/StaffPrograms.h"
#include "ambry/resources/Resources.h"

using Keystone::String;

namespace Ambry {

namespace {

// Same length and same bytes, taking as long whichever bytes differ.
bool samePassword(const String& typed, const String& expected) {
  unsigned char difference = typed.length() == expected.length() ? 0 : 1;
  for (int i = 0; i < expected.length(); ++i)
    difference |= static_cast<unsigned char>((i < typed.length() ? typed[i] : 0) ^ expected[i]);
  return difference == 0;
}

bool isPlainQuery(const char* query) {
  if (std::strlen(query) > 512) return false;
  for (const char* c = query; *c; ++c) {
    const bool plain = (*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9') ||
                       std::strchr("_.~=&%+-", *c) != nullptr;
    if (!plain) return false;
  }
  return true;
}

// The address of this request, relative to the programs' folder, as the sign-in returns to it.
String thisRequest(const String& program) {
  const String query = getEnvQueryString();
  if (query.length() == 0) return program + ".exe";
  if (isPlainQuery(query.c_str())) return program + ".exe?" + query;
  return program + ".exe?lang=" + getLanguage();
}

String text(const char* key) {
  return getResource(key, false);
}

// The form of the sign-in page, in the page's language; posted, it signs in at staff_login and
// comes back to returnTo.
void printSignInForm(const String& returnTo) {
  std::printf("<h1>%s:</h1>\n<p>%s</p>\n", text("title_staff_signin").c_str(), text("desc_staff_signin").c_str());
  const char* method = std::getenv("REQUEST_METHOD");
  if (method && std::strcmp(method, "POST") == 0) std::printf("<p>%s</p>\n", text("desc_staff_signin_resend").c_str());
  std::printf("<form method=\"post\" action=\"staff_login.exe?lang=%s\">\n", escapeHtml(getLanguage()).c_str());
  if (returnTo.length() > 0)
    std::printf("<input type=\"hidden\" name=\"return\" value=\"%s\">\n", escapeHtml(returnTo).c_str());
  std::printf(
      "<label for=\"signin_password\">%s:</label>\n"
      "<input type=\"password\" id=\"signin_password\" name=\"password\" autofocus>\n"
      "<input type=\"submit\" id=\"signin_submit\" value=\"%s\">\n</form>\n",
      text("caption_staff_password").c_str(), escapeHtml(text("caption_sign_in")).c_str());
}

}  // namespace

bool isStaffSignedIn() {
  const String token = sessionCookieToken();
  if (token.length() == 0) return false;
  AmbryDB db;
  db.openConnection();
  const bool open = db.staffSessionOpen(token);
  db.closeConnection();
  return open;
}

String staffSessionDigest() {
  const String token = sessionCookieToken();
  if (token.length() == 0) return String();
  AmbryDB db;
  db.openConnection();
  const String digest = db.staffSessionDigest(token);
  db.closeConnection();
  return digest;
}

StaffSignIn signInStaff(const String& password, String& token) {
  AmbryDB db;
  db.openConnection();
  const String expected = getProperty("admin_password");
  const PasswordVerdict verdict = db.checkPassword([&] { return samePassword(password, expected); });
  if (verdict == PasswordVerdict::kHeldOff) return StaffSignIn::kHeldOff;
  if (verdict == PasswordVerdict::kWrong) return StaffSignIn::kWrongPassword;
  // A new token at every sign-in: a token planted in the browser beforehand never becomes a session.
  const String fresh = newSessionToken();
  db.insertStaffSession(fresh);
  try {
    db.deleteStaffSession(sessionCookieToken());
  } catch (const Keystone::Exception&) {
    // the old session ends by itself when its time is up
  }
  db.closeConnection();
  token = fresh;
  return StaffSignIn::kSignedIn;
}

void signOutStaff() {
  AmbryDB db;
  db.openConnection();
  db.deleteStaffSession(sessionCookieToken());
  db.closeConnection();
}

String staffReturnAddress(const String& requested) {
  const char* address = requested.c_str();
  const char* query = std::strchr(address, '?');
  const size_t pathLength = query ? static_cast<size_t>(query - address) : std::strlen(address);
  const char* const suffix = ".exe";
  if (pathLength <= std::strlen(suffix) ||
      std::strncmp(address + pathLength - std::strlen(suffix), suffix, std::strlen(suffix)) != 0)
    return String();
  for (size_t i = 0; i + std::strlen(suffix) < pathLength; ++i)
    if (!((address[i] >= 'a' && address[i] <= 'z') || address[i] == '_')) return String();
  if (!isStaffProgram(String(std::string(address, pathLength).c_str()))) return String();
  if (query && !isPlainQuery(query + 1)) return String();
  return requested;
}

void guardStaffProgram() {
  const String program = runningStaffProgram();
  if (program.length() == 0) return;
  setLanguageQuietly(getEnvQueryMap().get("lang", ""));  // for a failure's message
  bool open = false;
  bool answered = true;
  Keystone::Exception failure;
  try {
    open = isStaffSignedIn();
  } catch (const Keystone::Exception& e) {
    failure = e;
    answered = false;
  } catch (...) {
    answered = false;
  }
  if (open) return;
  // A cookie whose session has ended is of no further use to the browser.
  if (answered && sessionCookieToken().length() > 0) printSessionCookieRemoval();
  beginPage("title_staff_signin", AREA_HOME, answered ? CONTENT_HAS_HEADING : TITLE_IS_HEADING);
  if (answered)
    printSignInForm(staffReturnAddress(thisRequest(program)));
  else
    printError("err_query_unsuccessful_reason", failure);
  endPage();
  std::fflush(stdout);
  std::exit(0);
}

}  // namespace Ambry
