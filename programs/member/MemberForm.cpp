// Writes a member form from its field list; all visible texts come from the current language.
#include "programs/member/MemberForm.h"

#include <cstddef>

#include "ambry/resources/Resources.h"

namespace Patron {

using Ambry::getResource;
using Keystone::String;

namespace {

// The caption labels its field.
String rowText(const MemberFormField& field) {
  String caption = field.captionKey ? getResource(field.captionKey, false) : String(field.fixedCaption);
  return String("<label for=\"") + field.name + "\">" + caption + ":</label></td><td><input type=\"" +
         field.inputType + "\" id=\"" + field.name + "\" name=\"" + field.name + "\"></td>\n</tr>\n";
}

}  // namespace

String memberFormText(const MemberForm& form) {
  String text = String("<h1>") + getResource(form.titleKey, false) +
                ":</h1>\n<form method=\"post\" onsubmit=\"go('" + form.program + ".exe')\">\n";
  text += getResource(form.descriptionKey, false) + "<table>\n<tr>\n<td nowrap=\"nowrap\">";
  for (std::size_t i = 0; i < form.fields.size(); ++i) {
    if (i > 0) text += "<tr>\n<td nowrap=\"nowrap\">";
    text += rowText(form.fields[i]);
  }
  text += String("</table>\n<br>\n<input type=\"submit\" value=\"") + getResource(form.submitKey, false) +
          form.submitSuffix +
          "\">&nbsp;&nbsp;<input type=\"reset\" value=\"" + getResource("caption_reset", false) + "\"><br>\n";
  return text;
}

}  // namespace Patron
