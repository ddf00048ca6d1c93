// The HTML page of a report: links to the four reports, the CSV link, the table and the chart.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "ambry/framework/Commands.h"
#include "programs/reports/Reports.h"

namespace Reports {

namespace {

using Keystone::String;

void put(const String& text) {
  std::fputs(text.c_str(), stdout);
}

// A link to a report in the current language, with optional further parameters.
String reportAddress(const ReportDefinition& report, const char* extra) {
  return "reports.exe?lang=" + Ambry::escapeHtml(Ambry::getLanguage()) + "&amp;report=" + report.name + extra;
}

void printReportLinks(const ReportDefinition& shown) {
  put("<p class=\"reportlinks\">\n");
  for (int i = 0; i < reportCount(); ++i) {
    const ReportDefinition& report = reportAt(i);
    const String caption = Ambry::getResource(report.captionKey, false);
    if (i > 0) put(" |\n");
    if (&report == &shown)
      put("<b>" + caption + "</b>");
    else
      put("<a href=\"" + reportAddress(report, "") + "\">" + caption + "</a>");
  }
  put("\n</p>\n");
}

// One hidden form carries the click on a row to the editor, as its jump command.
void printEntryOpener(const ReportDefinition& report) {
  put(String("<form method=\"post\" name=\"reportEntryForm\" action=\"") + report.editor +
      ".exe?lang=" + Ambry::escapeHtml(Ambry::getLanguage()) +
      "\">\n<input type=\"hidden\" name=\"cmd\" value=\"" + Ambry::commandCode(Ambry::CMD_JUMP).c_str() +
      "\">\n<input type=\"hidden\" name=\"id\">\n<input type=\"hidden\" name=\"lastid\">\n</form>\n");
  Ambry::beginJavaScriptTag("");
  put("   function openReportEntry(id) {\n      var form = document.forms.reportEntryForm;\n"
      "      form.elements[\"id\"].value = id;\n      form.submit();\n   }\n");
  Ambry::endScriptTag();
}

// The script that opens a row's entry in its editor.
String openScript(const String& id) {
  return "openReportEntry('" + Ambry::escapeHtml(Ambry::escapeJsString(id)) + "')";
}

String rowAttributes(const ReportDefinition& report, int rowNumber, const String& id) {
  const bool odd = rowNumber % 2 == 1;
  const String ownColour = Ambry::getProperty(odd ? "color_interchange" : "color_bodybackground");
  String attributes = odd ? "bgcolor=\"" + ownColour + "\"" : String();
  if (!report.editor) return attributes;
  if (odd) attributes += ' ';
  attributes += "onmouseover=\"bgColor='" + Ambry::getProperty("color_highlight") +
                "'\" onmouseout=\"bgColor='" + ownColour + "'\" onclick=\"" + openScript(id) + "\"";
  return attributes;
}

// A row that opens an entry does so by a click anywhere on it, or by its first cell's button from
// the keyboard.
void printRow(const ReportDefinition& report, int rowNumber, const Keystone::Array<String>& row) {
  const String id = row.size() > 0 ? row[0] : String();
  if (report.editor)
    Ambry::printEntryRow(reportCells(report, row), rowAttributes(report, rowNumber, id),
                         "style=\"cursor:pointer\"", openScript(id));
  else
    Ambry::printTextRow(reportCells(report, row), rowAttributes(report, rowNumber, id), "");
}

void printTable(const ReportDefinition& report, Ambry::AmbryDB& db) {
  if (db.getNumRows() == 0) {
    Ambry::printMessage("msg_report_empty", false);
    return;
  }
  if (report.editor) printEntryOpener(report);
  Ambry::beginResultTable(reportColumns(report));
  for (int rowNumber = 0; db.getNextRow(); ++rowNumber) printRow(report, rowNumber, db.getRow());
  Ambry::endResultTable();
}

// The monthly report is read once and shown twice: as a chart, and as a table that reads without it,
// both with the months' names in the page's language.
void printMonthly(const ReportDefinition& report, Ambry::AmbryDB& db) {
  std::vector<MonthCount> months;
  std::vector<Keystone::Array<String>> rows;
  while (db.getNextRow()) {
    rows.push_back(db.getRow());
    months.push_back({rows.back()[0], std::atol(rows.back()[1].c_str())});
    rows.back()[0] = monthName(rows.back()[0], MonthForm::kFull);
  }
  printMonthlyChart(months, Ambry::getResource(report.captionKey, false));
  put("<br><br>\n");
  Ambry::beginResultTable(reportColumns(report));
  for (size_t i = 0; i < rows.size(); ++i) printRow(report, static_cast<int>(i), rows[i]);
  Ambry::endResultTable();
}

}  // namespace

void printReportBody(const ReportDefinition& report) {
  put("<h1>" + Ambry::getResource("title_admin_reports", false) + ":</h1>\n");
  printReportLinks(report);
  put("<h2>" + Ambry::getResource(report.captionKey, false) + "</h2>\n<p>" +
      Ambry::getResource(report.descKey, false) + "</p>\n<p><a class=\"csvlink\" href=\"" +
      reportAddress(report, "&amp;format=csv") + "\">" + Ambry::getResource("caption_download_csv", false) +
      "</a></p>\n");
  Ambry::runGuarded("err_query_unsuccessful", [&report] {
    Ambry::AmbryDB db;
    db.openConnection();
    (db.*report.select)();
    if (report.monthChart)
      printMonthly(report, db);
    else
      printTable(report, db);
    db.closeConnection();
  });
}

void beginReportFrame(Ambry::PageHeading heading) {
  Ambry::beginPage("title_admin_reports", Ambry::AREA_ADMIN, heading);
}

}  // namespace Reports
