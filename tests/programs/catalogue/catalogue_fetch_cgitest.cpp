// Copy cataloguing against yaz-ztest, YAZ's test server, started here on a free loopback port: a
// crafted record fills the fields, its built-in record what it has, a slow search times out after
// 5 s, a closed port is unreachable; and the book editor offers the action only when it can.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "tests/programs/catalogue/CatalogueCgi.h"

namespace CatalogueTest {
namespace {

using TestSupport::english;

// A loopback port that nobody listens on at this moment.
int freePort() {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  bind(fd, reinterpret_cast<sockaddr*>(&address), size);
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
  close(fd);
  return ntohs(address.sin_port);
}

bool answers(int port) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const bool connected = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  close(fd);
  return connected;
}

// The record the shared catalogue answers for element set "ambry" in XML: ISBN, Dewey, a price in
// rand and letters that MARC and the catalogue both hold.
const char* const kCraftedRecord = R"(<record xmlns="http://www.loc.gov/MARC21/slim">
<leader>00000nam a2200000 a 4500</leader>
<datafield tag="020" ind1=" " ind2=" "><subfield code="a">9780306406157</subfield><subfield code="c">R199.95</subfield></datafield>
<datafield tag="082" ind1="0" ind2="4"><subfield code="a">891.733</subfield></datafield>
<datafield tag="100" ind1="1" ind2=" "><subfield code="a">Dostoevsky, Fyodor,</subfield></datafield>
<datafield tag="245" ind1="1" ind2="0"><subfield code="a">Misdaad en straf /</subfield><subfield code="c">vertaal deur Andr&#xE9;.</subfield></datafield>
</record>
)";

class CatalogueFetch : public CatalogueCgi {
 protected:
  void SetUp() override {
    CatalogueCgi::SetUp();
    SiteSandbox::writeFile(site.root() + "/ambry.1.xml", kCraftedRecord);
    mPort = freePort();
    const std::string tool = yazTool("yaz-ztest");
    const std::string fetchPrefix = site.root() + "/";
    const std::string listen = "tcp:127.0.0.1:" + std::to_string(mPort);
    mServer = fork();
    if (mServer == 0) {
      setenv("YAZ_ZTEST_XML_FETCH", fetchPrefix.c_str(), 1);
      execl(tool.c_str(), tool.c_str(), "-l", (site.root() + "/ztest.log").c_str(), listen.c_str(), nullptr);
      _exit(127);
    }
    for (int i = 0; i < 100 && !answers(mPort); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_TRUE(answers(mPort)) << "yaz-ztest did not start";
  }
  void TearDown() override {
    if (mServer > 0) {
      kill(mServer, SIGTERM);
      waitpid(mServer, nullptr, 0);
    }
  }
  std::string target(const std::string& database = "Default", const std::string& options = "") const {
    return "127.0.0.1:" + std::to_string(mPort) + "/" + database + options;
  }
  // The catalogue program's answer for an ISBN with the target set (none: "").
  std::string fetch(const std::string& isbn, const std::string& target, const std::string& lang = "eng") {
    std::map<std::string, std::string> env = librarian();
    if (!target.empty()) env["AMBRY_CATALOGUE_TARGET"] = target;
    const std::string out = run("lang=" + lang + "&fetch=" + isbn, nullptr, "", env).output;
    EXPECT_EQ(out.rfind("Content-Type: application/json\n", 0), 0u) << out;
    return out.substr(out.find("\n\n") + 2);
  }
  static std::string message(const char* key) {
    return "\"message\": \"" + english(key);
  }

  int mPort = 0;
  pid_t mServer = -1;
};

TEST_F(CatalogueFetch, TheFirstRecordFillsWhatItHasWithoutSaving) {
  const std::string crafted = fetch("0-306-40615-2", target("Default", " preferredRecordSyntax=xml elementSetName=ambry"));
  EXPECT_EQ(crafted, "{\"found\": true, \"fields\": {\"title\": \"Misdaad en straf\", \"author\": \"Dostoevsky, Fyodor\", "
                     "\"dewey\": \"891\", \"price\": \"199.95\"}" +
                         std::string(", ") + message("msg_fetch_filled") + "\"}\n");
  // yaz-ztest's own record has neither an ISBN field nor a Dewey number: those stay as typed.
  const std::string builtIn = fetch("9780306406157", target());
  EXPECT_NE(builtIn.find("{\"found\": true, \"fields\": {\"title\": \"How to program a computer\", \"author\": \"Jack Collins\"}"),
            std::string::npos)
      << builtIn;
  EXPECT_TRUE(books().empty());
}

TEST_F(CatalogueFetch, EveryFailureSaysWhyAndFillsNothing) {
  db.addBook("Held", "Held", "9780306406157");
  const struct {
    const char* isbn;
    std::string target;
    std::string answer;
  } cases[] = {
      {"9780306406157", target(), message("err_fetch_in_catalogue").replace(message("err_fetch_in_catalogue").find("%s"), 2, "1")},
      {"9780804429573", "", message("err_fetch_not_set_up")},
      {"", target(), message("err_fetch_no_isbn")},
      {"12345", target(), "\"message\": \"12345 is not a valid ISBN"},
      {"9780804429573", "127.0.0.1:" + std::to_string(freePort()) + "/Default", message("err_fetch_unreachable")},
      {"9780804429573", target("Unknown"), "\"message\": \"The shared catalogue answered with an error: "},
      {"9780804429573", target("Default", " preferredRecordSyntax=xml elementSetName=missing"), message("err_fetch_unusable")},
  };
  for (const auto& c : cases) {
    const std::string answer = fetch(c.isbn, c.target);
    EXPECT_EQ(answer.rfind("{\"found\": false, \"fields\": {}, ", 0), 0u) << c.isbn << " " << c.target << answer;
    EXPECT_NE(answer.find(c.answer), std::string::npos) << c.isbn << " " << c.target << "\n" << answer;
  }
  // In the page's language: a search that takes longer than 5 s is given up.
  const auto started = std::chrono::steady_clock::now();
  const std::string slow = fetch("9780804429573", target("Default?search-delay=8"), "afr");
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  EXPECT_NE(slow.find("Die gedeelde katalogus het nie binne 5 sekondes geantwoord nie."), std::string::npos) << slow;
  std::printf("the slow search was given up after %.1f s\n", seconds);
}

TEST_F(CatalogueFetch, TheBookEditorOffersTheActionOnlyWithASharedCatalogue) {
  TestSupport::CgiRequest request;
  request.program = "book_editor";
  request.query = "lang=eng";
  request.cwd = site.cgiBin();
  EXPECT_EQ(TestSupport::runCgi(request).output.find("catalogueFetch"), std::string::npos);
  request.env = {{"AMBRY_CATALOGUE_TARGET", target()}};
  EXPECT_NE(TestSupport::runCgi(request).output.find("   search = false\n   catalogueFetch = true\n</script>"),
            std::string::npos);
}

}  // namespace
}  // namespace CatalogueTest
