// A MARC21 record as the mapping reads it, and the readers of the two MARC file forms.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace Records {

struct Subfield {
  char code;
  std::string text;          // UTF-8
  bool undecodable = false;  // bytes the record's character set has no letter for
};

struct Field {
  std::string tag;
  std::string data;  // a control field's data (tags 001 to 009)
  std::vector<Subfield> subfields;
};

struct MarcRecord {
  std::string leader;
  std::vector<Field> fields;
  // The text of the first subfield code of the first field tag that has one, or nullptr.
  const Subfield* first(const char* tag, char code) const;
};

// Why a file is refused whole: its framing is broken, so no record of it can be trusted.
enum class FaultKind {
  kNone,
  kLeader,        // a record's leader is not a MARC21 leader (lengths, counts, base address)
  kDirectory,     // a directory entry is malformed or names bytes outside the record's data
  kTerminator,    // a record does not end with the record terminator 0x1D
  kTruncated,     // the file ends inside a record
  kXml,           // the XML is not well-formed (or declares a document type)
  kCsvQuote,      // a quoted CSV cell is not closed
  kEmpty,         // no records at all
  kUnrecognised   // neither ISO 2709, MARCXML nor CSV with a title column
};

struct FileFault {
  FaultKind kind = FaultKind::kNone;
  long record = 0;  // the record (or CSV row) it is in, counted from 1
  long offset = 0;  // ISO 2709: the byte at which that record starts
  long line = 0;    // MARCXML: the line
  explicit operator bool() const { return kind != FaultKind::kNone; }
};

// Receives each record in file order: its number from 1, and the record, or nullptr when YAZ
// could not read it although its framing is sound.
using MarcSink = std::function<void(long number, const MarcRecord* record)>;

// ISO 2709 records one after another, each framing-checked before YAZ reads it; leader 09 'a'
// marks UTF-8, anything else MARC-8 (decoded by YAZ's composing MARC8s decoder). The first fault
// stops the reading.
FileFault readIso2709(std::string_view data, const MarcSink& sink);

// A MARCXML collection (or one record), parsed as a stream by YAZ's reader: one record at a time
// is in memory. A file that is not well-formed XML stops the reading.
FileFault readMarcXml(std::string_view data, const MarcSink& sink);

}  // namespace Records
