// English page texts, messages and error texts.
#include "ambry/resources/ConstantTables.h"

namespace Ambry {
namespace Resources {

namespace {
constexpr TextPair kTexts[] = {
    {"library_name", "Ashgrove Library"},
    {"visiting_time", "Visiting time"},
    {"title_admin_area", "Administration area homepage"},
    {"title_admin_blacklist", "Blacklist"},
    {"title_admin_book", "Book entry"},
    {"title_admin_checkout", "Checkouts"},
    {"title_admin_member", "Members"},
    {"title_admin_panel", "Control Panel"},
    {"title_admin_reservation", "Reservations"},
    {"title_member_area", "Member area homepage"},
    {"title_patron_card", "Membership information"},
    {"title_patron_card_results", "Membership information results"},
    {"title_patron_hold", "Reserve"},
    {"title_patron_hold_results", "Reservation results"},
    {"title_patron_lookup", "Book search"},
    {"title_patron_lookup_results", "Search results"},
    {"title_more_area", "More area homepage"},
    {"title_more_community", "Community involvement"},
    {"title_more_contact", "Contact us"},
    {"title_more_history", "Library history"},
    {"title_more_personnel", "Personnel"},
    {"content_index",
     "Welcome to the Library!<br>\n<hr>\n<br>%s is a modern institution with one central "
     "objective; the education of the community. The institution's influence knows no "
     "limits, and reaches beyond artificial boundaries. The numerous events and "
     "contibutions resultant of this driving ideology regularly enjoys its spot in the "
     "limelight.<br><br>\nYou are visitor no. %d since 11 October 2005.<br>\n<small>Pages "
     "by Ambry, the lending system of Ashgrove Library.</small>\n"},
    {"content_admin_area",
     "<h1>Administration area homepage:</h1>\nUse this website section to perform Ambry "
     "administration.\n"},
    {"content_member_area",
     "<h1>Member area homepage:</h1>\nLibrary members can do book searches and "
     "reservations, as well as update their membership information, from this section of "
     "the website.\n"},
    {"content_more_area",
     "<h1>More on the library:</h1>\nThis section of the website contains information "
     "about the library.\n"},
    {"content_title_patron_card", "Member details"},
    {"content_title_checkout_info", "Checkout details"},
    {"content_title_reservation_info", "Reservation details"},
    {"content_title_search_results", "Search results:<br><br>\n"},
    {"content_title_end_results", "End of results."},
    {"caption_reset", "Back to defaults"},
    {"caption_retrieve_info", "Retrieve information!"},
    {"caption_search", "Search"},
    {"caption_backup_database", "Backup database"},
    {"caption_restore_database_backup", "Restore backup"},
    {"caption_activate_autovault", "Launch auto backup"},
    {"caption_update_autovault_settings", "Update settings"},
    {"caption_field_author", "Author"},
    {"caption_field_title", "Title"},
    {"caption_field_memberid", "Member ID"},
    {"caption_field_password", "Password"},
    {"caption_field_bookid", "Book ID"},
    {"caption_field_hour", "Hour"},
    {"caption_field_day", "Day"},
    {"caption_field_week", "Week"},
    {"caption_field_month", "Month"},
    {"caption_field_year", "Year"},
    {"desc_request_search_info", "Please fill in your search criteria:<br><br>\n"},
    {"desc_request_patron_card", "Please fill in your details:<br><br>\n"},
    {"desc_restore_database_backup",
     "Recalls a priorly generated restore point<br><br>Select restore point:<br><br>"},
    {"desc_backup_database", "Generates a restore point of the entire database"},
    {"desc_activate_autovault",
     "Runs the automatic database backup program to make periodic restore points of the "
     "database"},
    {"desc_update_autovault_settings0",
     "Updates AutoVault option settings<br><br>\nPerform automatic database backups once "
     "every:<br><br>"},
    {"desc_update_autovault_settings1", "Time of day to perform backup:"},
    {"msg_confirm_restore_database_backup",
     "Press OK to restore the Ambry database to the state of the chosen restore point. "
     "Note that all unsaved changes will be lost."},
    {"msg_member_blacklisted",
     "Your Member ID appears on the blacklist. Contact the library to take corrective "
     "steps."},
    {"msg_member_not_blacklisted",
     "Your Member ID does not appear on the blacklist. You have unlimited use of library "
     "facilities."},
    {"msg_query_successful",
     "Your query was successfully processed. If errors persist however, please contact "
     "the webmaster.<br>\n"},
    {"msg_under_construction", "This section of the website is under construction.\n"},
    {"msg_backup_successful", "Backup successfully completed."},
    {"msg_restore_successful", "Restore successfully completed."},
    {"msg_activate_successful", "Application successfully launched."},
    {"msg_already_running", "The application is already running."},
    {"msg_settings_update_successful", "The settings were sucessfully updated."},
    {"msg_no_prev_entry", "There is no entry before this one."},
    {"msg_no_next_entry", "There is no entry after this one."},
    {"msg_entry_added", "New entry added."},
    {"msg_entry_updated", "Entry updated."},
    {"msg_entry_deleted", "Entry deleted."},
    {"msg_book_returned", "Book returned."},
    {"err_counter_init", "Error in Counter::init(): Error opening counter file<br>\n"},
    {"err_getcounter", "Error in Counter::get(): !counterInitYet<br>\n"},
    {"err_inccounter", "Error in Counter::inc(%d): !counterInitYet<br>\n"},
    {"err_counterflush_init", "Error in Counter::flush(): !counterInitYet<br>\n"},
    {"err_counterflush_output_file", "Error in Counter::flush(): Error opening counter file<br>\n"},
    {"err_setlanguage", "Error in setLanguage(\"%s\"): Invalid language specified<br>\n"},
    {"err_getparam", "Error in getParam(\"%s\", \"%s\"): Argument not found<br>\n"},
    {"err_getresource", "Error in getResource: Resource \"%s\" not in map<br>\n"},
    {"err_getresource_array", "Error in getResourceArray: Resource \"%s\" not in map<br>\n"},
    {"err_getresource_mapstringparametermap",
     "Error in getResourceMapStringParameterMap: Resource \"%s\" not in map<br>\n"},
    {"err_getproperty", "Error in getProperty: Resource \"%s\" not in map<br>\n"},
    {"err_query_unsuccessful", "The query was unsuccessful."},
    {"err_query_unsuccessful_reason", "The query was unsuccessful: %s"},
    {"err_query_unsuccessful_try_again", "The query was unsuccessful; please try again."},
    {"err_info_invalid", "Please verify your information, and try again."},
    {"err_info_not_supplied_try_again", "Please supply criteria to the search engine."},
    {"err_admin_area",
     "<script language=\"JavaScript\">\n   alert(\"The password was incorrect. Please try "
     "again.\")\n   go(\"index.exe\")\n</script>\nReturning to home page."},
    {"err_patron_lookup_ui", "Please use the search engine interface to perform searches."},
    {"err_patron_card_ui", "Please use the user interface to retrieve your information."},
    {"err_patron_hold_ui", "Please use the reservation user interface to make reservations."},
    {"err_patron_hold_invalid", "The book you are reserving does not exist; please try again."},
    {"err_patron_hold_exists", "You have already reserved this book."},
    {"err_fatal", "Processing was unsuccessful due to a fatal error."},
    {"err_fatal_reason", "Processing was unsuccessful due to a fatal error: %s"},
    {"err_id_not_exist", "ID no. %s does not exist."},
    {"err_err_in", "Error in"},
    {"err_info_not_supplied", "The necessary information was not supplied."},
    {"err_connect_failed", "Failed to connect to database"},
    {"err_no_additional_info", "No additional information."},
    {"err_inappropriate_query", "Inappropriate query"},
    {"err_book_not_exist", "The specified Book ID does not exist."},
    {"err_member_not_exist", "The specified Member ID does not exist."},
    {"err_reservation_prohibited", "The specified member has been prohibited from reserving books."},
    {"err_checkout_prohibited", "The specified member has been prohibited from checking out books."},
    {"err_account_expired", "The account of the specified member has expired."},
    {"err_blacklisting_exists", "The specified member is already blacklisted."},
    {"err_dewey_invalid", "The specified Dewey Decimal Code is invalid."},
    {"err_book_reservation_exists", "The specified book is reserved."},
    {"err_book_in_checkout_table", "The specified book appears in the Checkout table."},
    {"err_checkout_invalid_checkout_exists", "The specified book has already been checked out."},
    {"err_reserved_by_another_member", "The specified book has been reserved by another member."},
    {"err_return_date_invalid", "The specified return date is invalid."},
    {"err_account_expiry_date_invalid", "The account expiry date is invalid."},
    {"err_account_balance_invalid", "The account balance is invalid."},
    {"err_member_blacklisted", "The specified member is blacklisted."},
    {"err_member_has_checkout", "The specified member has one or more checkouts."},
    {"err_member_has_reservation", "The specified member has one or more reservations."},
    {"err_reservation_invalid_not_checked_out",
     "The specified book is not checked out, and cannot be reserved."},
    {"err_checkout_exists", "The specified member has already checked out the specified book."},
    {"err_reservation_exists", "The specified member has already reserved the specified book."},
    {"err_restore_not_started",
     "The restore was not started: a restore point of the current database could not be made "
     "first. The database is unchanged."},
    {"err_restore_rolled_back", "The restore failed; the database is as it was before the restore."},
    {"err_restore_not_rolled_back",
     "The restore failed, and the database could not be brought back by itself. The database "
     "as it was before the restore is kept in the restore point %s."},
    {"err_update_other_entry",
     "The changes were not saved: the ID no longer matches the entry shown. To change "
     "another entry, look it up first."},
    {"title_admin_reports", "Reports"},
    {"caption_report_overdue", "Overdue loans"},
    {"caption_report_expiring", "Memberships expiring"},
    {"caption_report_monthly", "Loans per month"},
    {"caption_report_reserved", "Books on reserve"},
    {"caption_download_csv", "Download as CSV"},
    {"caption_columns_overdue",
     "Checkout ID|Return Date|Days Overdue|Title|Author|Member ID|Member|Contact No."},
    {"caption_columns_expiring",
     "Member ID|Surname|First Name|Contact No.|Account Expiry Date|Days Left|Open Loans"},
    {"caption_columns_monthly", "Month|Loans"},
    {"caption_columns_reserved", "Book ID|Title|Author|Reservations|Checked Out"},
    {"caption_yes", "Yes"},
    {"caption_no", "No"},
    {"desc_report_overdue",
     "Loans not yet returned whose return date has passed, oldest first. Click a row to open the loan."},
    {"desc_report_expiring",
     "Memberships that expire within the next 30 days, and expired memberships with books still out, "
     "soonest first. Click a row to open the member."},
    {"desc_report_monthly", "Books checked out in each of the last 12 months, this month included."},
    {"desc_report_reserved",
     "Books that members have reserved, with the number of members waiting and whether the book is "
     "checked out. Click a row to open the book."},
    {"msg_report_empty", "There is nothing to report."},
    {"err_cross_site",
     "This command came from another web site and was not carried out. Please use the pages of this "
     "library instead."},
    {"err_too_many_guesses",
     "Too many incorrect passwords have been entered from your computer. Please wait 10 minutes and "
     "try again."},
    {"title_staff_signin", "Staff sign-in"},
    {"title_staff_signout", "Signed out"},
    {"desc_staff_signin", "This page is for the library's staff: please sign in with the staff password."},
    {"desc_staff_signin_resend",
     "What you sent was not carried out, because this browser was not signed in (a session ends after "
     "a while without use). Sign in, then send it again."},
    {"caption_staff_password", "Staff password"},
    {"caption_sign_in", "Sign in"},
    {"msg_signed_out", "You have signed out. To come back, sign in with the staff password in the menu."},
};
}  // namespace

namespace {
constexpr int kCount = static_cast<int>(sizeof kTexts / sizeof kTexts[0]);
constexpr Order<kCount> kOrder = textOrder(kTexts);
KEYSTONE_CONSTINIT const Keystone::Permanent<SortedTexts<kCount, kTexts, kOrder>> kSorted{
    std::make_index_sequence<kCount>()};
}  // namespace

// The texts as the "eng" entry of the resource table, in key order, laid out when compiling.
KEYSTONE_CONSTINIT const Keystone::Permanent<LanguageTexts> englishTextEntry(Constant(), "eng", kSorted.value.slots, kCount);

}  // namespace Resources
}  // namespace Ambry
