// Request decoding: the decoder, splitting into maps, rebuilding, getParam and the posted body.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

#include "tests/ambry/framework/FrameworkTestSupport.h"

class RequestGetParam : public EnglishPageTest {};

using Ambry::decodeQuery;
using Ambry::QueryMap;
using Ambry::queryToMap;

namespace {

std::string decoded(const char* text) {
  return str(decodeQuery(text));
}

std::string value(const QueryMap& map, const char* key) {
  EXPECT_TRUE(map.contains(key)) << key;
  return map.contains(key) ? str(map[key]) : std::string("<missing>");
}

}  // namespace

TEST(RequestDecodeQuery, PlusAndHexEscapes) {
  EXPECT_EQ("A B/C", decoded("A+B%2FC"));
  EXPECT_EQ("A", decoded("%41"));
  EXPECT_EQ("+", decoded("%2B"));  // an encoded plus is a plus, not a blank
}

TEST(RequestDecodeQuery, LowerCaseHexIsNotAnEscape) {
  EXPECT_EQ("%4a", decoded("%4a"));
  EXPECT_EQ("%e9x", decoded("%e9x"));
}

// Windows-1252 bytes in octal: \352 is ê, \364 ô, \222 ’, \200 €.
TEST(RequestDecodeQuery, Windows1252LettersAndTildeStayControlBytesBecomeBlanks) {
  EXPECT_EQ("a~b", decoded("a~b"));
  EXPECT_EQ("Kr\352eftige M\364re", decoded("Kr%EAeftige+M%F4re"));
  EXPECT_EQ("\222n Dag ~ \2005", decoded("%92n+Dag+%7E+%805"));
  EXPECT_EQ("\xA0\xFF\x9F\x80", decoded("%A0\xFF%9F\x80"));  // raw bytes as well as escaped ones
  EXPECT_EQ("1\n2\r3\t4", decoded("1%0A2%0D3%094"));
  // Other control bytes, DEL and the five bytes Windows-1252 leaves undefined.
  EXPECT_EQ("a b", decoded("a%01b"));
  EXPECT_EQ("a b", decoded("a%00b"));
  EXPECT_EQ(std::string(7, ' '), decoded("%1B%7F%81%8D%8F%90%9D"));
}

TEST(RequestDecodeQuery, TruncatedOrBadEscapesAreCopied) {
  EXPECT_EQ("%", decoded("%"));
  EXPECT_EQ("a%", decoded("a%"));
  EXPECT_EQ("a%4", decoded("a%4"));
  EXPECT_EQ("%G1", decoded("%G1"));
  EXPECT_EQ("%1G", decoded("%1G"));
  EXPECT_EQ("%A", decoded("%%41"));  // the second percent sign starts a valid escape
  EXPECT_EQ("", decoded(""));
}

TEST(RequestQueryToMap, SplitsBeforeDecoding) {
  const QueryMap map = queryToMap("lang=eng&title=A+B%2FC");
  EXPECT_EQ(2, map.size());
  EXPECT_EQ("eng", value(map, "lang"));
  EXPECT_EQ("A B/C", value(map, "title"));

  // Encoded reserved characters stay inside their value (and key).
  const QueryMap encoded = queryToMap("q=%26x&title=Life+%26+Times&sum=a%3Db%2Bc+50%25&k%3D1=v=w");
  EXPECT_EQ(4, encoded.size());
  EXPECT_EQ("&x", value(encoded, "q"));
  EXPECT_EQ("Life & Times", value(encoded, "title"));
  EXPECT_EQ("a=b+c 50%", value(encoded, "sum"));
  EXPECT_EQ("v=w", value(encoded, "k=1"));  // the first '=' ends the key
}

TEST(RequestQueryToMap, PairsWithoutEqualsAndEmptyKeys) {
  const QueryMap map = queryToMap("a&b=1");
  EXPECT_EQ(2, map.size());
  EXPECT_EQ("", value(map, "a"));
  EXPECT_EQ("1", value(map, "b"));

  const QueryMap empty = queryToMap("=x");
  EXPECT_EQ(1, empty.size());
  EXPECT_EQ("x", value(empty, ""));

  EXPECT_EQ(0, queryToMap("").size());
  EXPECT_EQ(0, queryToMap("&&").size());  // no pair between the ampersands
  EXPECT_EQ("", value(queryToMap("novalue"), "novalue"));
}

TEST(RequestQueryToMap, HighByteKeysKeepTheMapsOrder) {
  // Bytes from 0x80 sort before ASCII, as the map's own comparison has it, so every key is found.
  const QueryMap map = queryToMap("b=1&%E9=2&a=3&%80=4");
  ASSERT_EQ(4, map.size());
  EXPECT_EQ("\x80", str(map.keyAt(0)));
  EXPECT_EQ("\xE9", str(map.keyAt(1)));
  EXPECT_EQ("a", str(map.keyAt(2)));
  EXPECT_EQ("2", value(map, "\xE9"));
  EXPECT_EQ("1", value(map, "b"));
}

TEST(RequestQueryToMap, RepeatedKeysKeepTheLastValueAndKeysAreSorted) {
  EXPECT_EQ("2", value(queryToMap("a=1&a=2"), "a"));
  const QueryMap map = queryToMap("b=2&a=1");
  EXPECT_EQ("a", str(map.keyAt(0)));
  EXPECT_EQ("a=1&b=2", str(Ambry::mapToQuery(map)));
  EXPECT_EQ("", str(Ambry::mapToQuery(QueryMap())));
}

