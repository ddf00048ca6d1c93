// The catalogue as a download: MARCXML, ISO 2709 (UTF-8) or CSV, each book one record or row.
#include <cstdio>
#include <cstring>

#include "ambry/records/MarcWriter.h"
#include "programs/catalogue/Catalogue.h"

namespace Catalogue {

namespace {

struct ExportFormat {
  const char* name;
  const char* contentType;
  const char* extension;
};

const ExportFormat kFormats[] = {
    {"marcxml", "application/marcxml+xml; charset=utf-8", "xml"},
    {"marc", "application/marc", "mrc"},
    {"csv", "text/csv; charset=windows-1252", "csv"},
};

std::string field(Ambry::AmbryDB& db, int index) {
  const char* value = db.getField(index);
  return value ? value : "";
}

void put(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
}

// A row of the CSV file: cells that a spreadsheet would run are made plain text, as the import
// expects them.
void putCsvRow(const std::vector<std::string>& cells) {
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) std::fputc(',', stdout);
    std::fputs(Ambry::escapeCsvCell(cells[i].c_str()).c_str(), stdout);
  }
  std::fputs("\r\n", stdout);
}

// The column captions of the book editor in the current language, which the import reads in
// either language: author, title, isbn, dewey, price, condition.
void putCsv(Ambry::AmbryDB& db) {
  const Keystone::Array<Keystone::String> captions = Ambry::getResourceArray("admin_book", "");
  std::vector<std::string> header;
  for (int i = 1; i <= 6 && i < captions.size(); ++i) header.push_back(captions[i].c_str());
  putCsvRow(header);
  while (db.getNextRow()) putCsvRow({field(db, 1), field(db, 2), field(db, 3), field(db, 4), field(db, 5), field(db, 6)});
}

void putMarc(Ambry::AmbryDB& db, bool xml) {
  const Records::MappingRules rules = Records::mappingRules(Ambry::getProperty("currency").c_str());
  Records::MarcWriter writer(xml, rules.currencyCode);
  while (db.getNextRow())
    put(writer.record({field(db, 0), field(db, 1), field(db, 2), field(db, 3), field(db, 4), field(db, 5)}));
  put(writer.end());
}

void beginCatalogueFrame() {
  Ambry::beginPage("title_admin_catalogue", Ambry::AREA_ADMIN);
}

}  // namespace

bool printExport(const Keystone::String& name) {
  const ExportFormat* format = nullptr;
  for (const ExportFormat& known : kFormats)
    if (name == known.name) format = &known;
  const Keystone::String language = Ambry::getEnvQueryMap().get("lang", "");
  if (!format || !Ambry::isListedLanguage(language)) return false;
  Ambry::setLanguage(language);
  // A failure becomes the page with the error in place of the download.
  const bool written = Ambry::runGuarded("err_query_unsuccessful", [format] {
    Ambry::AmbryDB db;
    db.openConnection();
    const Keystone::String today = db.selectToday();
    db.selectBook_All();
    // Nothing is written before the books are in, so that a failure can still be a page.
    std::printf("Content-Type: %s\nContent-Disposition: attachment; filename=\"catalogue-%s.%s\"\n\n",
                format->contentType, today.c_str(), format->extension);
    if (std::strcmp(format->name, "csv") == 0)
      putCsv(db);
    else
      putMarc(db, std::strcmp(format->name, "marcxml") == 0);
    db.closeConnection();
  }, beginCatalogueFrame);
  if (!written) Ambry::endPage();
  return true;
}

}  // namespace Catalogue
