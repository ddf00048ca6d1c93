// The staff reports: their one table of definitions, and the page, chart and CSV writers.
#pragma once
#include <vector>

#include "ambry/Ambry.h"
#include "ambry/db/AmbryDB.h"

namespace Reports {

struct ReportDefinition {
  const char* name;        // value of the report parameter, and the start of the CSV file's name
  const char* captionKey;  // the report's name in the current language
  const char* descKey;     // what the report lists
  const char* columnsKey;  // the column captions, separated by "|"
  void (Ambry::AmbryDB::*select)() const;
  const char* editor;  // the program that a click on a row opens at the row's first column, or null
  int yesNoColumn;     // a column of 0 and 1 shown as "Yes" and "No", or -1
  bool monthChart;     // rows of (YYYY-MM, count), drawn as a bar chart above the table
};

// The report of that name; any other name gives the overdue loans.
const ReportDefinition& findReport(const Keystone::String& name);
int reportCount();
const ReportDefinition& reportAt(int index);

// The report's column captions in the current language.
Keystone::Array<Keystone::String> reportColumns(const ReportDefinition& report);
// A result row as text: the yes/no column in words.
Keystone::Array<Keystone::String> reportCells(const ReportDefinition& report,
                                              Keystone::Array<Keystone::String> row);

// The page frame up to the content: HTTP header, language, title, staff area and menu. A report's
// page has a heading of its own; the page of a download that failed has only the title.
void beginReportFrame(Ambry::PageHeading heading);
// The content of a report's HTML page: heading, links, the table or chart.
void printReportBody(const ReportDefinition& report);
// The report as a CSV download; false, with nothing written, when the language is not one of the
// listed codes (the HTML page then reports it).
bool printReportCsv(const ReportDefinition& report);

// A month YYYY-MM as the page's language names it, with its year ("January 2026", "Jan 2026"); any
// other text as it stands. The CSV keeps YYYY-MM.
enum class MonthForm { kFull, kShort };
Keystone::String monthName(const Keystone::String& month, MonthForm form);

// One bar of the month-by-month chart.
struct MonthCount {
  Keystone::String month;  // YYYY-MM
  long count;
};
// The month-by-month bar chart as inline SVG, titled with the report's caption.
void printMonthlyChart(const std::vector<MonthCount>& months, const Keystone::String& title);

}  // namespace Reports
