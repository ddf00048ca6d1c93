// The loans-per-month bar chart, drawn as inline SVG by the program itself.
#include <cstdio>

#include "programs/reports/Reports.h"

namespace Reports {

namespace {

const int kBarWidth = 40;
const int kBarStep = 56;
const int kLeft = 20;
const int kBaseline = 200;
const int kTallest = 170;

}  // namespace

void printMonthlyChart(const std::vector<MonthCount>& months, const Keystone::String& title) {
  long most = 0;
  for (const MonthCount& month : months)
    if (month.count > most) most = month.count;
  const int width = 2 * kLeft + kBarStep * static_cast<int>(months.size());
  const Keystone::String label = Ambry::escapeHtml(title);
  std::printf(
      "<svg class=\"reportchart\" xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
      "viewBox=\"0 0 %d %d\" role=\"img\" aria-label=\"%s\">\n<title>%s</title>\n",
      width, kBaseline + 30, width, kBaseline + 30, label.c_str(), label.c_str());
  std::printf("<line x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\" stroke=\"#555555\"/>\n", kLeft / 2, kBaseline,
              width - kLeft / 2, kBaseline);
  for (size_t i = 0; i < months.size(); ++i) {
    const Keystone::String month = Ambry::escapeHtml(months[i].month);
    const long count = months[i].count;
    const int height = most > 0 ? static_cast<int>(count * kTallest / most) : 0;
    const int x = kLeft + kBarStep * static_cast<int>(i) + (kBarStep - kBarWidth) / 2;
    const int middle = x + kBarWidth / 2;
    std::printf(
        "<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"darkgreen\"><title>%s: "
        "%ld</title></rect>\n",
        x, kBaseline - height, kBarWidth, height, month.c_str(), count);
    std::printf("<text x=\"%d\" y=\"%d\" text-anchor=\"middle\" font-size=\"12\">%ld</text>\n", middle,
                kBaseline - height - 4, count);
    std::printf("<text x=\"%d\" y=\"%d\" text-anchor=\"middle\" font-size=\"11\">%s</text>\n", middle,
                kBaseline + 16, month.c_str());
  }
  std::fputs("</svg>\n", stdout);
}

}  // namespace Reports
