// Shared helpers of the editors' black-box tests: posting a command and reading the page it gives.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "ambry/Ambry.h"
#include "tests/support/CgiRunner.h"
#include "tests/support/Popups.h"
#include "tests/support/TestDB.h"

namespace EditorTest {

using Params = std::vector<std::pair<std::string, std::string>>;
using TestSupport::english;
using TestSupport::englishError;
using TestSupport::popups;

inline std::string urlEncode(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (isalnum(c) || c == '-' || c == '_' || c == '.') {
      out += static_cast<char>(c);
    } else {
      char hex[4];
      snprintf(hex, sizeof hex, "%%%02X", c);
      out += hex;
    }
  }
  return out;
}

inline std::string formBody(const Params& params) {
  std::string body;
  for (const auto& [key, value] : params) body += (body.empty() ? "" : "&") + key + "=" + urlEncode(value);
  return body;
}

// Posts the parameters to the editor, in English unless the URL query says otherwise.
inline TestSupport::CgiResponse post(const std::string& program, const Params& params,
                                     const std::string& urlQuery = "lang=eng") {
  TestSupport::CgiRequest request;
  request.program = program;
  request.query = urlQuery;
  request.body = formBody(params);
  return TestSupport::runCgi(request);
}

// A plain request, as a link or the address bar sends it: no body at all.
inline TestSupport::CgiResponse get(const std::string& program, const std::string& urlQuery = "lang=eng") {
  TestSupport::CgiRequest request;
  request.program = program;
  request.query = urlQuery;
  return TestSupport::runCgi(request);
}

// The script block that defines resetEntryForm, from its first line to its closing tag.
inline std::string resetScript(const std::string& page) {
  size_t start = page.find("   function resetEntryForm() {\n");
  if (start == std::string::npos) return "";
  size_t end = page.find("</script>", start);
  return page.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// The raw text between the quotes of a line that starts with prefix, or "<missing>".
inline std::string quotedAfter(const std::string& script, const std::string& prefix) {
  size_t at = script.find(prefix + "\"");
  if (at == std::string::npos) return "<missing>";
  at += prefix.size() + 1;
  size_t end = script.find("\"\n", at);
  return script.substr(at, end - at);
}

// What resetEntryForm puts into a field.
inline std::string field(const std::string& page, const std::string& name) {
  return quotedAfter(resetScript(page), "      entryForm." + name + ".value = ");
}

// The text a JavaScript string literal's body stands for, as a Windows-1252 page's script reads
// it: the backslash escapes undone; \uXXXX is kept as written, since it names no single byte.
inline std::string jsText(const std::string& literal) {
  std::string text;
  for (size_t i = 0; i < literal.size(); ++i) {
    if (literal[i] != '\\' || i + 1 == literal.size()) {
      text += literal[i];
      continue;
    }
    const char next = literal[++i];
    if (next == 'x' && i + 2 < literal.size()) {
      text += static_cast<char>(std::stoi(literal.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else if (next == 'u') {
      text += "\\u";
    } else {
      text += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
  }
  return text;
}

// What the form shows in a field once resetEntryForm has run.
inline std::string fieldText(const std::string& page, const std::string& name) {
  return jsText(field(page, name));
}

// The ids that the rows of a result page open, in order.
inline std::vector<std::string> resultIds(const std::string& page) {
  std::vector<std::string> ids;
  const std::string click = "onmousedown=\"submitRequestForm(";
  for (size_t at = page.find(click); at != std::string::npos; at = page.find(click, at + 1)) {
    const size_t start = at + click.size();
    ids.push_back(page.substr(start, page.find(',', start) - start));
  }
  return ids;
}

inline std::string lastId(const std::string& page) {
  return quotedAfter(resetScript(page), "      requestForm.lastid.value = ");
}

inline bool controlsEnabled(const std::string& page) {
  return resetScript(page).find("   enableEntryFormControls()\n") != std::string::npos;
}

inline std::string today() {
  return TestSupport::dateFromToday(0);
}

inline bool endsWithFooter(const std::string& page) {
  std::string footer = Ambry::getProperty("footer").c_str();
  return page.size() >= footer.size() &&
         page.compare(page.size() - footer.size(), footer.size(), footer) == 0;
}

// A valid Dewey code, for books.
inline std::string anyDewey(TestSupport::TestDB& db) {
  return db.scalar("SELECT MIN(id) FROM DEWEY");
}

}  // namespace EditorTest
