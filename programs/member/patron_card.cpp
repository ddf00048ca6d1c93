// patron_card: shows members their own record, loans, reservations and blacklist status.
#include <cstdio>

#include "PatronPage.h"

namespace {

// A search that yields no result set at all means the request failed: say so and go back.
bool failedSearch(const Ambry::AmbryDB& db) {
  if (db.hasResult()) return false;
  Patron::refuse("err_query_unsuccessful_try_again");
  return true;
}

// One further section of the card: its heading, then the rows of the search just run.
bool printSection(Ambry::AmbryDB& db, const char* headingKey, const char* pageKey) {
  fputs("<br>\n", stdout);
  Patron::writeResource(headingKey, ":<br><br>\n");
  if (failedSearch(db)) return false;
  Patron::printRows(db, pageKey);
  return true;
}

void showCard(Ambry::AmbryDB& db, const Ambry::QueryMap& form) {
  // An address that has guessed too often gets no answer about the password at all.
  if (!Patron::passwordAccepted(db, form)) return;
  db.searchMember_Member(form);
  Patron::writeResource("content_title_patron_card", ":<br><br>\n");
  if (failedSearch(db)) return;
  Patron::printRows(db, "patron_card");
  db.searchCheckout_Member(form);
  if (!printSection(db, "content_title_checkout_info", "member_checkout")) return;
  db.searchReservation_Member(form);
  if (!printSection(db, "content_title_reservation_info", "patron_hold")) return;
  fputs("<br>", stdout);
  Patron::writeResource(db.blacklistingExists(form) ? "msg_member_blacklisted" : "msg_member_not_blacklisted",
                        "");
  db.closeConnection();
}

void content() {
  Patron::writeResource("title_patron_card_results", ":<br><br>\n");
  Ambry::QueryMap form;
  if (!Patron::readPostedForm("err_patron_card_ui", {"memberid", "password"}, form)) return;
  if (!Patron::allFilled(form, {"memberid", "password"})) {
    Patron::refuse("err_info_not_supplied_try_again");
    return;
  }
  Patron::withDatabase([&form](Ambry::AmbryDB& db) { showCard(db, form); });
}

}  // namespace

int main() {
  Ambry::beginPage("title_patron_card_results", Ambry::AREA_MEMBER);
  content();
  Ambry::endPage();
  return 0;
}
