// Helpers of the catalogue program's tests: its requests as a browser sends them (a multipart
// upload, the preview's forms), the YAZ tools that write the test files, and the books stored.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/support/CgiRunner.h"
#include "tests/support/Popups.h"
#include "tests/support/TestDB.h"

namespace CatalogueTest {

using TestSupport::CgiResponse;
using TestSupport::SiteSandbox;

const char* const kBoundary = "----ambryTestBoundary7MA4YWxkTrZu0gW";

// A YAZ tool, which every test of this program needs; a missing one fails with its package.
inline std::string yazTool(const char* name) {
  const std::string path = std::string("/usr/bin/") + name;
  if (!std::filesystem::exists(path)) ADD_FAILURE() << "missing " << name << ": install the Debian package yaz";
  return path;
}

// What a shell command writes to its standard output.
inline std::string commandOutput(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

// MARCXML (UTF-8) converted by yaz-marcdump with its options, as a library system exports it.
inline std::string marcdump(const SiteSandbox& site, const std::string& marcxml, const std::string& options) {
  const std::string source = site.root() + "/source.xml";
  SiteSandbox::writeFile(source, marcxml);
  return commandOutput(yazTool("yaz-marcdump") + " -i marcxml " + options + " " + source);
}

// The signed-in librarian: the tests' own staff session, or a session of another librarian.
inline std::map<std::string, std::string> librarian(bool other = false) {
  if (!other) return {};
  static const std::string cookie = TestSupport::newStaffSessionCookie();
  return {{"HTTP_COOKIE", cookie}};
}

class CatalogueCgi : public ::testing::Test {
 protected:
  void SetUp() override { db.reset(); }

  CgiResponse run(const std::string& query, const std::string* body, const std::string& contentType,
                  std::map<std::string, std::string> env = librarian()) {
    TestSupport::CgiRequest request;
    request.program = "catalogue";
    request.query = query;
    if (body) request.body = *body;
    if (!contentType.empty()) env["CONTENT_TYPE"] = contentType;
    request.env = env;
    request.cwd = site.cgiBin();
    return TestSupport::runCgi(request);
  }
  // The file posted from the import form, as a browser encodes it.
  std::string upload(const std::string& fileName, const std::string& content, const std::string& lang = "eng",
                     const std::map<std::string, std::string>& env = librarian()) {
    const std::string body = std::string("--") + kBoundary +
                             "\r\nContent-Disposition: form-data; name=\"file\"; filename=\"" + fileName +
                             "\"\r\nContent-Type: application/octet-stream\r\n\r\n" + content + "\r\n--" +
                             kBoundary + "--\r\n";
    return run("lang=" + lang, &body, std::string("multipart/form-data; boundary=") + kBoundary, env).output;
  }
  // A form of the preview posted back.
  std::string post(const std::string& body, const std::string& lang = "eng",
                   const std::map<std::string, std::string>& env = librarian()) {
    return run("lang=" + lang, &body, "application/x-www-form-urlencoded", env).output;
  }
  // The preview's import form, with the librarian's choices.
  std::string confirm(const std::string& preview, const std::string& choices = "", const std::string& lang = "eng") {
    return post("cmd=15&upload=" + token(preview) + choices, lang);
  }
  std::string download(const std::string& format) {
    const std::string out = run("lang=eng&format=" + format, nullptr, "").output;
    return out.substr(out.find("\n\n") + 2);
  }
  // The held file's token in a preview page, "" without one.
  static std::string token(const std::string& page) {
    const std::string marker = "name=\"upload\" value=\"";
    const size_t at = page.find(marker);
    return at == std::string::npos ? "" : page.substr(at + marker.size(), 32);
  }
  std::vector<std::string> heldFiles() const {
    std::vector<std::string> names;
    const std::string folder = site.root() + "/private";
    if (!std::filesystem::exists(folder)) return names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      const std::string name = entry.path().filename().string();
      if (name.rfind("import-", 0) == 0) names.push_back(name);
    }
    return names;
  }
  // The books as stored, "author|title|isbn|dewey|price|condition", in id order.
  std::vector<std::string> books() {
    std::vector<std::string> rows;
    for (const TestSupport::Row& row :
         db.query("SELECT CONCAT_WS('|', author, title, isbn, dewey, price, _condition) FROM BOOK ORDER BY id"))
      rows.push_back(row[0].value_or(""));
    return rows;
  }

  TestSupport::TestDB db;
  SiteSandbox site;
};

}  // namespace CatalogueTest
