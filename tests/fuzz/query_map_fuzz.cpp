// Fuzz target: queryToMap against a plain model of the splitting rules, and mapToQuery round trips.
#include <cctype>
#include <map>
#include <string>

#include "ambry/framework/Request.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/RequestModel.h"

using Ambry::QueryMap;
using FuzzSupport::check;
using Keystone::String;

namespace {

// The query map's order: bytes as signed chars, a prefix before its extensions.
struct SignedOrder {
  bool operator()(const std::string& a, const std::string& b) const {
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
      if (a[i] != b[i]) return static_cast<signed char>(a[i]) < static_cast<signed char>(b[i]);
    return a.size() < b.size();
  }
};
using ModelMap = std::map<std::string, std::string, SignedOrder>;

// Splitting of raw text: pairs between '&'s (empty ones skipped), the key up to a pair's first
// '=', the value after it (empty without one), each decoded; a repeated key takes the later
// value, and new keys beyond the thousandth are ignored.
ModelMap modelSplit(const std::string& text) {
  ModelMap out;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find('&', pos);
    if (end == std::string::npos) end = text.size();
    const std::string pair = text.substr(pos, end - pos);
    pos = end + 1;
    if (pair.empty()) continue;
    const size_t equals = pair.find('=');
    const std::string key = RequestModel::decode(pair.substr(0, equals));
    const std::string value = equals == std::string::npos ? "" : RequestModel::decode(pair.substr(equals + 1));
    if (out.count(key) || out.size() < 1000) out[key] = value;
  }
  return out;
}

void checkSameEntries(const QueryMap& map, const ModelMap& model, const char* what) {
  check(map.size() == static_cast<int>(model.size()), what);
  int i = 0;
  for (const auto& entry : model) {
    check(entry.first == map.keyAt(i).c_str() && entry.second == map.valueAt(i).c_str(), what);
    ++i;
  }
}

// Request text of a key or value: letters, digits and - _ . ~ as they are, any other byte %XX.
std::string modelEncode(const std::string& text) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    if (std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~') {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  return out;
}

// Texts that decoding gives back unchanged.
bool keptWhole(const std::string& text) {
  for (char c : text)
    if (!RequestModel::kept(static_cast<unsigned char>(c))) return false;
  return true;
}

void checkRebuilt(const QueryMap& map) {
  const String text = Ambry::mapToQuery(map);
  std::string expected;
  bool allKept = true;
  for (int i = 0; i < map.size(); ++i) {
    if (i > 0) expected += '&';
    expected += modelEncode(map.keyAt(i).c_str()) + "=" + modelEncode(map.valueAt(i).c_str());
    allKept = allKept && keptWhole(map.keyAt(i).c_str()) && keptWhole(map.valueAt(i).c_str());
  }
  check(expected == text.c_str(), "mapToQuery joins encoded key=value pairs in key order with '&'");
  if (!allKept) return;
  const QueryMap again = Ambry::queryToMap(text);
  check(again.size() == map.size(), "a map survives the round trip: size");
  for (int i = 0; i < map.size(); ++i) {
    check(again.keyAt(i) == map.keyAt(i) && again.valueAt(i) == map.valueAt(i),
          "a map survives the round trip: entries");
  }
}

void checkSplit(const std::string& query) {
  const QueryMap map = Ambry::queryToMap(String(query.c_str()));
  for (int i = 1; i < map.size(); ++i) check(map.keyAt(i - 1) < map.keyAt(i), "keys ascend and are unique");
  checkSameEntries(map, modelSplit(query), "queryToMap agrees with the model");
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
