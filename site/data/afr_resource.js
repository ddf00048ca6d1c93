// Afrikaans texts of the site scripts, menus and entry form buttons (Windows-1252 letters as \x escapes).
var STR_LANGUAGE = "afr";
var STR_OTHER_LANGUAGE = "eng";
var STR_OTHER_LANGUAGE_NAME = "English";

var STR_BOOKCONDITION1 = "Swak";
var STR_BOOKCONDITION10 = "Soos nuut";
var STR_RETURNBOOK = "Boek terugbesorg";

var STR_FIRST = "|< Eerste";
var STR_PREVIOUS = "< Vorige";
var STR_NEXT = "Volgende >";
var STR_NEW = "Nuut";
var STR_INSERT = "Voeg by as nuwe inskrywing";
var STR_UPDATE = "Stoor veranderinge";
var STR_DELETE = "Vee uit";
var STR_SEARCHMODE = "Soek...";
var STR_SEARCH = "Soek";
var STR_CANCELSEARCH = "Terug na die inskrywings";
var STR_CONFIRMDELETE = "Vee hierdie inskrywing vir altyd uit?";
var STR_SEARCHHINT = "Vul enige velde in om op te soek, en druk dan Soek.";

var STR_MENU_HOME = "Tuisblad";
var STR_MENU_MEMBER = "Lidmaat area";
var STR_MENU_MORE = "Oor die biblioteek";
var STR_MENU_LOOKUP = "Soek-'n-boek";
var STR_MENU_CARD = "Lidmaatskap inligting";
var STR_MENU_HOLD = "Reserveer 'n boek";
var STR_MENU_STAFF = "Personeel";
var STR_MENU_STAFFHOME = "Personeel tuisblad";
var STR_MENU_BOOKS = "Boeke";
var STR_MENU_MEMBERS = "Lede";
var STR_MENU_CHECKOUTS = "Uitnames";
var STR_MENU_RESERVATIONS = "Reserverings";
var STR_MENU_BLACKLIST = "Swartlys";
var STR_MENU_PANEL = "Beheer paneel";
var STR_MENU_REPORTS = "Verslae";
var STR_MENU_CATALOGUE = "Invoer en uitvoer";
var STR_MENU_PUBLIC = "Publieke blaaie";
var STR_MENU_LIBRARY = "Die biblioteek";
var STR_STAFF_PASSWORD = "Personeel wagwoord:";
var STR_STAFF_SIGNIN = "Teken in";
var STR_STAFF_SIGNOUT = "Teken uit";
var STR_TOP = "Terug na bo";
var STR_CONFIRMCHECKIN = "Moet boek {book}, uitgeleen aan lid {member}, as terugbesorg aangeteken word?";
var STR_FETCH = "Haal besonderhede";
var STR_FETCHING = "Vra die gedeelde katalogus...";
var STR_FETCH_FAILED = "Die gedeelde katalogus kon nie gevra word nie. Niks is verander nie.";
