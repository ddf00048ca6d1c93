// Request decoding: the posted body and QUERY_STRING become query maps, cached per process.
#include "ambry/framework/Request.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <utility>

#include "ambry/escape/Escape.h"
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

// What a decoded key or value keeps: the pages and the database are single-byte Windows-1252, so
// every printable byte of it stays, and line feed, carriage return and tab. Other control bytes,
// DEL and the five bytes Windows-1252 leaves undefined become blanks.
bool isKeptByte(unsigned char c) {
  if (c < 32) return c == '\n' || c == '\r' || c == '\t';
  return c != 0x7F && c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D;
}

// Decodes request text: '+' is a blank, %XX with upper-case hexadecimal digits the byte XX, any
// other '%' stays; then every byte that is not kept becomes a blank.
std::string decoded(const char* text, size_t n) {
  std::string out;
  out.reserve(n);
  for (size_t i = 0; i < n; ++i) {
    const char c = text[i];
    if (c == '+') {
      out += ' ';
    } else if (c == '%' && i + 2 < n && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
      out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
      i += 2;
    } else {
      out += c;
    }
    if (!isKeptByte(static_cast<unsigned char>(out.back()))) out.back() = ' ';
  }
  return out;
}

// The order of the query map's keys: byte by byte as signed chars, a prefix before its extensions.
struct SignedByteOrder {
  bool operator()(const std::string& a, const std::string& b) const {
    const size_t common = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < common; ++i)
      if (a[i] != b[i]) return static_cast<signed char>(a[i]) < static_cast<signed char>(b[i]);
    return a.size() < b.size();
  }
};

// Appends text as request text: letters, digits and - _ . ~ as they are, every other byte as %XX,
// so that the reserved & = + % and everything beyond ASCII come back as they were.
void appendEncoded(const String& text, std::string& out) {
  static const char hex[] = "0123456789ABCDEF";
  for (int i = 0; i < text.length(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
        c == '.' || c == '~') {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
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
  return String(decoded(text.c_str(), text.length()).c_str());
}

QueryMap queryToMap(const String& query) {
  // Split first, decode after: an encoded '&' or '=' stays inside its key or value. Every byte is
  // looked at a bounded number of times, and the pairs are gathered in a map sorted as the query
  // map sorts before they are handed over in key order, so a long body costs time in proportion
  // to its length.
  const char* const text = query.c_str();
  const size_t length = query.length();
  std::map<std::string, std::string, SignedByteOrder> pairs;
  for (size_t pos = 0; pos < length;) {
    const char* ampersand = static_cast<const char*>(std::memchr(text + pos, '&', length - pos));
    const size_t end = ampersand ? static_cast<size_t>(ampersand - text) : length;
    if (end > pos) {
      // A pair without '=' is a key with an empty value.
      const char* equals = static_cast<const char*>(std::memchr(text + pos, '=', end - pos));
      const size_t keyEnd = equals ? static_cast<size_t>(equals - text) : end;
      std::string key = decoded(text + pos, keyEnd - pos);
      std::string value = equals ? decoded(text + keyEnd + 1, end - keyEnd - 1) : std::string();
      // Parameters beyond the cap are ignored; those already kept still take a later value.
      auto found = pairs.find(key);
      if (found != pairs.end())
        found->second = std::move(value);
      else if (pairs.size() < kMaxParameters)
        pairs.emplace(std::move(key), std::move(value));
    }
    pos = end + 1;
  }
  QueryMap map;
  for (const auto& pair : pairs) map.appendSorted(String(pair.first.c_str()), String(pair.second.c_str()));
  return map;
}

String mapToQuery(const QueryMap& map) {
  std::string out;
  for (int i = 0; i < map.size(); ++i) {
    if (i > 0) out += '&';
    appendEncoded(map.keyAt(i), out);
    out += '=';
    appendEncoded(map.valueAt(i), out);
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
