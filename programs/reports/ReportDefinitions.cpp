// The four reports in one table, and the captions and cells they share between page and CSV.
#include <cstdlib>
#include <string>
#include <vector>

#include "programs/reports/Reports.h"

namespace Reports {

namespace {

using Ambry::AmbryDB;

const ReportDefinition kReports[] = {
    {"overdue", "caption_report_overdue", "desc_report_overdue", "caption_columns_overdue",
     &AmbryDB::selectCheckout_Overdue, "checkout_editor", -1, false},
    {"expiring", "caption_report_expiring", "desc_report_expiring", "caption_columns_expiring",
     &AmbryDB::selectMember_Expiring, "member_editor", -1, false},
    {"monthly", "caption_report_monthly", "desc_report_monthly", "caption_columns_monthly",
     &AmbryDB::selectCheckout_PerMonth, nullptr, -1, true},
    {"reserved", "caption_report_reserved", "desc_report_reserved", "caption_columns_reserved",
     &AmbryDB::selectBook_Reserved, "book_editor", 4, false},
};

}  // namespace

int reportCount() {
  return static_cast<int>(sizeof kReports / sizeof kReports[0]);
}

const ReportDefinition& reportAt(int index) {
  return kReports[index];
}

const ReportDefinition& findReport(const Keystone::String& name) {
  for (const ReportDefinition& report : kReports)
    if (name == report.name) return report;
  return kReports[0];
}

namespace {

// The parts of a text that separates them with "|", in the current language.
Keystone::Array<Keystone::String> textParts(const char* key) {
  const Keystone::String text = Ambry::getResource(key, false);
  std::vector<Keystone::String> columns;
  int start = 0;
  for (int at = text.find("|", 0); at != -1; at = text.find("|", start)) {
    columns.push_back(Keystone::String(text.c_str(), start, at - start));
    start = at + 1;
  }
  columns.push_back(Keystone::String(text.c_str(), start));
  return Keystone::Array<Keystone::String>(columns.data(), static_cast<int>(columns.size()));
}

}  // namespace

Keystone::Array<Keystone::String> reportColumns(const ReportDefinition& report) {
  return textParts(report.columnsKey);
}

Keystone::String monthName(const Keystone::String& month, MonthForm form) {
  const std::string text = month.c_str();
  const int number = text.size() == 7 && text[4] == '-' ? std::atoi(text.c_str() + 5) : 0;
  const Keystone::Array<Keystone::String> names =
      textParts(form == MonthForm::kShort ? "caption_months_short" : "caption_months");
  if (number < 1 || number > names.size()) return month;
  return names[number - 1] + " " + Keystone::String(text.substr(0, 4).c_str());
}

Keystone::Array<Keystone::String> reportCells(const ReportDefinition& report,
                                              Keystone::Array<Keystone::String> row) {
  const int column = report.yesNoColumn;
  if (column >= 0 && column < row.size())
    row[column] = Ambry::getResource(row[column] == "0" ? "caption_no" : "caption_yes", false);
  return row;
}

}  // namespace Reports
