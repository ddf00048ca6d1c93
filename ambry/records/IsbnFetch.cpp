// The ZOOM client of copy cataloguing: connect, search by ISBN, take the first record.
#include "ambry/records/IsbnFetch.h"

#include <yaz/zoom.h>

#include <memory>
#include <vector>

#include "ambry/records/Isbn.h"

namespace Records {

namespace {

// The options an installer may add to the target; everything else ZOOM knows stays ours.
const char* const kTargetOptions[] = {"preferredRecordSyntax", "elementSetName", "user", "password"};

struct Target {
  std::string address;
  bool sru = false;
  std::vector<std::pair<std::string, std::string>> options;
};

Target parseTarget(std::string_view setting) {
  Target target;
  size_t at = 0;
  while (at < setting.size()) {
    while (at < setting.size() && setting[at] == ' ') ++at;
    const size_t end = std::min(setting.find(' ', at), setting.size());
    const std::string word(setting.substr(at, end - at));
    at = end;
    if (word.empty()) continue;
    if (target.address.empty()) {
      target.address = word;
      target.sru = word.rfind("http://", 0) == 0 || word.rfind("https://", 0) == 0;
      continue;
    }
    const size_t equals = word.find('=');
    if (equals == std::string::npos) continue;
    const std::string name = word.substr(0, equals);
    for (const char* known : kTargetOptions)
      if (name == known) target.options.emplace_back(name, word.substr(equals + 1));
  }
  return target;
}

// The outcome of a failed ZOOM call, from the connection's error.
Fetched failure(ZOOM_connection connection) {
  const char* message = nullptr;
  const char* addinfo = nullptr;
  const int code = ZOOM_connection_error(connection, &message, &addinfo);
  Fetched fetched;
  switch (code) {
    case ZOOM_ERROR_TIMEOUT:
      fetched.result = FetchResult::kTimeout;
      break;
    case ZOOM_ERROR_CONNECT:
    case ZOOM_ERROR_CONNECTION_LOST:
    case ZOOM_ERROR_INIT:
      fetched.result = FetchResult::kUnreachable;
      break;
    default:
      fetched.result = FetchResult::kRefused;
  }
  fetched.diagnostic = message ? message : "";
  if (addinfo && *addinfo) fetched.diagnostic += std::string(": ") + addinfo;
  return fetched;
}

// The first record of a result set, read as MARCXML or ISO 2709, whichever it is.
Fetched firstRecord(ZOOM_resultset results) {
  Fetched fetched;
  ZOOM_record record = ZOOM_resultset_record(results, 0);
  const char* message = nullptr;
  if (!record || ZOOM_record_error(record, &message, nullptr, nullptr) != 0) {
    fetched.result = FetchResult::kUnusable;
    fetched.diagnostic = message ? message : "";
    return fetched;
  }
  int length = 0;
  const char* raw = ZOOM_record_get(record, "raw", &length);
  if (!raw || length <= 0) {
    fetched.result = FetchResult::kUnusable;
    return fetched;
  }
  const std::string_view data(raw, static_cast<size_t>(length));
  bool taken = false;
  const MarcSink keepFirst = [&](long, const MarcRecord* read) {
    if (taken || !read) return;
    fetched.record = *read;
    taken = true;
  };
  const size_t start = data.find_first_not_of(" \t\r\n");
  const FileFault fault = start != std::string_view::npos && data[start] == '<' ? readMarcXml(data, keepFirst)
                                                                               : readIso2709(data, keepFirst);
  fetched.result = taken && !fault ? FetchResult::kFound : FetchResult::kUnusable;
  return fetched;
}

struct ConnectionDeleter {
  void operator()(ZOOM_connection c) const { ZOOM_connection_destroy(c); }
};

}  // namespace

Fetched fetchByIsbn(std::string_view setting, const std::string& isbn, int seconds) {
  const Target target = parseTarget(setting);
  Fetched fetched;
  if (target.address.empty()) {
    fetched.result = FetchResult::kUnreachable;
    return fetched;
  }
  ZOOM_options options = ZOOM_options_create();
  ZOOM_options_set(options, "timeout", std::to_string(seconds).c_str());
  ZOOM_options_set(options, "count", "1");
  ZOOM_options_set(options, "preferredRecordSyntax", target.sru ? "marcxml" : "usmarc");
  ZOOM_options_set(options, "elementSetName", "F");
  if (target.sru) {
    ZOOM_options_set(options, "sru", "get");
    ZOOM_options_set(options, "schema", "marcxml");
  }
  for (const auto& [name, value] : target.options) ZOOM_options_set(options, name.c_str(), value.c_str());
  std::unique_ptr<ZOOM_connection_p, ConnectionDeleter> connection(ZOOM_connection_create(options));
  ZOOM_options_destroy(options);
  ZOOM_connection_connect(connection.get(), target.address.c_str(), 0);
  if (ZOOM_connection_errcode(connection.get()) != 0) return failure(connection.get());
  // The ISBN-13 first; a catalogue that indexed the older ISBN-10 finds the book under that.
  std::vector<std::string> terms = {isbn};
  const std::string older = isbn10Of(isbn);
  if (!older.empty()) terms.push_back(older);
  for (const std::string& term : terms) {
    ZOOM_query query = ZOOM_query_create();
    if (target.sru)
      ZOOM_query_cql(query, ("bath.isbn=" + term).c_str());
    else
      ZOOM_query_prefix(query, ("@attr 1=7 \"" + term + "\"").c_str());
    ZOOM_resultset results = ZOOM_connection_search(connection.get(), query);
    ZOOM_query_destroy(query);
    if (ZOOM_connection_errcode(connection.get()) != 0) {
      ZOOM_resultset_destroy(results);
      return failure(connection.get());
    }
    const bool any = ZOOM_resultset_size(results) > 0;
    if (any) fetched = firstRecord(results);
    ZOOM_resultset_destroy(results);
    if (any) return fetched;
  }
  fetched.result = FetchResult::kNoRecord;
  return fetched;
}

}  // namespace Records
