// Request decoding: the posted body and QUERY_STRING become query maps, cached per process.
#include "ambry/framework/Request.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>

#include "ambry/framework/Escape.h"
#include "ambry/framework/Page.h"
#include "ambry/resources/Resources.h"

using Keystone::String;

namespace Ambry {

namespace {

// The forms of this site post a few kilobytes; anything beyond this is not read.
const long kMaxBodyBytes = 1L << 20;

// No form of this site has more than a few dozen fields.
const size_t kMaxParameters = 1000;

// CONTENT_LENGTH by the atoi rule (leading blanks, a sign, digits), without overflow:
// negative and missing values give 0, huge ones the cap.
long contentLength() {
  const char* text = std::getenv("CONTENT_LENGTH");
  if (!text) return 0;
  while (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\r' || *text == '\f' || *text == '\v')
    ++text;
  bool negative = false;
  if (*text == '+' || *text == '-') negative = (*text++ == '-');
  long count = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    count = count * 10 + (*text - '0');
    if (count > kMaxBodyBytes) count = kMaxBodyBytes;
  }
  return negative ? 0 : count;
}

// Reads count bytes of standard input; the text ends at the first NUL. A body that ends before
// count bytes (a client that went away mid-request) is dropped whole: its cut-off last value
// ("reason=lo", "bookid=1" of "bookid=12") would otherwise be stored as if it had been sent.
String readBody(long count) {
  std::string buffer(static_cast<size_t>(count), '\0');
  size_t got = 0;
  while (got < buffer.size()) {
    size_t n = std::fread(&buffer[got], 1, buffer.size() - got, stdin);
    if (n == 0) break;
    got += n;
  }
  if (got < buffer.size()) return String();
  return String(buffer.c_str());
}

int hexValue(char c) {
  // Only upper-case letters are hexadecimal digits here.
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

const String& getQueryString() {
  static String body;
  static bool read = false;
  if (!read) {
    read = true;
    long count = contentLength();
    if (count != 0) body = readBody(count);
  }
  return body;
}

String getEnvQueryString() {
  return String(std::getenv("QUERY_STRING"));
}

String decodeQuery(const String& text) {
  std::string out;
  const int n = text.length();
  for (int i = 0; i < n; ++i) {
    const char c = text[i];
    if (c == '+') {
      out += ' ';
    } else if (c == '%' && i + 2 < n && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
      out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
      i += 2;
    } else {
      out += c;  // a '%' without two hexadecimal digits stays as it is
    }
  }
  // Decoded values are plain ASCII plus line feed, carriage return and tab.
  for (char& c : out) {
    if (c == '~' || (c < 32 && c != '\n' && c != '\r' && c != '\t')) c = ' ';
  }
  return String(out.c_str());
}

QueryMap queryToMap(const String& query) {
  // Splitting after decoding: an encoded '&' or '=' separates like a literal one. Every byte is
  // looked at a bounded number of times, and the pairs are gathered in a sorted map before they
  // are handed over in key order, so a long body costs time in proportion to its length.
  const std::string text = decodeQuery(query).c_str();
  std::map<std::string, std::string> pairs;
  size_t pos = 0;
  size_t equals = text.find('=');
  while (pos < text.size()) {
    // The first '=' at or after pos; found anew only once the last one has been passed.
    if (equals < pos) equals = text.find('=', pos);
    if (equals == std::string::npos) break;
    const size_t amp = text.find('&', pos);
    const size_t end = amp == std::string::npos ? text.size() : amp;
    std::string key = text.substr(pos, equals - pos);
    std::string value = end < equals ? std::string() : text.substr(equals + 1, end - equals - 1);
    // Parameters beyond the cap are ignored; those already kept still take a later value.
    auto found = pairs.find(key);
    if (found != pairs.end())
      found->second = std::move(value);
    else if (pairs.size() < kMaxParameters)
      pairs.emplace(std::move(key), std::move(value));
    pos = amp == std::string::npos ? text.size() : amp + 1;
  }
  QueryMap map;
  for (const auto& pair : pairs) map.appendSorted(String(pair.first.c_str()), String(pair.second.c_str()));
  return map;
}

String mapToQuery(const QueryMap& map) {
  std::string out;
  for (int i = 0; i < map.size(); ++i) {
    if (i > 0) out += '&';
    out += map.keyAt(i).c_str();
    out += '=';
    out += map.valueAt(i).c_str();
  }
  return String(out.c_str());
}

const QueryMap& getQueryMap() {
  static const QueryMap map = queryToMap(getQueryString());
  return map;
}

const QueryMap& getEnvQueryMap() {
  static const QueryMap map = queryToMap(getEnvQueryString());
  return map;
}

void handleQuery() {
  const QueryMap query = getEnvQueryMap();
  if (!query.contains("extend")) return;
  const String& extend = query["extend"];
  beginJavaScriptTag("");
  std::printf("   for (var i = 0; i < %d; i++)\n", extend.length());
  // The value stays inside its string literal whatever it holds.
  std::fputs("      extend[i] = ('", stdout);
  std::fputs(escapeJsString(extend).c_str(), stdout);
  std::fputs("'.charAt(i) == '1');\n", stdout);
  endScriptTag();
}

String getParam(const String& name, const String& query) {
  const int found = query.find(name, 0);
  if (found < 0) {
    // Both texts come from the request, so they reach the page escaped.
    String message = getResource("err_getparam", false);
    const int first = message.find("%s", 0);
    const int second = first < 0 ? -1 : message.find("%s", first + 2);
    std::string out = message.c_str();
    if (second >= 0) out.replace(second, 2, escapeHtml(query).c_str());
    if (first >= 0) out.replace(first, 2, escapeHtml(name).c_str());
    std::fputs(out.c_str(), stdout);
    return String();
  }
  const int start = found + name.length() + 1;
  if (start >= query.length()) return String();
  int end = query.find("&", start);
  if (end < 0) end = query.length();
  return decodeQuery(String(query.c_str(), start, end - start));
}

}  // namespace Ambry
