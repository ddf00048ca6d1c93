// Messages on the page: pop-ups for the site script's pumpMsg, framed messages, error texts.
#include "ambry/framework/Messages.h"

#include <cstdio>

#include "ambry/escape/Escape.h"
#include "ambry/framework/Page.h"
#include "ambry/resources/Resources.h"

using Keystone::String;

namespace Ambry {

namespace {

String messageText(const String& text, bool isText) {
  return isText ? text : getResource(text, false);
}

}  // namespace

void popupMessage(const String& text, const bool& isText) {
  const bool opened = !isScriptOpen();
  if (opened) beginJavaScriptTag("");
  // Messages carry request values, so the whole text is escaped for the string literal;
  // a single quote still becomes \' as before.
  const String message = escapeJsString(messageText(text, isText));
  std::fputs("   pumpMsg('", stdout);
  std::fputs(message.c_str(), stdout);
  std::fputs("');\n", stdout);
  if (opened) endScriptTag();
}

void popupError(const String& operation, const String& key) {
  popupMessage(generateError(operation, key), true);
}

void printMessage(const String& text, const bool& isText) {
  const String message = messageText(text, isText);
  std::fputs("<table border=\"1\" width=\"100%\"><tr><td>", stdout);
  std::fputs(message.c_str(), stdout);
  std::fputs("</td></tr></table>\n", stdout);
}

void printError(const String& key, const Keystone::Exception& exception) {
  String text = getResource(key, false);
  // Exception texts can hold request values (a failed statement), so they arrive as HTML text;
  // the resource text around them is page HTML and stays as it is.
  if (exception.getMessage().length() > 0) text.replace("%s", escapeHtml(exception.getMessage()));
  text += "<br>\n";
  printMessage(text, true);
}

String generateError(const String& operation, const String& key) {
  const String reason = getResource(key.length() > 0 ? key : String("err_no_additional_info"), false);
  return getResource("err_err_in", false) + " " + operation + ": " + reason;
}

}  // namespace Ambry
