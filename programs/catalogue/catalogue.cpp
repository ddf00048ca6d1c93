// catalogue: the catalogue comes in and goes out. Import of MARC21 (ISO 2709, MARCXML) and CSV
// files after a preview, export as MARCXML, ISO 2709 and CSV, and the book editor's "Fetch
// details" from a shared catalogue.
#include "programs/catalogue/Catalogue.h"

int main() {
  const Ambry::QueryMap& url = Ambry::getEnvQueryMap();
  if (url.contains("format") && Catalogue::printExport(url["format"])) return 0;
  if (url.contains("fetch")) {
    Catalogue::printFetchAnswer(url["fetch"]);
    return 0;
  }
  Ambry::beginPage("title_admin_catalogue", Ambry::AREA_ADMIN, Ambry::CONTENT_HAS_HEADING);
  Catalogue::printCatalogueBody();
  Ambry::endPage();
  return 0;
}
