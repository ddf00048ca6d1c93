// The staff session cookie: reading it from the request, making a token, writing the header line.
#include "ambry/framework/SessionCookie.h"

#include <sys/random.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ambry/framework/SameOrigin.h"
#include "keystone/Exception.h"

namespace Ambry {

namespace {

const char kName[] = "ambry_staff";
const size_t kTokenBytes = 32;

bool isToken(const std::string& value) {
  if (value.size() != 2 * kTokenBytes) return false;
  for (char c : value)
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  return true;
}

void printCookieLine(const std::string& value, const char* lifetime) {
  std::printf("Set-Cookie: %s=%s; Path=/;%s HttpOnly; SameSite=Strict%s\n", kName, value.c_str(), lifetime,
              isHttpsRequest() ? "; Secure" : "");
}

}  // namespace

Keystone::String sessionCookieToken() {
  const char* header = std::getenv("HTTP_COOKIE");
  if (!header) return Keystone::String();
  // "name=value; name=value": the first cookie of this name that holds a token counts.
  const std::string cookies = header;
  size_t start = 0;
  while (start < cookies.size()) {
    size_t end = cookies.find(';', start);
    if (end == std::string::npos) end = cookies.size();
    size_t first = cookies.find_first_not_of(' ', start);
    if (first != std::string::npos && first < end) {
      const std::string pair = cookies.substr(first, end - first);
      const size_t equals = pair.find('=');
      if (equals != std::string::npos && pair.compare(0, equals, kName) == 0 && equals == std::strlen(kName)) {
        std::string value = pair.substr(equals + 1);
        value.erase(value.find_last_not_of(' ') + 1);
        if (isToken(value)) return Keystone::String(value.c_str());
      }
    }
    start = end + 1;
  }
  return Keystone::String();
}

Keystone::String newSessionToken() {
  unsigned char bytes[kTokenBytes];
  size_t got = 0;
  while (got < sizeof bytes) {
    const ssize_t n = getrandom(bytes + got, sizeof bytes - got, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw Keystone::Exception("newSessionToken: no randomness");
    got += static_cast<size_t>(n);
  }
  char text[2 * kTokenBytes + 1];
  for (size_t i = 0; i < kTokenBytes; ++i) std::snprintf(text + 2 * i, 3, "%02x", bytes[i]);
  return Keystone::String(text);
}

void printSessionCookie(const Keystone::String& token) {
  printCookieLine(token.c_str(), "");
}

void printSessionCookieRemoval() {
  printCookieLine("", " Max-Age=0;");
}

}  // namespace Ambry
