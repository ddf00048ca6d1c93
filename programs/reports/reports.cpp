// reports: the staff's daily reports (overdue loans, expiring memberships, loans per month, books on
// reserve) as pages and as CSV downloads. Read-only.
#include "programs/reports/Reports.h"

int main() {
  const Ambry::QueryMap& url = Ambry::getEnvQueryMap();
  const Reports::ReportDefinition& report = Reports::findReport(url.get("report", ""));
  if (url.get("format", "") == "csv" && Reports::printReportCsv(report)) return 0;
  Reports::beginReportFrame(Ambry::CONTENT_HAS_HEADING);
  Reports::printReportBody(report);
  Ambry::endPage();
  return 0;
}
