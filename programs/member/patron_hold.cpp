// patron_hold: places a member's reservation of a book, after checking member and book.
#include "PatronPage.h"

namespace {

// After the insertion: only a reservation that went through is a success. One refused under the
// lending rules has had its pop-up from the insertion already; one that could not be stored also
// asks the member to check what was entered, without the server's own text, which stays off this
// public page.
void reportInsertion(Ambry::AmbryDB& db) {
  if (db.lastChangeStood()) {
    Ambry::printMessage("msg_query_successful", false);
    return;
  }
  if (db.getError().length() != 0)
    Patron::refuse("err_info_invalid");
  else
    Ambry::goBack();
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
  reportInsertion(db);
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
