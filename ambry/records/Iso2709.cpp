// ISO 2709 files: each record's framing checked here, since YAZ's reader passes some broken
// records on silently, then read by YAZ.
#include <cctype>

#include "ambry/records/MarcRecord.h"
#include "ambry/records/YazRecord.h"

namespace Records {

namespace {

const char kFieldTerminator = 0x1E;
const char kRecordTerminator = 0x1D;
const size_t kLeaderLength = 24;

// The number written in count digits at text, or -1 when they are not all digits.
long digits(std::string_view text, size_t at, size_t count) {
  long value = 0;
  for (size_t i = at; i < at + count; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

// The framing of one record: the leader's numbers, the directory and the terminators. The record
// is the start of rest; its length is set when the framing holds.
FaultKind frameRecord(std::string_view rest, size_t& length) {
  if (rest.size() < kLeaderLength) return FaultKind::kTruncated;
  const long recordLength = digits(rest, 0, 5);
  const long base = digits(rest, 12, 5);
  const long lengthDigits = digits(rest, 20, 1);
  const long startDigits = digits(rest, 21, 1);
  // MARC21: two indicators, two-character subfield codes.
  if (recordLength < 0 || base < 0 || lengthDigits <= 0 || startDigits <= 0 || rest[10] != '2' ||
      rest[11] != '2' || !std::isdigit(static_cast<unsigned char>(rest[22])))
    return FaultKind::kLeader;
  if (recordLength < static_cast<long>(kLeaderLength) + 2 || base < static_cast<long>(kLeaderLength) + 1 ||
      base >= recordLength)
    return FaultKind::kLeader;
  if (static_cast<size_t>(recordLength) > rest.size()) return FaultKind::kTruncated;
  const std::string_view record = rest.substr(0, static_cast<size_t>(recordLength));
  if (record.back() != kRecordTerminator) return FaultKind::kTerminator;
  const size_t entry = 3 + static_cast<size_t>(lengthDigits + startDigits + (rest[22] - '0'));
  const size_t directoryEnd = static_cast<size_t>(base) - 1;
  if (record[directoryEnd] != kFieldTerminator || (directoryEnd - kLeaderLength) % entry != 0)
    return FaultKind::kDirectory;
  const size_t dataLength = record.size() - 1 - static_cast<size_t>(base);
  for (size_t at = kLeaderLength; at < directoryEnd; at += entry) {
    for (size_t i = at; i < at + 3; ++i)
      if (!std::isalnum(static_cast<unsigned char>(record[i]))) return FaultKind::kDirectory;
    const long fieldLength = digits(record, at + 3, static_cast<size_t>(lengthDigits));
    const long fieldStart = digits(record, at + 3 + lengthDigits, static_cast<size_t>(startDigits));
    if (fieldLength <= 0 || fieldStart < 0 || static_cast<size_t>(fieldStart + fieldLength) > dataLength)
      return FaultKind::kDirectory;
    if (record[static_cast<size_t>(base + fieldStart + fieldLength - 1)] != kFieldTerminator)
      return FaultKind::kDirectory;
  }
  length = record.size();
  return FaultKind::kNone;
}

// What may stand between and after records: line breaks of a file passed through a text tool.
bool isPadding(char c) {
  return c == '\n' || c == '\r' || c == ' ' || c == '\0';
}

}  // namespace

FileFault readIso2709(std::string_view data, const MarcSink& sink) {
  YazRecord yaz;
  MarcRecord record;
  long number = 0;
  size_t at = 0;
  for (;;) {
    while (at < data.size() && isPadding(data[at])) ++at;
    if (at >= data.size()) break;
    ++number;
    size_t length = 0;
    const FaultKind fault = frameRecord(data.substr(at), length);
    if (fault != FaultKind::kNone) return {fault, number, static_cast<long>(at), 0};
    const std::string_view bytes = data.substr(at, length);
    const bool read = yaz_marc_read_iso2709(yaz.handle(), bytes.data(), static_cast<int>(bytes.size())) > 0 &&
                      yaz.take(bytes[9] != 'a', record);
    sink(number, read ? &record : nullptr);
    at += length;
  }
  if (number == 0) return {FaultKind::kEmpty, 0, 0, 0};
  return {};
}

}  // namespace Records
