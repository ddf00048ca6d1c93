// Column names of the database tables and the captions shown for them, in both languages.
#include "ambry/resources/PairLists.h"

#define AMBRY_LIST(name, items) \
  { name, items, static_cast<int>(sizeof items / sizeof items[0]) }

namespace Ambry {
namespace Resources {

namespace {
// Column names, in the order of the table's columns.
const char* const kBlacklistColumns[] = {"id", "memberid", "addDate", "reason"};
const char* const kBookColumns[] = {"id",    "author", "title",      "isbn",
                                    "dewey", "price",  "_condition", "addDate"};
const char* const kCheckoutColumns[] = {"id", "memberid", "bookid", "checkoutDate", "returnDate", "inDate"};
const char* const kDeweyColumns[] = {"id", "description"};
const char* const kMemberColumns[] = {"id",        "password",          "surname",
                                      "firstName", "address",           "contactNo",
                                      "addDate",   "accountExpiryDate", "accountBalance"};
const char* const kReservationColumns[] = {"id", "memberid", "bookid", "addDate"};

const NamedList kTables[] = {
    AMBRY_LIST("blacklist", kBlacklistColumns), AMBRY_LIST("book", kBookColumns),
    AMBRY_LIST("checkout", kCheckoutColumns),   AMBRY_LIST("dewey", kDeweyColumns),
    AMBRY_LIST("member", kMemberColumns),       AMBRY_LIST("reservation", kReservationColumns),
};

const char* const kEngAdminBlacklist[] = {"Blacklist ID", "Member ID", "Add Date", "Reason"};
const char* const kEngAdminBook[] = {"Book ID", "Author", "Title",     "ISBN",
                                     "Dewey",   "Price",  "Condition", "Add Date"};
const char* const kEngAdminCheckout[] = {"Checkout ID",   "Member ID",   "Book ID",
                                         "Checkout Date", "Return Date", "Incoming Date"};
const char* const kEngAdminMember[] = {"Member ID",      "Password",    "Surname",  "First Name",
                                       "Address",        "Contact No.", "Add Date", "Account Expiry Date",
                                       "Account Balance"};
const char* const kEngAdminReservation[] = {"Reservation ID", "Member ID", "Book ID", "Reservation Date"};
const char* const kEngPatronLookup[] = {"Book ID", "Author", "Title", "ISBN"};
const char* const kEngPatronCard[] = {
    "Member ID",           "Surname",        "Name", "Address", "Contact No.", "Add Date",
    "Account Expiry Date", "Account Balance"};
const char* const kEngMemberCheckout[] = {"Checkout ID", "Book ID", "Checkout Date", "Return Date",
                                          "Incoming Date"};
const char* const kEngPatronHold[] = {"Reservation ID", "Book ID", "Reservation Date"};

const NamedList kEnglish[] = {
    AMBRY_LIST("admin_blacklist", kEngAdminBlacklist),
    AMBRY_LIST("admin_book", kEngAdminBook),
    AMBRY_LIST("admin_checkout", kEngAdminCheckout),
    AMBRY_LIST("admin_member", kEngAdminMember),
    AMBRY_LIST("admin_reservation", kEngAdminReservation),
    AMBRY_LIST("patron_lookup", kEngPatronLookup),
    AMBRY_LIST("patron_card", kEngPatronCard),
    AMBRY_LIST("member_checkout", kEngMemberCheckout),
    AMBRY_LIST("patron_hold", kEngPatronHold),
};

const char* const kAfrAdminBlacklist[] = {"Swartlys ID", "Lid ID", "Invoegingsdatum", "Rede"};
const char* const kAfrAdminBook[] = {"Boek ID", "Outeur", "Titel",    "ISBN",
                                     "Dewey",   "Prys",   "Toestand", "Invoegingsdatum"};
const char* const kAfrAdminCheckout[] = {"Uitname ID",
                                         "Lid ID",
                                         "Boek ID",
                                         "Uitnemingsdatum",
                                         "Gestipuleerde<br>terugbesorgingsdatum",
                                         "Werklike<br>terugbesorgingsdatum"};
const char* const kAfrAdminMember[] = {"Lid ID",
                                       "Wagwoord",
                                       "Van",
                                       "Naam",
                                       "Adres",
                                       "Kontak No.",
                                       "Datum aangesluit",
                                       "Rekening vervaldatum",
                                       "Rekening balans"};
const char* const kAfrAdminReservation[] = {"Reservering ID", "Lid ID", "Boek ID", "Reserveringsdatum"};
const char* const kAfrPatronLookup[] = {"Boek ID", "Outeur", "Titel", "ISBN"};
const char* const kAfrPatronCard[] = {"Lid ID",           "Van",         "Naam",  "Adres", "Kontak No.",
                                      "Datum aangesluit", "Vervaldatum", "Balans"};
const char* const kAfrMemberCheckout[] = {"Uitname ID", "Boek ID", "Uitnemingsdatum",
                                          "Gestipuleerde<br>terugbesorgingsdatum",
                                          "Werklike<br>terugbesorgingsdatum"};
const char* const kAfrPatronHold[] = {"Reservering ID", "Boek ID", "Reserveringsdatum"};

const NamedList kAfrikaans[] = {
    AMBRY_LIST("admin_blacklist", kAfrAdminBlacklist),
    AMBRY_LIST("admin_book", kAfrAdminBook),
    AMBRY_LIST("admin_checkout", kAfrAdminCheckout),
    AMBRY_LIST("admin_member", kAfrAdminMember),
    AMBRY_LIST("admin_reservation", kAfrAdminReservation),
    AMBRY_LIST("patron_lookup", kAfrPatronLookup),
    AMBRY_LIST("patron_card", kAfrPatronCard),
    AMBRY_LIST("member_checkout", kAfrMemberCheckout),
    AMBRY_LIST("patron_hold", kAfrPatronHold),
};
}  // namespace

NamedListSet tableColumns() {
  return {kTables, static_cast<int>(sizeof kTables / sizeof kTables[0])};
}
NamedListSet englishCaptions() {
  return {kEnglish, static_cast<int>(sizeof kEnglish / sizeof kEnglish[0])};
}
NamedListSet afrikaansCaptions() {
  return {kAfrikaans, static_cast<int>(sizeof kAfrikaans / sizeof kAfrikaans[0])};
}

}  // namespace Resources
}  // namespace Ambry
