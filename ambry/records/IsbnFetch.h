// Copy cataloguing: the first record a shared catalogue holds for an ISBN, asked for over Z39.50
// or SRU through YAZ's ZOOM API.
#pragma once
#include <string>
#include <string_view>

#include "ambry/records/MarcRecord.h"

namespace Records {

enum class FetchResult {
  kFound,        // the record is in Fetched::record
  kNoRecord,     // the catalogue holds none for the ISBN
  kTimeout,      // no answer within the time allowed
  kUnreachable,  // the catalogue cannot be reached (no server, refused, cut off)
  kRefused,      // the catalogue answered with an error of its own (Fetched::diagnostic)
  kUnusable      // a record came, but it cannot be read
};

struct Fetched {
  FetchResult result = FetchResult::kNoRecord;
  MarcRecord record;
  std::string diagnostic;
};

// Asks the shared catalogue named by the setting for the ISBN (an ISBN-13 of the catalogue; its
// ISBN-10 is asked for as well when the ISBN-13 finds nothing). The setting is a Z39.50
// "host:port/database" or an SRU base URL ("http://..."), optionally followed by ZOOM options
// among preferredRecordSyntax, elementSetName, user and password ("name=value", blank-separated).
// Z39.50 searches Bib-1 use attribute 7 (ISBN), SRU the index bath.isbn.
Fetched fetchByIsbn(std::string_view target, const std::string& isbn, int seconds);

}  // namespace Records
