// A report as a CSV download in Windows-1252, named after the report and the server's date.
#include <cstdio>

#include "programs/reports/Reports.h"

namespace Reports {

namespace {

void printCsvLine(const Keystone::Array<Keystone::String>& cells) {
  for (int i = 0; i < cells.size(); ++i) {
    if (i > 0) std::fputc(',', stdout);
    std::fputs(Ambry::escapeCsvCell(cells[i]).c_str(), stdout);
  }
  std::fputs("\r\n", stdout);
}

// A download that failed becomes the report's page with only the error: the title is its heading.
void beginFailedDownloadFrame() {
  beginReportFrame(Ambry::TITLE_IS_HEADING);
}

}  // namespace

bool printReportCsv(const ReportDefinition& report) {
  const Keystone::String language = Ambry::getEnvQueryMap().get("lang", "");
  if (!Ambry::isListedLanguage(language)) return false;
  Ambry::setLanguage(language);
  // A failure becomes the report's HTML page with the error in place of the download.
  const bool written = Ambry::runGuarded(
      "err_query_unsuccessful",
      [&report] {
        Ambry::AmbryDB db;
        db.openConnection();
        const Keystone::String today = db.selectToday();
        (db.*report.select)();
        // Nothing is written before the data is in, so that a failure can still be a page.
        std::printf(
            "Content-Type: text/csv; charset=windows-1252\nContent-Disposition: attachment; "
            "filename=\"%s-%s.csv\"\n\n",
            report.name, today.c_str());
        printCsvLine(reportColumns(report));
        while (db.getNextRow()) printCsvLine(reportCells(report, db.getRow()));
        db.closeConnection();
      },
      beginFailedDownloadFrame);
  if (!written) Ambry::endPage();
  return true;
}

}  // namespace Reports