TEST(RequestMapToQuery, ReservedBytesAreEncodedAndComeBackWhole) {
  QueryMap map;
  map["title"] = "Life & Times";
  map["sum"] = "a=b+c 50%";
  map["k&ey"] = "\222n Dag ~ \2005 #1";
  const Keystone::String text = Ambry::mapToQuery(map);
  EXPECT_EQ("k%26ey=%92n%20Dag%20~%20%805%20%231&sum=a%3Db%2Bc%2050%25&title=Life%20%26%20Times", str(text));
  const QueryMap again = queryToMap(text);
  ASSERT_EQ(3, again.size());
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(str(map.keyAt(i)), str(again.keyAt(i)));
    EXPECT_EQ(str(map.valueAt(i)), str(again.valueAt(i)));
  }
}

TEST(RequestQueryToMap, ParametersBeyondTheThousandthAreIgnored) {
  std::string query;
  for (int i = 0; i < 1001; ++i) query += "p" + std::to_string(i) + "=" + std::to_string(i) + "&";
  query += "p0=again";  // a kept parameter still takes a later value
  const QueryMap map = queryToMap(query.c_str());
  EXPECT_EQ(1000, map.size());
  EXPECT_EQ("999", value(map, "p999"));
  EXPECT_FALSE(map.contains("p1000"));
  EXPECT_EQ("again", value(map, "p0"));
}

TEST_F(RequestGetParam, GetParamFindsPlainSubstrings) {
  EXPECT_EQ("5", str(Ambry::getParam("id", "id=5&x=1")));
  EXPECT_EQ("5", str(Ambry::getParam("id", "x=1&id=5")));
  EXPECT_EQ("7", str(Ambry::getParam("id", "lastid=7&id=5")));  // found inside "lastid"
  EXPECT_EQ("A B", str(Ambry::getParam("t", "t=A+B")));
  EXPECT_EQ("Kr\352eftige & M\364re~", str(Ambry::getParam("t", "t=Kr%EAeftige+%26+M%F4re~&u=1")));
  EXPECT_EQ("", str(Ambry::getParam("id", "id")));  // nothing after the name
}

TEST_F(RequestGetParam, GetParamReportsAMissingNameEscaped) {
  Keystone::String result = "unset";
  const std::string out = TestSupport::captureStdout([&] { result = Ambry::getParam("id", "x=<b>%s</b>"); });
  EXPECT_EQ("", str(result));
  EXPECT_EQ("Error in getParam(\"id\", \"x=&lt;b&gt;%s&lt;/b&gt;\"): Argument not found<br>\n", out);
}

namespace {

// getQueryString reads standard input once per process, so each case runs in a child process
// with its own CONTENT_LENGTH and body; the child's exit status says whether check passed.
int bodyCase(const char* contentLength, const std::string& body,
             const std::function<bool(const Keystone::String&)>& check) {
  char path[] = "/tmp/framework-body-XXXXXX";
  const int fd = mkstemp(path);
  EXPECT_GE(fd, 0);
  EXPECT_EQ(static_cast<ssize_t>(body.size()), write(fd, body.data(), body.size()));
  close(fd);
  std::fflush(stdout);
  const pid_t pid = fork();
  if (pid == 0) {
    const int in = open(path, O_RDONLY);
    dup2(in, 0);
    if (contentLength)
      setenv("CONTENT_LENGTH", contentLength, 1);
    else
      unsetenv("CONTENT_LENGTH");
    _exit(check(Ambry::getQueryString()) ? 0 : 1);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  unlink(path);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

TEST(RequestBody, ReadsExactlyContentLengthBytes) {
  EXPECT_EQ(0, bodyCase("3", "a=1&b=2", [](const Keystone::String& s) { return str(s) == "a=1"; }));
  EXPECT_EQ(0, bodyCase(nullptr, "a=1", [](const Keystone::String& s) { return s.length() == 0; }));
  EXPECT_EQ(0, bodyCase("0", "a=1", [](const Keystone::String& s) { return s.length() == 0; }));
  // The text ends at a NUL in the body.
  EXPECT_EQ(
      0, bodyCase("5", std::string("a=1\0b", 5), [](const Keystone::String& s) { return str(s) == "a=1"; }));
}

TEST(RequestBody, HostileContentLengthNeverCrashes) {
  auto isEmpty = [](const Keystone::String& s) { return s.length() == 0; };
  // A length beyond the body sent is a request cut short: nothing of it is used.
  EXPECT_EQ(0, bodyCase("99999999999999999999999", "a=1", isEmpty));
  EXPECT_EQ(0, bodyCase("2147483647", "a=1", isEmpty));
  EXPECT_EQ(0, bodyCase("-1", "a=1", isEmpty));
  EXPECT_EQ(0, bodyCase("-99999999999999999999", "a=1", isEmpty));
  EXPECT_EQ(0, bodyCase("abc", "a=1", isEmpty));
  // atoi rule: leading digits count
  EXPECT_EQ(0, bodyCase("  3junk", "a=1&b=2", [](const Keystone::String& s) { return str(s) == "a=1"; }));
}

TEST(RequestBody, BodyCutShortIsDroppedWhole) {
  // The client announced 33 bytes and went away after 28: "reason=lo" must not become a value.
  auto isEmpty = [](const Keystone::String& s) { return s.length() == 0; };
  EXPECT_EQ(0, bodyCase("33", "cmd=1&memberid=2&reason=lo", isEmpty));
  EXPECT_EQ(0, bodyCase("24", "memberid=1&bookid=1", isEmpty));
  EXPECT_EQ(0, bodyCase("19", "memberid=1&bookid=1",
                        [](const Keystone::String& s) { return str(s) == "memberid=1&bookid=1"; }));
}

TEST(RequestBody, BodyIsCappedAtOneMebibyte) {
  const std::string big(3 << 20, 'x');
  EXPECT_EQ(0, bodyCase("3145728", big, [](const Keystone::String& s) { return s.length() == (1 << 20); }));
}
