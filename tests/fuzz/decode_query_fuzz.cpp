// Fuzz target: decodeQuery and getParam against a plain model of the decoding rules.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ambry/framework/Request.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/RequestModel.h"

using FuzzSupport::check;
using Keystone::String;

namespace {

using RequestModel::decode;

void checkDecoded(const std::string& input, const String& decoded) {
  check(decoded.length() == static_cast<int>(std::strlen(decoded.c_str())), "decoded length is its text's");
  check(decoded.length() <= static_cast<int>(input.size()), "decoding never lengthens");
  for (int i = 0; i < decoded.length(); ++i)
    check(RequestModel::kept(static_cast<unsigned char>(decoded[i])), "no control or undefined byte survives");
  check(decode(input) == decoded.c_str(), "decodeQuery agrees with the model");
}

// What getParam writes to the page while it runs.
std::string pageOutput(const std::string& name, const std::string& query, String& value) {
  char* text = nullptr;
  size_t length = 0;
  FILE* page = open_memstream(&text, &length);
  if (!page) std::abort();
  FILE* saved = stdout;
  stdout = page;
  value = Ambry::getParam(String(name.c_str()), String(query.c_str()));
  stdout = saved;
  std::fclose(page);
  const std::string written(text, length);
  std::free(text);
  return written;
}

// The value after the first occurrence of name, up to the next '&', decoded.
void checkGetParam(const std::string& name, const std::string& query) {
  String value;
  const std::string written = pageOutput(name, query, value);
  const size_t found = query.empty() ? std::string::npos : query.find(name);
  if (found == std::string::npos) {
    check(value.length() == 0, "a missing parameter reads as empty");
    // The message's own line break is its only tag: the name and query in it are escaped.
    check(written.find("<br>") != std::string::npos, "a missing parameter is reported");
    check(written.find('<') == written.rfind('<'), "no markup from the request reaches the page");
    return;
  }
  check(written.empty(), "a parameter that is found writes nothing");
  const size_t start = found + name.size() + 1;
  std::string raw;
  if (start < query.size()) raw = query.substr(start, query.find('&', start) - start);
  check(decode(raw) == value.c_str(), "getParam gives the decoded text up to the next '&'");
  check(value.length() <= static_cast<int>(query.size()), "a parameter is no longer than its query");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzSupport::silencePage();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> parts = FuzzSupport::splitInput(data, size, 2);
  // The whole input up to its first NUL is a request text; the two parts a name and a query.
  const std::string whole = FuzzSupport::untilNul(parts[0]);
  checkDecoded(whole, Ambry::decodeQuery(String(whole.c_str())));
  checkGetParam(parts[0], FuzzSupport::untilNul(parts[1]));
  return 0;
}
