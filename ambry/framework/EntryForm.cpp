// The staff editors' entry form, generated from a table's columns, captions and form description.
#include "ambry/framework/EntryForm.h"

#include <cstdio>

#include "ambry/resources/Resources.h"

using Keystone::Array;
using Keystone::String;

namespace Ambry {

namespace {

// The control of one field: the description's custom HTML, or a text box with its parameters.
String fieldControl(const MapStringParameterMap& description, const String& field) {
  const ParameterMap custom = description.get("custom", ParameterMap());
  if (custom.contains(field)) return custom[field];
  const ParameterMap parameters = description.get(field, ParameterMap());
  const ParameterMap additional = description.get("additional", ParameterMap());
  String control = String("<input id=\"") + parameters.get("id", field) + "\" name=\"" +
                   parameters.get("name", field) + "\" size=\"" + parameters.get("size", "50") + "\"";
  // Extra attributes may end in "</script": the closing ">" below completes that end tag.
  if (additional.contains(field)) control += String(" ") + additional[field];
  control += ">";
  return control;
}

String formRows(const Array<String>& columns, const Array<String>& captions,
                const MapStringParameterMap& description) {
  String rows;
  for (int i = 0; i < columns.size(); ++i) {
    // The caption is the label of its control, which has the field's id (a custom control too).
    const String id = description.get(columns[i], ParameterMap()).get("id", columns[i]);
    // A table without captions fails here with the array's exception, before anything is written.
    rows += String("<tr><td nowrap=\"nowrap\" align=\"right\"><label for=\"") + id + "\">" + captions[i] +
            ":</label></td><td>&nbsp;" + fieldControl(description, columns[i]) + "</td></tr>\n";
  }
  return rows;
}

}  // namespace

void printEntryForm(const String& table) {
  const Array<String> columns = getResourceArray(table, "tables");
  const Array<String> captions = getResourceArray(String("admin_") + table, "");
  const MapStringParameterMap description = getResourceMapStringParameterMap(table);
  const ParameterMap additional = description.get("additional", ParameterMap());
  const bool extraControls = additional.contains("defaultControls");

  // The hidden fields go by name alone, so that every id names one element of the page ("id" is the
  // entry's own id field).
  String form = String("<table align=\"center\" bgcolor=\"green\" border=\"1\" bordercolor=\"") +
                getProperty("color_heading") +
                "\">\n<tr><td align=\"center\">\n<form method=\"post\" name=\"requestForm\">\n"
                "<input type=\"hidden\" name=\"cmd\">\n<input type=\"hidden\" name=\"id\">\n"
                "<input type=\"hidden\" name=\"lastid\">\n</form>\n"
                "<form method=\"post\" name=\"entryForm\">\n<input type=\"hidden\" name=\"cmd\">\n"
                "<table>\n";
  form += formRows(columns, captions, description);
  form +=
      "<tr><td colspan=\"2\" align=\"center\" nowrap=\"nowrap\"><br>\n<script language=\"JavaScript\">\n"
      "   if (search)\n      printEntryFormSearchControls()\n   else";
  if (extraControls) form += " {";
  form += "\n      printEntryFormDefaultControls()\n";
  if (extraControls) form += String("      ") + additional["defaultControls"] + "\n   }";
  form += "</script>\n</td></tr>\n</table>\n</form>\n</td></tr>\n</table></center>\n";
  std::fputs(form.c_str(), stdout);
}

}  // namespace Ambry
