// The same-origin check of state-changing staff commands, from the Origin or Referer header.
#include "ambry/framework/SameOrigin.h"

#include <cctype>
#include <cstdlib>
#include <string>

namespace Ambry {

namespace {

struct Origin {
  std::string scheme, host, port;
};

std::string lowerCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Host and port of an authority ("host", "host:port", "[v6]:port"); a missing port is the
// scheme's default, so that "example.org" and "example.org:80" are the same origin over http.
Origin withAuthority(const std::string& scheme, const std::string& authority) {
  Origin origin{scheme, lowerCase(authority), ""};
  const size_t close = origin.host.rfind(']');
  const size_t colon = origin.host.rfind(':');
  if (colon != std::string::npos && (close == std::string::npos || colon > close)) {
    origin.port = origin.host.substr(colon + 1);
    origin.host.erase(colon);
  }
  if (origin.port.empty()) origin.port = scheme == "https" ? "443" : scheme == "http" ? "80" : "";
  return origin;
}

// The origin of an absolute URL (an Origin header is one without a path); false when the text
// is not "scheme://authority..." at all, as "null" is not.
bool parseUrl(const std::string& url, Origin& origin) {
  const size_t separator = url.find("://");
  if (separator == std::string::npos || separator == 0) return false;
  const size_t start = separator + 3;
  const size_t end = url.find_first_of("/?#", start);
  const std::string authority = url.substr(start, end == std::string::npos ? std::string::npos : end - start);
  if (authority.empty()) return false;
  origin = withAuthority(lowerCase(url.substr(0, separator)), authority);
  return true;
}

// This request's own origin as the web server received it; false without HTTP_HOST.
bool ownOrigin(Origin& origin) {
  const char* host = std::getenv("HTTP_HOST");
  if (!host || !*host) return false;
  origin = withAuthority(isHttpsRequest() ? "https" : "http", host);
  return true;
}

}  // namespace

bool isHttpsRequest() {
  const char* https = std::getenv("HTTPS");
  const std::string flag = https ? lowerCase(https) : "";
  return flag == "on" || flag == "1";
}

bool isSameOriginRequest() {
  const char* header = std::getenv("HTTP_ORIGIN");
  if (!header) header = std::getenv("HTTP_REFERER");
  if (!header) return true;  // not a browser
  Origin claimed, own;
  if (!parseUrl(header, claimed) || !ownOrigin(own)) return false;
  return claimed.scheme == own.scheme && claimed.host == own.host && claimed.port == own.port;
}

}  // namespace Ambry
