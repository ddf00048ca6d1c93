// Column names of the database tables and the captions shown for them, in both languages.
#include "ambry/resources/ConstantTables.h"

#define AMBRY_LIST(name, items) \
  { name, items, static_cast<int>(sizeof items / sizeof items[0]) }

namespace Ambry {
namespace Resources {

namespace {
// Column names, in the order of the table's columns.
constexpr const char* kBlacklistColumns[] = {"id", "memberid", "addDate", "reason"};
constexpr const char* kBookColumns[] = {"id",    "author", "title",      "isbn",
                                    "dewey", "price",  "_condition", "addDate"};
constexpr const char* kCheckoutColumns[] = {"id", "memberid", "bookid", "checkoutDate", "returnDate", "inDate"};
constexpr const char* kDeweyColumns[] = {"id", "description"};
constexpr const char* kMemberColumns[] = {"id",        "password",          "surname",
                                      "firstName", "address",           "contactNo",
                                      "addDate",   "accountExpiryDate", "accountBalance"};
constexpr const char* kReservationColumns[] = {"id", "memberid", "bookid", "addDate"};

constexpr NamedList kTables[] = {
    AMBRY_LIST("blacklist", kBlacklistColumns), AMBRY_LIST("book", kBookColumns),
    AMBRY_LIST("checkout", kCheckoutColumns),   AMBRY_LIST("dewey", kDeweyColumns),
    AMBRY_LIST("member", kMemberColumns),       AMBRY_LIST("reservation", kReservationColumns),
};

constexpr const char* kEngAdminBlacklist[] = {"Blacklist ID", "Member ID", "Add Date", "Reason"};
constexpr const char* kEngAdminBook[] = {"Book ID", "Author", "Title",     "ISBN",
                                     "Dewey",   "Price",  "Condition", "Add Date"};
constexpr const char* kEngAdminCheckout[] = {"Checkout ID",   "Member ID",   "Book ID",
                                         "Checkout Date", "Return Date", "Incoming Date"};
constexpr const char* kEngAdminMember[] = {"Member ID",      "Password",    "Surname",  "First Name",
                                       "Address",        "Contact No.", "Add Date", "Account Expiry Date",
                                       "Account Balance"};
constexpr const char* kEngAdminReservation[] = {"Reservation ID", "Member ID", "Book ID", "Reservation Date"};
constexpr const char* kEngPatronLookup[] = {"Book ID", "Author", "Title", "ISBN"};
constexpr const char* kEngPatronCard[] = {
    "Member ID",           "Surname",        "Name", "Address", "Contact No.", "Add Date",
    "Account Expiry Date", "Account Balance"};
constexpr const char* kEngMemberCheckout[] = {"Checkout ID", "Book ID", "Checkout Date", "Return Date",
                                          "Incoming Date"};
constexpr const char* kEngPatronHold[] = {"Reservation ID", "Book ID", "Reservation Date"};

constexpr NamedList kEnglish[] = {
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

constexpr const char* kAfrAdminBlacklist[] = {"Swartlys ID", "Lid ID", "Invoegingsdatum", "Rede"};
constexpr const char* kAfrAdminBook[] = {"Boek ID", "Outeur", "Titel",    "ISBN",
                                     "Dewey",   "Prys",   "Toestand", "Invoegingsdatum"};
constexpr const char* kAfrAdminCheckout[] = {"Uitname ID",
                                         "Lid ID",
                                         "Boek ID",
                                         "Uitnemingsdatum",
                                         "Gestipuleerde<br>terugbesorgingsdatum",
                                         "Werklike<br>terugbesorgingsdatum"};
constexpr const char* kAfrAdminMember[] = {"Lid ID",
                                       "Wagwoord",
                                       "Van",
                                       "Naam",
                                       "Adres",
                                       "Kontak No.",
                                       "Datum aangesluit",
                                       "Rekening vervaldatum",
                                       "Rekening balans"};
constexpr const char* kAfrAdminReservation[] = {"Reservering ID", "Lid ID", "Boek ID", "Reserveringsdatum"};
constexpr const char* kAfrPatronLookup[] = {"Boek ID", "Outeur", "Titel", "ISBN"};
constexpr const char* kAfrPatronCard[] = {"Lid ID",           "Van",         "Naam",  "Adres", "Kontak No.",
                                      "Datum aangesluit", "Vervaldatum", "Balans"};
constexpr const char* kAfrMemberCheckout[] = {"Uitname ID", "Boek ID", "Uitnemingsdatum",
                                          "Gestipuleerde<br>terugbesorgingsdatum",
                                          "Werklike<br>terugbesorgingsdatum"};
constexpr const char* kAfrPatronHold[] = {"Reservering ID", "Boek ID", "Reserveringsdatum"};

constexpr NamedList kAfrikaans[] = {
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

// Each set of lists as one constant map from name to strings, laid out when compiling.
namespace {
constexpr int kTableItems = itemCount(kTables);
constexpr int kEnglishItems = itemCount(kEnglish);
constexpr int kAfrikaansItems = itemCount(kAfrikaans);
constexpr int kTableCount = static_cast<int>(sizeof kTables / sizeof kTables[0]);
constexpr int kEnglishCount = static_cast<int>(sizeof kEnglish / sizeof kEnglish[0]);
constexpr int kAfrikaansCount = static_cast<int>(sizeof kAfrikaans / sizeof kAfrikaans[0]);
constexpr auto kTablePlan = sortedListsPlan<kTableCount, kTableItems>(kTables);
constexpr auto kEnglishPlan = sortedListsPlan<kEnglishCount, kEnglishItems>(kEnglish);
constexpr auto kAfrikaansPlan = sortedListsPlan<kAfrikaansCount, kAfrikaansItems>(kAfrikaans);

KEYSTONE_CONSTINIT const Keystone::Permanent<ListStrings<kTableCount, kTableItems, kTables, kTablePlan>> kTableStrings{
    std::make_index_sequence<kTableItems>()};
KEYSTONE_CONSTINIT const Keystone::Permanent<SortedLists<kTableCount, kTableItems, kTables, kTablePlan, kTableStrings>> kTableLists{
    std::make_index_sequence<kTableCount>()};
KEYSTONE_CONSTINIT const Keystone::Permanent<ListStrings<kEnglishCount, kEnglishItems, kEnglish, kEnglishPlan>> kEnglishStrings{
    std::make_index_sequence<kEnglishItems>()};
KEYSTONE_CONSTINIT const Keystone::Permanent<SortedLists<kEnglishCount, kEnglishItems, kEnglish, kEnglishPlan, kEnglishStrings>> kEnglishLists{
    std::make_index_sequence<kEnglishCount>()};
KEYSTONE_CONSTINIT const Keystone::Permanent<ListStrings<kAfrikaansCount, kAfrikaansItems, kAfrikaans, kAfrikaansPlan>> kAfrikaansStrings{
    std::make_index_sequence<kAfrikaansItems>()};
KEYSTONE_CONSTINIT const Keystone::Permanent<SortedLists<kAfrikaansCount, kAfrikaansItems, kAfrikaans, kAfrikaansPlan, kAfrikaansStrings>> kAfrikaansLists{
    std::make_index_sequence<kAfrikaansCount>()};

// The three selectors, in key order.
KEYSTONE_CONSTINIT const Keystone::Permanent<SelectorArrays> kSelectors[] = {
    Keystone::Permanent<SelectorArrays>(Constant(), "afr", kAfrikaansLists.value.slots, kAfrikaansCount),
    Keystone::Permanent<SelectorArrays>(Constant(), "eng", kEnglishLists.value.slots, kEnglishCount),
    Keystone::Permanent<SelectorArrays>(Constant(), "tables", kTableLists.value.slots, kTableCount),
};
KEYSTONE_CONSTINIT SelectorArrays* const kSelectorSlots[] = {
    const_cast<SelectorArrays*>(&kSelectors[0].value),
    const_cast<SelectorArrays*>(&kSelectors[1].value),
    const_cast<SelectorArrays*>(&kSelectors[2].value),
};
}  // namespace

}  // namespace Resources

// Column names and captions, laid out when compiling.
KEYSTONE_CONSTINIT ResourceArrayTable resourceArray(Keystone::Constant(), Resources::kSelectorSlots, 3);

}  // namespace Ambry
