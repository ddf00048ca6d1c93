// English texts of the site scripts, menus and entry form buttons.
var STR_LANGUAGE = "eng";
var STR_OTHER_LANGUAGE = "afr";
var STR_OTHER_LANGUAGE_NAME = "Afrikaans";

var STR_BOOKCONDITION1 = "Poor";
var STR_BOOKCONDITION10 = "As new";
var STR_RETURNBOOK = "Check in this book";

var STR_FIRST = "|< First";
var STR_PREVIOUS = "< Previous";
var STR_NEXT = "Next >";
var STR_NEW = "New";
var STR_INSERT = "Add as new entry";
var STR_UPDATE = "Save changes";
var STR_DELETE = "Delete";
var STR_SEARCHMODE = "Find...";
var STR_SEARCH = "Search";
var STR_CANCELSEARCH = "Back to the entries";
var STR_CONFIRMDELETE = "Delete this entry for good?";
var STR_SEARCHHINT = "Fill in any fields to search by, then press Search.";

var STR_MENU_HOME = "Home";
var STR_MENU_MEMBER = "Member area";
var STR_MENU_MORE = "About the library";
var STR_MENU_LOOKUP = "Book search";
var STR_MENU_CARD = "Membership information";
var STR_MENU_HOLD = "Reserve a book";
var STR_MENU_STAFF = "Staff";
var STR_MENU_STAFFHOME = "Staff home";
var STR_MENU_BOOKS = "Books";
var STR_MENU_MEMBERS = "Members";
var STR_MENU_CHECKOUTS = "Checkouts";
var STR_MENU_RESERVATIONS = "Reservations";
var STR_MENU_BLACKLIST = "Blacklist";
var STR_MENU_PANEL = "Control panel";
var STR_MENU_REPORTS = "Reports";
var STR_MENU_CATALOGUE = "Import and export";
var STR_MENU_PUBLIC = "Public pages";
var STR_MENU_LIBRARY = "The library";
var STR_STAFF_PASSWORD = "Staff password:";
var STR_STAFF_SIGNIN = "Sign in";
var STR_STAFF_SIGNOUT = "Sign out";
var STR_TOP = "Back to top";
var STR_CONFIRMCHECKIN = "Check in book {book}, lent to member {member}?";
var STR_FETCH = "Fetch details";
var STR_FETCHING = "Asking the shared catalogue...";
var STR_FETCH_FAILED = "The shared catalogue could not be asked. Nothing was changed.";
