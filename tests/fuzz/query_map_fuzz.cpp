// Fuzz target: queryToMap against a plain model of the splitting rules, and mapToQuery round trips.
#include <map>
#include <string>

#include "ambry/framework/Request.h"
#include "tests/fuzz/FuzzSupport.h"

using Ambry::QueryMap;
using FuzzSupport::check;
using Keystone::String;

namespace {

// Splitting of decoded text: key up to the first '=', value up to the first '&' (empty when the
// '&' comes first), the rest after that '&'; text without '=' is dropped.
std::map<std::string, std::string> modelSplit(std::string rest) {
  std::map<std::string, std::string> out;
  while (!rest.empty()) {
    const size_t equals = rest.find('=');
    if (equals == std::string::npos) break;
    const size_t amp = rest.find('&');
    const size_t end = amp == std::string::npos ? rest.size() : amp;
    out[rest.substr(0, equals)] = end < equals ? std::string() : rest.substr(equals + 1, end - equals - 1);
    rest = amp == std::string::npos ? std::string() : rest.substr(amp + 1);
  }
  return out;
}

// Decoded text is ASCII, where the library's signed byte order and std::string's order agree.
void checkSameEntries(const QueryMap& map, const std::map<std::string, std::string>& model,
                      const char* what) {
  check(map.size() == static_cast<int>(model.size()), what);
  int i = 0;
  for (const auto& entry : model) {
    check(entry.first == map.keyAt(i).c_str() && entry.second == map.valueAt(i).c_str(), what);
    ++i;
  }
}

// Texts that survive a trip through request text unchanged.
bool plain(const std::string& text) {
  for (char c : text) {
    const signed char value = static_cast<signed char>(c);
    if (value < 32 || c == '&' || c == '=' || c == '+' || c == '%' || c == '~') return false;
  }
  return true;
}

void checkRebuilt(const QueryMap& map) {
  const String text = Ambry::mapToQuery(map);
  std::string expected;
  bool allPlain = true;
  for (int i = 0; i < map.size(); ++i) {
    if (i > 0) expected += '&';
    expected += std::string(map.keyAt(i).c_str()) + "=" + map.valueAt(i).c_str();
    allPlain = allPlain && plain(map.keyAt(i).c_str()) && plain(map.valueAt(i).c_str());
  }
  check(expected == text.c_str(), "mapToQuery joins key=value pairs in key order with '&'");
  if (!allPlain) return;
  const QueryMap again = Ambry::queryToMap(text);
  check(again.size() == map.size(), "a plain map survives the round trip: size");
  for (int i = 0; i < map.size(); ++i) {
    check(again.keyAt(i) == map.keyAt(i) && again.valueAt(i) == map.valueAt(i),
          "a plain map survives the round trip: entries");
  }
}

void checkSplit(const std::string& query) {
  const QueryMap map = Ambry::queryToMap(String(query.c_str()));
  for (int i = 0; i < map.size(); ++i) {
    check(std::string(map.keyAt(i).c_str()).find('=') == std::string::npos, "no key holds '='");
    check(std::string(map.valueAt(i).c_str()).find('&') == std::string::npos, "no value holds '&'");
    if (i > 0) check(map.keyAt(i - 1) < map.keyAt(i), "keys ascend and are unique");
  }
  checkSameEntries(map, modelSplit(Ambry::decodeQuery(String(query.c_str())).c_str()),
                   "queryToMap agrees with the model");
  checkRebuilt(map);
}

// A map made straight from texts, which may hold any byte but NUL.
void checkBuilt(const std::vector<std::string>& texts) {
  QueryMap map;
  for (size_t i = 0; i + 1 < texts.size(); i += 2)
    map[String(texts[i].c_str())] = String(texts[i + 1].c_str());
  for (int i = 1; i < map.size(); ++i)
    check(map.keyAt(i - 1) < map.keyAt(i), "inserted keys ascend and are unique");
  checkRebuilt(map);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzSupport::silencePage();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> texts = FuzzSupport::splitInput(data, size, 16);
  checkSplit(texts[0]);
  texts.back() = FuzzSupport::untilNul(texts.back());
  checkBuilt(texts);
  return 0;
}
