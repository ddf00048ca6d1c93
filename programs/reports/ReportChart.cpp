// The loans-per-month bar chart, drawn as inline SVG by the program itself: a value axis with its
// gridlines, and the months named in the page's language.
#include <cstdio>

#include "programs/reports/Reports.h"

namespace Reports {

namespace {

const int kBarWidth = 40;
const int kBarStep = 60;
const int kAxis = 48;  // the value axis, with the values' labels to its left
const int kRight = 12;
const int kBaseline = 200;
const int kTallest = 170;
const int kMostTicks = 5;

// The step between the axis' values: 1, 2 or 5 times a power of ten, so that at most kMostTicks
// steps reach the busiest month.
long tickStep(long most) {
  for (long power = 1;; power *= 10)
    for (long factor : {1, 2, 5})
      if (factor * power * kMostTicks >= most) return factor * power;
}

// The value axis: a gridline and its value at every step up to the top of the scale.
void printValueAxis(long top, long step, int width) {
  for (long value = 0; value <= top; value += step) {
    const int y = kBaseline - static_cast<int>(value * kTallest / top);
    std::printf("<line x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\" stroke=\"#c8d3cc\"/>\n", kAxis, y,
                width - kRight, y);
    std::printf("<text x=\"%d\" y=\"%d\" text-anchor=\"end\" font-size=\"11\">%ld</text>\n", kAxis - 6, y + 4,
                value);
  }
  std::printf("<line x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\" stroke=\"#555555\"/>\n", kAxis,
              kBaseline - kTallest, kAxis, kBaseline);
  std::printf("<line x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\" stroke=\"#555555\"/>\n", kAxis, kBaseline,
              width - kRight, kBaseline);
}

}  // namespace

void printMonthlyChart(const std::vector<MonthCount>& months, const Keystone::String& title) {
  long most = 0;
  for (const MonthCount& month : months)
    if (month.count > most) most = month.count;
  // The scale's top is the first step at or above the busiest month (one step when there were none).
  const long step = tickStep(most);
  const long top = most > 0 ? (most + step - 1) / step * step : step;
  const int width = kAxis + kRight + kBarStep * static_cast<int>(months.size());
  const Keystone::String label = Ambry::escapeHtml(title);
  std::printf(
      "<svg class=\"reportchart\" xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
      "viewBox=\"0 0 %d %d\" role=\"img\" aria-label=\"%s\">\n<title>%s</title>\n",
      width, kBaseline + 30, width, kBaseline + 30, label.c_str(), label.c_str());
  printValueAxis(top, step, width);
  for (size_t i = 0; i < months.size(); ++i) {
    const Keystone::String name = Ambry::escapeHtml(monthName(months[i].month, MonthForm::kFull));
    const Keystone::String shortName = Ambry::escapeHtml(monthName(months[i].month, MonthForm::kShort));
    const long count = months[i].count;
    const int height = static_cast<int>(count * kTallest / top);
    const int x = kAxis + kBarStep * static_cast<int>(i) + (kBarStep - kBarWidth) / 2;
    const int middle = x + kBarWidth / 2;
    std::printf(
        "<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"darkgreen\"><title>%s: "
        "%ld</title></rect>\n",
        x, kBaseline - height, kBarWidth, height, name.c_str(), count);
    std::printf("<text x=\"%d\" y=\"%d\" text-anchor=\"middle\" font-size=\"12\">%ld</text>\n", middle,
                kBaseline - height - 4, count);
    std::printf("<text x=\"%d\" y=\"%d\" text-anchor=\"middle\" font-size=\"11\">%s</text>\n", middle,
                kBaseline + 16, shortName.c_str());
  }
  std::fputs("</svg>\n", stdout);
}

}  // namespace Reports
