// patron_hold: places a member's reservation of a book, after checking member and book.
#include "PatronPage.h"

namespace {

// After the insertion: a failed statement and a reservation refused under the lending rules have
// had their pop-up from the insertion already, so the page only goes back; only a reservation now
// on record is a success.
void reportInsertion(Ambry::AmbryDB& db, const Ambry::QueryMap& form) {
  if (db.getError().length() != 0) {
    Ambry::goBack();
  } else if (db.reservationExists(form)) {
    Ambry::printMessage("msg_query_successful", false);
  } else {
    Ambry::goBack();
  }
}

void placeHold(Ambry::AmbryDB& db, const Ambry::QueryMap& form) {
  // An address that has guessed too often gets no answer about the password at all.
  if (!Patron::passwordAccepted(db, form)) return;
  if (!db.bookExists(form)) {
    Patron::refuse("err_patron_hold_invalid");
    return;
  }
  if (db.reservationExists(form)) {
    Patron::refuse("err_patron_hold_exists");
    return;
  }
  db.insertReservation(form);
  reportInsertion(db, form);
  db.closeConnection();
}

void content() {
  Patron::writeResource("title_patron_hold_results", ":<br><br>\n");
  Ambry::QueryMap form;
  const auto fields = {"memberid", "password", "bookid"};
  if (!Patron::readPostedForm("err_patron_hold_ui", fields, form)) return;
  if (!Patron::allFilled(form, fields)) {
    Patron::refuse("err_info_not_supplied_try_again");
    return;
  }
  Patron::withDatabase([&form](Ambry::AmbryDB& db) { placeHold(db, form); });
}

}  // namespace

int main() {
  Ambry::beginPage("title_patron_hold_results", Ambry::AREA_MEMBER);
  content();
  Ambry::endPage();
  return 0;
}
