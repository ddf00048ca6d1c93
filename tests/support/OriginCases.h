// The table of request origins that a state-changing staff command is tried with.
#pragma once
#include <map>
#include <string>
#include <vector>

namespace TestSupport {

struct OriginCase {
  const char* name;
  std::map<std::string, std::string> env;  // the browser's headers as the web server passes them
  bool allowed;
};

// The site is library.example:8080 over plain HTTP.
inline std::vector<OriginCase> originCases() {
  const std::string host = "library.example:8080";
  return {
      {"foreign Origin", {{"HTTP_HOST", host}, {"HTTP_ORIGIN", "http://evil.example"}}, false},
      {"foreign Referer", {{"HTTP_HOST", host}, {"HTTP_REFERER", "http://evil.example/page.html"}}, false},
      {"null Origin", {{"HTTP_HOST", host}, {"HTTP_ORIGIN", "null"}}, false},
      {"other port", {{"HTTP_HOST", host}, {"HTTP_ORIGIN", "http://library.example:8081"}}, false},
      {"other scheme", {{"HTTP_HOST", host}, {"HTTP_ORIGIN", "https://library.example:8080"}}, false},
      {"foreign Origin beats own Referer",
       {{"HTTP_HOST", host},
        {"HTTP_ORIGIN", "http://evil.example"},
        {"HTTP_REFERER", "http://library.example:8080/cgi-bin/x.exe"}},
       false},
      {"same Origin", {{"HTTP_HOST", host}, {"HTTP_ORIGIN", "http://LIBRARY.example:8080"}}, true},
      {"same Referer", {{"HTTP_HOST", host}, {"HTTP_REFERER", "http://library.example:8080/cgi-bin/x.exe?a=1"}}, true},
      {"default port", {{"HTTP_HOST", "library.example"}, {"HTTP_ORIGIN", "http://library.example:80"}}, true},
      {"same Origin over TLS",
       {{"HTTP_HOST", host}, {"HTTPS", "on"}, {"HTTP_ORIGIN", "https://library.example:8080"}},
       true},
      {"neither header", {{"HTTP_HOST", host}}, true},
  };
}

}  // namespace TestSupport
