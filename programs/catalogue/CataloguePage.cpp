// The catalogue page: the step the request asks for, the import form and the export links.
#include <cstdio>
#include <cstdlib>

#include "programs/catalogue/Catalogue.h"

namespace Catalogue {

using Keystone::String;

namespace {

void put(const String& text) {
  std::fputs(text.c_str(), stdout);
}

String text(const char* key) {
  return Ambry::getResource(key, false);
}

}  // namespace

String filledText(const char* key, std::initializer_list<String> values) {
  const String pattern = text(key);
  std::string out;
  auto next = values.begin();
  for (int i = 0; i < pattern.length(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.length() && (pattern[i + 1] == 's' || pattern[i + 1] == 'd')) {
      if (next != values.end()) out += (next++)->c_str();
      ++i;
      continue;
    }
    out += pattern[i];
  }
  return String(out.c_str());
}

String ownAddress(const char* extra) {
  return "catalogue.exe?lang=" + Ambry::escapeHtml(Ambry::getLanguage()) + extra;
}

void printStartForms() {
  put("<h2>" + text("caption_catalogue_import") + "</h2>\n<p>" + text("desc_catalogue_import") + "</p>\n");
  put("<form method=\"post\" enctype=\"multipart/form-data\" action=\"" + ownAddress() + "\">\n");
  put("<label for=\"catalogue_file\">" + text("caption_catalogue_file") + "</label>\n");
  put("<input type=\"file\" id=\"catalogue_file\" name=\"file\" accept=\".mrc,.marc,.xml,.csv,.txt\">\n");
  put("<input type=\"submit\" value=\"" + Ambry::escapeHtml(text("caption_catalogue_preview")) + "\">\n</form>\n");
  put("<h2>" + text("caption_catalogue_export") + "</h2>\n<p>" + text("desc_catalogue_export") + "</p>\n<ul>\n");
  const char* formats[][2] = {
      {"marcxml", "caption_export_marcxml"}, {"marc", "caption_export_marc"}, {"csv", "caption_export_csv"}};
  for (const auto& format : formats)
    put("<li><a href=\"" + ownAddress("&amp;format=") + format[0] + "\">" + text(format[1]) + "</a></li>\n");
  put("</ul>\n");
}

void printCatalogueBody() {
  put("<h1>" + text("title_admin_catalogue") + ":</h1>\n");
  removeExpiredUploads();
  if (isMultipartRequest()) {
    previewUpload();
    return;
  }
  const Ambry::QueryMap& posted = Ambry::getQueryMap();
  const int cmd = std::atoi(posted.get("cmd", "").c_str());
  if (Ambry::changesState(cmd) && !Ambry::isSameOriginRequest()) {
    Ambry::popupMessage("err_cross_site", false);
  } else if (cmd == Ambry::CMD_IMPORT) {
    runImport(posted);
  } else if (cmd == Ambry::CMD_DISCARD_IMPORT) {
    discardImport(posted);
  }
  printStartForms();
}

}  // namespace Catalogue
