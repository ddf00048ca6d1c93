// Afrikaans page texts, messages and error texts; \xEA is the Windows-1252 byte of e-circumflex.
#include "ambry/resources/ConstantTables.h"

namespace Ambry {
namespace Resources {

namespace {
constexpr TextPair kTexts[] = {
    {"library_name", "Ashgrove Biblioteek"},
    {"visiting_time", "Besoektyd"},
    {"title_admin_area", "Administrasie area tuisblad"},
    {"title_admin_blacklist", "Swartlys"},
    {"title_admin_book", "Boeke"},
    {"title_admin_checkout", "Uitnames"},
    {"title_admin_member", "Lede"},
    {"title_admin_panel", "Beheer Paneel"},
    {"title_admin_reservation", "Reserverings"},
    {"title_member_area", "Lidmaat area tuisblad"},
    {"title_patron_card", "Lidmaatskap inligting"},
    {"title_patron_card_results", "Lidmaatskap inligting resultate"},
    {"title_patron_hold", "Reserveer"},
    {"title_patron_hold_results", "Reservering resultate"},
    {"title_patron_lookup", "Soek-'n-boek"},
    {"title_patron_lookup_results", "Soek resultate"},
    {"title_more_area", "Meer area tuisblad"},
    {"title_more_community", "Gemeenskapsbetrokkenheid"},
    {"title_more_contact", "Kontak ons"},
    {"title_more_history", "Biblioteek geskiedenis"},
    {"title_more_personnel", "Personeel"},
    {"content_index",
     "Welkom by die Biblioteek!<br>\n<hr>\n<br>%s is 'n moderne instelling met een "
     "kerndoel; die algehele opvoeding van die algehele gemeenskap. Die instelling se "
     "invloed ken geen perke, en reik verby artifisi&#235;le grense. Uitvloeisels van "
     "hierdie drywende ideologie kom jaarliks prominent tot voorskou met verskeie "
     "bedrywighede.<br><br>\nU is besoeker no. %d sedert 11 Oktober "
     "2005.<br>\n<small>Pages by Ambry, the lending system of Ashgrove Library.</small>\n"},
    {"content_admin_area",
     "<h1>Administrasie area tuisblad:</h1>\nHierdie gedeelte van die webblad word "
     "gebruik on Ambry administrasie uit te voer.\n"},
    {"content_member_area",
     "<h1>Lidmaat area tuisblad:</h1>\nBiblioteek lede kan van hieraf boek soektogte "
     "loods, boeke reserveer, en hul lidmaatskap inligting opdateer.\n"},
    {"content_more_area",
     "<h1>Meer oor die biblioteek:</h1>\nHierdie gedeelte van die webblad bevat inligting "
     "oor die bestaan van die biblioteek.\n"},
    {"content_title_patron_card", "Lidmaat besonderhede"},
    {"content_title_checkout_info", "Uitname besonderhede"},
    {"content_title_reservation_info", "Reserverings besonderhede"},
    {"content_title_search_results", "Soek resultate:<br><br>\n"},
    {"content_title_end_results", "Einde van resultate."},
    {"caption_reset", "Terug na verstek waardes"},
    {"caption_retrieve_info", "Kry inligting!"},
    {"caption_search", "Soek"},
    {"caption_backup_database", "Neem databasis rugsteun"},
    {"caption_restore_database_backup", "Herroep databasis rugsteun"},
    {"caption_activate_autovault", "Aktiveer outo rugsteun"},
    {"caption_update_autovault_settings", "Verstel opsies"},
    {"caption_field_author", "Outeur"},
    {"caption_field_title", "Titel"},
    {"caption_field_memberid", "Lid ID"},
    {"caption_field_password", "Wagwoord"},
    {"caption_field_bookid", "Boek ID"},
    {"caption_field_hour", "Uur"},
    {"caption_field_day", "Dag"},
    {"caption_field_week", "Week"},
    {"caption_field_month", "Maand"},
    {"caption_field_year", "Jaar"},
    {"desc_request_search_info", "Vul asb. u soektog kriteria in, waar beskikbaar:<br><br>\n"},
    {"desc_request_patron_card", "Vul asb. u besonderhede in:<br><br>\n"},
    {"desc_restore_database_backup",
     "Herroep 'n voorafgaande rugsteun punt<br><br>Kies rugsteun punt:<br><br>"},
    {"desc_backup_database", "Skep 'n rugsteun punt van die databasis"},
    {"desc_activate_autovault",
     "Hardloop die outomatiese databasis rugsteun program om periodiese rugsteun punte "
     "van die databasis te neem"},
    {"desc_update_autovault_settings0",
     "Verstel outomatiese rugsteun opsies<br><br>\nNeem outomatiese rugsteun punte "
     "eenmaal elke:<br><br>"},
    {"desc_update_autovault_settings1", "Tydstip in dag om rugsteun te neem:"},
    {"msg_confirm_restore_database_backup",
     "Druk OK om die Ambry databasis te herroep na die gekose rugsteun punt. Let wel dat "
     "alle ongestoorde veranderinge verlore sal gaan."},
    {"msg_member_blacklisted",
     "U Lid ID verskyn op die swartlys. Kontak asb. die biblioteek om korrektiewe stappe "
     "te neem."},
    {"msg_member_not_blacklisted",
     "U Lid ID verskyn nie op die swartlys nie. U kan biblioteek-fasiliteite benut sonder "
     "enige perke."},
    {"msg_query_successful",
     "U navraag was suksesvol geprosesseer. Kontak asb. die webmeester indien u enige "
     "probleme ondervind.<br>\n"},
    {"msg_under_construction", "Hierdie gedeelte van die webtuiste is tans onder konstruksie."},
    {"msg_backup_successful", "Rugsteun suksesvol voltooi."},
    {"msg_restore_successful", "Rugsteun suksesvol herroep."},
    {"msg_activate_successful", "Program suksesvol geloods."},
    {"msg_already_running", "Die program is alreeds besig om uit te voer."},
    {"msg_settings_update_successful", "Die aanpassings was suksesvol gemaak."},
    {"msg_no_prev_entry", "Daar is geen inskrywing voor hierdie een nie."},
    {"msg_no_next_entry", "Daar is geen inskrywing na hierdie een nie."},
    {"msg_entry_added", "Nuwe inskrywing geskep."},
    {"msg_entry_updated", "Inskrywing opgedateer."},
    {"msg_entry_deleted", "Inskrywing uitgewis."},
    {"msg_book_returned", "Boek teruggekeer."},
    {"err_counter_init",
     "Fout in Counter::init(): Fout met inlees van besoekertal l\xEA"
     "er<br>\n"},
    {"err_getcounter", "Fout in Counter::get(): !counterInitYet<br>\n"},
    {"err_inccounter", "Fout in Counter::inc(%d): !counterInitYet<br>\n"},
    {"err_counterflush_init", "Fout in Counter::flush(): !counterInitYet<br>\n"},
    {"err_counterflush_output_file",
     "Fout in Counter::flush(): I/O fout met stoor van datal\xEA"
     "er<br>\n"},
    {"err_setlanguage", "Fout in setLanguage(\"%s\"): Ongeldige taal gegee<br>\n"},
    {"err_getparam", "Fout in getParam(\"%s\", \"%s\"): Argument nie gevind<br>\n"},
    {"err_getresource", "Fout in getResource: Bron \"%s\" nie gevind<br>\n"},
    {"err_getresource_array", "Fout in getResourceArray: Bron \"%s\" nie gevind<br>\n"},
    {"err_getresource_mapstringparametermap",
     "Fout in getResourceMapStringParameterMap: Bron \"%s\"nie gevind<br>\n"},
    {"err_getproperty", "Fout in getProperty: Bron \"%s\" nie gevind<br>\n"},
    {"err_query_unsuccessful", "U navraag was onsuksesvol."},
    {"err_query_unsuccessful_reason", "U navraag was onsuksesvol: %s"},
    {"err_query_unsuccessful_try_again", "U navraag was onsuksesvol; probeer gerus weer."},
    {"err_info_invalid", "Bevestig asb. die geldigheid van u inligting, en probeer dan weer."},
    {"err_info_not_supplied_try_again", "Die nodige inligting was nie verskaf nie; probeer gerus weer."},
    {"err_admin_area",
     "<script language=\"JavaScript\">\n   alert(\"Die wagwoord was ongeldig. Probeer "
     "asb. weer.\")\n   go(\"index.exe\")\n</script>\nU word terugbesorg na die tuisblad."},
    {"err_patron_lookup_ui", "Gebruik asb. die soekenjin gebruikers-koppelvlak om soektogte te loods."},
    {"err_patron_card_ui", "Gebruik asb. die gebruikers-koppelvlak om u inligting te verkry."},
    {"err_patron_hold_ui", "Gebruik asb. die reserveringsblad om reserverings te maak."},
    {"err_patron_hold_invalid", "Die boek wat u wil reserveer bestaan nie; probeer gerus weer."},
    {"err_patron_hold_exists", "U het alreeds hierdie boek gereserveer."},
    {"err_fatal", "Prosessering was onsuksesvol weens 'n ernstige fout."},
    {"err_fatal_reason", "Prosessering was onsuksesvol weens 'n ernstige fout: %s"},
    {"err_id_not_exist", "ID no. %s bestaan nie."},
    {"err_err_in", "Fout in"},
    {"err_info_not_supplied", "Die nodige inligting was nie verskaf nie."},
    {"err_connect_failed", "Konneksie aan databasis onsuksesvol"},
    {"err_no_additional_info", "Geen verdere inligting."},
    {"err_inappropriate_query", "Ongeldige navraag"},
    {"err_book_not_exist", "Die gegewe Boek ID bestaan nie."},
    {"err_member_not_exist", "Die gegewe Lid ID bestaan nie."},
    {"err_reservation_prohibited", "Die gegewe lid is verbied om boeke te reserveer."},
    {"err_checkout_prohibited", "Die gegewe lid is verbied om uitnames te maak."},
    {"err_account_expired", "Die rekening van die gegewe lid het verval."},
    {"err_blacklisting_exists", "Die gegewe lid is alreeds geswartlys."},
    {"err_dewey_invalid", "Die gegewe Dewey Desimale Kode is ongeldig."},
    {"err_book_reservation_exists", "Die gegewe boek is gereserveer."},
    {"err_book_in_checkout_table", "Die gegewe boek kom voor in die Uitname tabel."},
    {"err_checkout_invalid_checkout_exists", "Die gegewe boek is alreeds uitgeneem."},
    {"err_reserved_by_another_member", "Die gegewe boek is deur 'n ander lid gereserveer."},
    {"err_return_date_invalid", "Die gegewe gestipuleerde terugbesorgingsdatum is ongeldig."},
    {"err_account_expiry_date_invalid", "Die gegewe rekening se vervaldatum is ongeldig."},
    {"err_account_balance_invalid", "Die gegewe rekening balans is ongeldig."},
    {"err_member_blacklisted", "Die gegewe lid is geswartlys."},
    {"err_member_has_checkout", "Die gegewe lid het een of meer uitnames."},
    {"err_member_has_reservation", "Die gegewe lid het een of meer reserverings."},
    {"err_reservation_invalid_not_checked_out",
     "Die gegewe boek is nie uitgeneem nie, en kan dus nie gereserveer word nie."},
    {"err_checkout_exists", "Die gegewe lid het alreeeds die gegewe boek uitgeneem."},
    {"err_reservation_exists", "Die gegewe lid het alreeds die gegewe boek gereserveer."},
    {"err_restore_not_started",
     "Die herroeping is nie begin nie: 'n rugsteun punt van die huidige databasis kon nie "
     "eers geskep word nie. Die databasis is onveranderd."},
    {"err_restore_rolled_back",
     "Die herroeping het misluk; die databasis is soos dit voor die herroeping was."},
    {"err_restore_not_rolled_back",
     "Die herroeping het misluk, en die databasis kon nie vanself teruggestel word nie. Die "
     "databasis soos dit voor die herroeping was, is bewaar in die rugsteun punt %s."},
    {"err_update_other_entry",
     "Die veranderinge is nie gestoor nie: die ID stem nie meer ooreen met die inskrywing "
     "wat gewys word nie. Soek eers die ander inskrywing op om dit te verander."},
    {"title_admin_reports", "Verslae"},
    {"caption_report_overdue", "Agterstallige uitnames"},
    {"caption_report_expiring", "Lidmaatskappe wat verval"},
    {"caption_report_monthly", "Uitnames per maand"},
    {"caption_report_reserved", "Gereserveerde boeke"},
    {"caption_download_csv", "Laai af as CSV"},
    {"caption_columns_overdue",
     "Uitname ID|Terugbesorgingsdatum|Dae agterstallig|Titel|Outeur|Lid ID|Lid|Kontak No."},
    {"caption_columns_expiring", "Lid ID|Van|Naam|Kontak No.|Vervaldatum|Dae oor|Boeke uit"},
    {"caption_columns_monthly", "Maand|Uitnames"},
    {"caption_columns_reserved", "Boek ID|Titel|Outeur|Reserverings|Uitgeneem"},
    {"caption_yes", "Ja"},
    {"caption_no", "Nee"},
    {"desc_report_overdue",
     "Uitnames wat nog nie terugbesorg is nie en waarvan die terugbesorgingsdatum verby is, die oudste "
     "eerste. Klik op 'n ry om die uitname oop te maak."},
    {"desc_report_expiring",
     "Lidmaatskappe wat binne die volgende 30 dae verval, en vervalde lidmaatskappe met boeke wat nog "
     "uit is, die vroegste eerste. Klik op 'n ry om die lid oop te maak."},
    {"desc_report_monthly", "Boeke uitgeneem in elk van die afgelope 12 maande, hierdie maand ingesluit."},
    {"desc_report_reserved",
     "Boeke wat lede gereserveer het, met die aantal lede wat wag en of die boek uitgeneem is. Klik op "
     "'n ry om die boek oop te maak."},
    {"msg_report_empty", "Daar is niks om te rapporteer nie."},
    {"err_cross_site",
     "Hierdie opdrag het van 'n ander webwerf af gekom en is nie uitgevoer nie. Gebruik asb. die "
     "biblioteek se eie bladsye."},
    {"err_too_many_guesses",
     "Te veel verkeerde wagwoorde is van u rekenaar af ingesleutel. Wag asb. 10 minute en probeer "
     "dan weer."},
    {"title_staff_signin", "Personeel inteken"},
    {"title_staff_signout", "Afgeteken"},
    {"desc_staff_signin",
     "Hierdie bladsy is vir die biblioteek se personeel: teken asb. in met die personeel wagwoord."},
    {"desc_staff_signin_resend",
     "Wat u gestuur het, is nie uitgevoer nie, omdat hierdie blaaier nie aangeteken was nie ('n sessie "
     "verval na 'n ruk sonder gebruik). Teken in en stuur dit dan weer."},
    {"caption_staff_password", "Personeel wagwoord"},
    {"caption_sign_in", "Teken in"},
    {"msg_signed_out", "U het afgeteken. Teken weer in met die personeel wagwoord in die spyskaart om terug te kom."},
};
}  // namespace

namespace {
constexpr int kCount = static_cast<int>(sizeof kTexts / sizeof kTexts[0]);
constexpr Order<kCount> kOrder = textOrder(kTexts);
KEYSTONE_CONSTINIT const Keystone::Permanent<SortedTexts<kCount, kTexts, kOrder>> kSorted{
    std::make_index_sequence<kCount>()};
}  // namespace

// The texts as the "afr" entry of the resource table, in key order, laid out when compiling.
KEYSTONE_CONSTINIT const Keystone::Permanent<LanguageTexts> afrikaansTextEntry(Constant(), "afr", kSorted.value.slots, kCount);

}  // namespace Resources
}  // namespace Ambry
