// patron_lookup: answers the member's catalogue search with a table of the matching books.
#include "PatronPage.h"

namespace {

void search(Ambry::AmbryDB& db, const Ambry::QueryMap& form) {
  db.searchBook_Member(form);
  if (db.hasResult())
    Patron::printRows(db, "patron_lookup");
  else
    Patron::refuse("err_query_unsuccessful_try_again");
  db.closeConnection();
}

void content() {
  Patron::writeResource("content_title_search_results", "");
  Ambry::QueryMap form;
  if (!Patron::readPostedForm("err_patron_lookup_ui", {"author", "title", "isbn"}, form)) return;
  if (!Patron::anyFilled(form, {"author", "title", "isbn"})) {
    Patron::refuse("err_info_not_supplied_try_again");
    return;
  }
  Patron::withDatabase([&form](Ambry::AmbryDB& db) { search(db, form); });
}

}  // namespace

int main() {
  Ambry::beginPage("title_patron_lookup_results", Ambry::AREA_MEMBER);
  content();
  Ambry::endPage();
  return 0;
}
