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
    {"err_entry_gone",
     "Die veranderinge is nie gestoor nie: die inskrywing bestaan nie meer nie (dit is uitgewis nadat "
     "hierdie blad dit gewys het). Voeg dit as 'n nuwe inskrywing by om te hou wat ingetik is."},
    {"err_character_not_stored",
     "Nie gestoor nie: die veld %s bevat 'n karakter wat nie gestoor kan word nie (slegs die letters "
     "en tekens van Wes-Europese tale kan). Verander dit asseblief en probeer weer."},
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
    {"caption_safety_point", "veiligheidspunt"},
    {"msg_confirm_restore_point", "Rugsteun punt wat die databasis sal vervang: "},
    {"err_backup_no_room",
     "Die rugsteun punt is nie geskep nie: die rugsteun vouer het minder vrye spasie as wat die "
     "laaste rugsteun punt beslaan. Maak eers daar plek. Die databasis is onveranderd."},
    {"title_admin_catalogue", "Katalogus: invoer en uitvoer"},
    {"caption_catalogue_import", "Voer boeke uit 'n l\xEA" "er in"},
    {"desc_catalogue_import",
     "MARC21-rekords (ISO 2709 of MARCXML) uit 'n ander biblioteekstelsel, of 'n sigblad wat as CSV "
     "gestoor is met 'n opskrifry wat sy kolomme benoem (outeur, titel, isbn, dewey, prys, toestand, in "
     "Afrikaans of Engels). Niks word bygevoeg voordat u gesien het wat met elke rekord gaan gebeur nie."},
    {"caption_catalogue_file", "L\xEA" "er (hoogstens 20 MB):"},
    {"caption_catalogue_preview", "Wys wat ingevoer sal word"},
    {"caption_catalogue_export", "Voer die katalogus uit"},
    {"desc_catalogue_export",
     "Elke boek in die katalogus, elke eksemplaar ingesluit, as 'n l\xEA" "er wat hierdie blad en ander "
     "biblioteekstelsels kan lees."},
    {"caption_export_marcxml", "MARCXML"},
    {"caption_export_marc", "MARC21 (ISO 2709, UTF-8)"},
    {"caption_export_csv", "CSV vir 'n sigblad"},
    {"caption_import_preview", "Voorskou van die l\xEA" "er %s"},
    {"msg_import_counts", "Rekords gelees: %d. Word bygevoeg: %d, waarvan %d met opmerkings. Oorgeslaan: %d."},
    {"caption_import_first_rows", "Die eerste boeke, soos hulle gestoor sal word:"},
    {"caption_import_columns", "Rekord|Outeur|Titel|ISBN|Dewey|Prys|Toestand"},
    {"caption_import_chosen_condition", "soos hieronder gekies"},
    {"caption_import_remarks", "Opmerkings:"},
    {"caption_import_remark_columns", "Rekord|Veld|Opmerking"},
    {"msg_import_more_remarks", "Nog %d opmerkings word nie gewys nie."},
    {"caption_import_duplicates", "Boeke waarvan die ISBN reeds in die katalogus is:"},
    {"caption_import_add_copies", "voeg hulle by as verdere eksemplare"},
    {"caption_import_skip_copies", "slaan hulle oor"},
    {"caption_import_condition",
     "Toestand van die boeke waarvoor die l\xEA" "er geen toestand gee nie (10 soos nuut, 1 swak):"},
    {"caption_import_confirm", "Voeg die boeke by die katalogus"},
    {"caption_import_cancel", "Kanselleer en verwyder die l\xEA" "er"},
    {"note_no_title", "Geen titel nie: die rekord word oorgeslaan."},
    {"note_unreadable", "Die rekord kan nie gelees word nie: dit word oorgeslaan."},
    {"note_default_author", "Geen outeur nie: \"%s\" word gestoor."},
    {"note_default_isbn", "Geen ISBN nie: \"%s\" word gestoor."},
    {"note_default_dewey", "Geen Dewey-nommer nie: %s word gestoor."},
    {"note_default_price", "Geen prys nie: %s word gestoor."},
    {"note_invalid_isbn",
     "%s is nie 'n geldige ISBN nie (lengte of kontrolesyfer): dit word gestoor soos dit geskryf is."},
    {"note_unknown_dewey", "%s is nie 'n Dewey-nommer in die biblioteek se tabel nie: %s word gestoor."},
    {"note_other_currency", "Die prys %s is nie in die biblioteek se geldeenheid (%s) nie: %s word gestoor."},
    {"note_bad_price", "%s is nie 'n prys nie: %s word gestoor."},
    {"note_bad_condition",
     "%s is nie 'n toestand van 1 tot 10 nie: die toestand wat hieronder gekies word, word gestoor."},
    {"note_unwritable",
     "Die letter %s kan nie in die katalogus se karakterstel geskryf word nie: 'n ? staan in sy plek."},
    {"note_undecodable",
     "Sommige grepe is nie letters van die rekord se karakterstel nie: 'n ? staan in hul plek."},
    {"note_isbn_in_catalogue",
     "Die ISBN %s is reeds in die katalogus, of vroe\xEBr in hierdie l\xEA" "er: die boek word as 'n verdere "
     "eksemplaar bygevoeg of oorgeslaan, soos hieronder gekies."},
    {"msg_import_done",
     "Boeke by die katalogus gevoeg: %d. Rekords oorgeslaan: %d. Die katalogus soos dit voor die invoer "
     "was, word in 'n rugsteun punt bewaar."},
    {"msg_import_nothing", "Geen boek uit die l\xEA" "er hoef bygevoeg te word nie; die katalogus is onveranderd."},
    {"msg_import_cancelled", "Die invoer is gekanselleer en die l\xEA" "er verwyder."},
    {"err_import_unrecognised",
     "Die l\xEA" "er is nie MARC21 (ISO 2709 of MARCXML) nie, en ook nie CSV met 'n titelkolom nie. Niks is "
     "ingevoer nie."},
    {"err_import_leader",
     "Rekord %d (vanaf greep %d) het nie 'n geldige MARC21-leier nie: sy lengtes, getalle of basisadres "
     "is verkeerd. Die hele l\xEA" "er word geweier; niks is ingevoer nie."},
    {"err_import_directory",
     "Rekord %d (vanaf greep %d) se gids is stukkend: 'n inskrywing is misvorm of wys buite die rekord. "
     "Die hele l\xEA" "er word geweier; niks is ingevoer nie."},
    {"err_import_terminator",
     "Rekord %d (vanaf greep %d) eindig nie met die rekordafsluiter (1D) nie. Die hele l\xEA" "er word "
     "geweier; niks is ingevoer nie."},
    {"err_import_truncated",
     "Die l\xEA" "er eindig binne-in rekord %d (vanaf greep %d). Die hele l\xEA" "er word geweier; niks is "
     "ingevoer nie."},
    {"err_import_xml",
     "Die MARCXML-l\xEA" "er is nie goed gevormde XML nie, naby rekord %d (re\xEBl %d). Die hele l\xEA" "er word "
     "geweier; niks is ingevoer nie."},
    {"err_import_csv_quote",
     "'n Sel tussen aanhalingstekens wat in ry %d van die CSV-l\xEA" "er begin, word nooit gesluit nie. Die "
     "hele l\xEA" "er word geweier; niks is ingevoer nie."},
    {"err_import_empty", "Die l\xEA" "er bevat geen rekords nie. Niks is ingevoer nie."},
    {"err_import_no_file", "Kies eers 'n l\xEA" "er om in te voer."},
    {"err_import_too_large", "Die l\xEA" "er is groter as 20 MB en is nie gelees nie. Verdeel dit in kleiner l\xEA" "ers."},
    {"err_import_gone",
     "Die l\xEA" "er van daardie voorskou word nie meer gehou nie: dit word 'n uur na die voorskou verwyder, "
     "en sodra dit ingevoer is. Kies dit weer."},
    {"err_import_not_held",
     "Die l\xEA" "er kon nie vir die invoer gehou word nie (die webwerf se privaat gids kan nie geskryf word "
     "nie). Niks is ingevoer nie."},
    {"err_import_no_safety_point",
     "'n Rugsteun punt van die katalogus kon nie eers geskep word nie, dus is niks ingevoer nie."},
    {"err_import_failed", "Die invoer het nie deurgegaan nie; die katalogus is onveranderd."},
    {"msg_fetch_filled",
     "Besonderhede is uit die gedeelde katalogus ingevul. Kontroleer hulle en voeg dan die boek by."},
    {"msg_fetch_other_currency",
     "Die rekord se prys (%s) is nie in die biblioteek se geldeenheid nie: die prys is gelaat soos dit was."},
    {"msg_fetch_unknown_dewey",
     "Die rekord se Dewey-nommer %s is nie in die biblioteek se tabel nie: die Dewey-veld is gelaat soos "
     "dit was."},
    {"err_fetch_not_set_up", "Geen gedeelde katalogus is vir hierdie biblioteek opgestel nie."},
    {"err_fetch_no_isbn", "Tik of skandeer eers die boek se ISBN."},
    {"err_fetch_invalid_isbn", "%s is nie 'n geldige ISBN nie: kontroleer die nommer."},
    {"err_fetch_in_catalogue",
     "'n Boek met hierdie ISBN is reeds in die katalogus (boek ID %s): skandeer die ISBN om dit oop te maak."},
    {"err_fetch_no_record", "Die gedeelde katalogus het geen rekord vir hierdie ISBN nie. Niks is verander nie."},
    {"err_fetch_timeout",
     "Die gedeelde katalogus het nie binne 5 sekondes geantwoord nie. Niks is verander nie; probeer later "
     "weer."},
    {"err_fetch_unreachable", "Die gedeelde katalogus kan nie bereik word nie. Niks is verander nie."},
    {"err_fetch_refused", "Die gedeelde katalogus het met 'n fout geantwoord: %s. Niks is verander nie."},
    {"err_fetch_unusable", "Die gedeelde katalogus se rekord kan nie gelees word nie. Niks is verander nie."},
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
