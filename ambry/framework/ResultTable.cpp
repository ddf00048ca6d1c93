// Result tables: caption row with equal column widths, result rows, the end-of-results line.
#include "ambry/framework/ResultTable.h"

#include <cstdio>

#include "ambry/escape/Escape.h"
#include "ambry/resources/Resources.h"

using Keystone::Array;
using Keystone::String;

namespace Ambry {

void beginResultTable(const Array<String>& captions) {
  const int n = captions.size();
  std::fputs("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"5\">\n", stdout);
  for (int i = 0; i < n; ++i) std::printf("<colgroup width=\"%d%%\">", 100 / n);
  std::fputs("\n<tr style=\"font-weight:bold;color:orange;background-color:darkgreen\">\n", stdout);
  // The captions are the column headers, so that a screen reader names each cell's column.
  for (int i = 0; i < n; ++i) {
    std::fputs(
        "<th scope=\"col\" "
        "style=\"border-left:1;border-top:0;border-bottom:0;border-right:0;border-color:blue\" "
        "nowrap=\"nowrap\">",
        stdout);
    std::fputs(captions[i].c_str(), stdout);
    std::fputs("</th>", stdout);
  }
  std::fputs("</tr>\n", stdout);
}

// Cells and attributes are ready HTML from the caller: links and markup pass through.
void printResultRow(const Array<String>& cells, const String& rowAttributes, const String& cellAttributes) {
  std::fputs("<tr", stdout);
  if (rowAttributes.length() > 0) {
    std::fputc(' ', stdout);
    std::fputs(rowAttributes.c_str(), stdout);
  }
  std::fputs(">\n", stdout);
  for (int i = 0; i < cells.size(); ++i) {
    std::fputs("<td", stdout);
    if (cellAttributes.length() > 0) {
      std::fputc(' ', stdout);
      std::fputs(cellAttributes.c_str(), stdout);
    }
    std::fputs(" nowrap=\"nowrap\">", stdout);
    std::fputs(cells[i].length() > 0 ? cells[i].c_str() : "&nbsp;", stdout);
    std::fputs("</td>\n", stdout);
  }
  std::fputs("</tr>\n", stdout);
}

void printTextRow(Array<String> cells, const String& rowAttributes, const String& cellAttributes) {
  for (int i = 0; i < cells.size(); ++i) cells[i] = escapeHtml(cells[i]);
  printResultRow(cells, rowAttributes, cellAttributes);
}

void printEntryRow(Array<String> cells, const String& rowAttributes, const String& cellAttributes,
                   const String& openScript) {
  for (int i = 0; i < cells.size(); ++i) cells[i] = escapeHtml(cells[i]);
  // The row's own mouse handler must not open the entry a second time.
  if (cells.size() > 0)
    cells[0] =
        "<button type=\"button\" class=\"rowopen\" onmousedown=\"event.stopPropagation()\" "
        "onclick=\"event.stopPropagation(); " +
        openScript + "\">" + cells[0] + "</button>";
  printResultRow(cells, rowAttributes, cellAttributes);
}

void endResultTable() {
  std::fputs("</table><br>\n", stdout);
  std::fputs(getResource("content_title_end_results", false).c_str(), stdout);
  std::fputs("<br>\n", stdout);
}

}  // namespace Ambry
