// Reading a catalogue file: its form told from its first bytes, then the reader of that form.
#include "ambry/records/CatalogueFile.h"

#include "ambry/records/Csv.h"

namespace Records {

namespace {

bool allDigits(std::string_view text) {
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return !text.empty();
}

FileFault readCsvFile(std::string_view data, const MappingRules& rules, const std::function<void(BookDraft&&)>& each) {
  const CsvShape shape = csvShape(data);
  CsvColumns columns;
  bool titled = true;
  long rows = 0;
  FileFault fault = readCsv(data, shape, [&](long row, const std::vector<std::string>& cells) {
    if (!titled) return;
    if (columns.names.empty()) {
      columns = csvColumns(cells, shape.utf8);
      titled = columns.title >= 0;
      return;
    }
    ++rows;
    each(mapCsvRow(row, cells, columns, shape.utf8, rules));
  });
  if (fault) return fault;
  if (!titled || columns.names.empty()) return {FaultKind::kUnrecognised, 1, 0, 0};
  if (rows == 0) return {FaultKind::kEmpty, 0, 0, 0};
  return {};
}

}  // namespace

FileFormat fileFormat(std::string_view data) {
  if (data.substr(0, 3) == "\xEF\xBB\xBF") data.remove_prefix(3);
  size_t at = 0;
  while (at < data.size() && (data[at] == ' ' || data[at] == '\t' || data[at] == '\r' || data[at] == '\n')) ++at;
  if (at < data.size() && data[at] == '<') return FileFormat::kMarcXml;
  if (data.size() >= 24 && allDigits(data.substr(0, 5)) && allDigits(data.substr(12, 5))) return FileFormat::kIso2709;
  // MARC's field and record terminators are no text: a file that has them is ISO 2709, however
  // broken its first leader (which the reader then names).
  if (data.substr(0, 1 << 16).find_first_of("\x1D\x1E") != std::string_view::npos) return FileFormat::kIso2709;
  return FileFormat::kCsv;
}

FileFault readCatalogueFile(std::string_view data, const MappingRules& rules,
                            const std::function<void(BookDraft&&)>& each, FileFormat* format) {
  const FileFormat form = fileFormat(data);
  if (format) *format = form;
  const MarcSink mapped = [&](long number, const MarcRecord* record) { each(mapMarcRecord(number, record, rules)); };
  switch (form) {
    case FileFormat::kIso2709:
      return readIso2709(data, mapped);
    case FileFormat::kMarcXml:
      return readMarcXml(data, mapped);
    default:
      return readCsvFile(data, rules, each);
  }
}

}  // namespace Records
