// The installation's settings as compiled in; AMBRY_<KEY> variables replace them at load (Tables.cpp).
#include "ambry/resources/ConstantTables.h"

namespace Ambry {
namespace Resources {

namespace {
constexpr TextPair kSettings[] = {
    {"mysql_host", "localhost"},
    {"mysql_user", "ambry"},
    {"mysql_password", "marmots"},
    {"mysql_dbname", "ambry"},
    {"mysql_port", "3306"},
    {"color_bodybackground", "#AADFC0"},
    {"color_heading", "#FAB005"},
    {"color_highlight", "yellow"},
    {"color_interchange", "#BBBBBB"},
    // The doctype and the html element come before the header, which the page's language opens
    // (Page.cpp); the viewport lets phones lay the pages out at their own width.
    {"header",
     "<head>\n<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
     "<link rel=\"stylesheet\" type=\"text/css\" href=\"/data/style.css\">\n"
     "<script language=\"JavaScript\" src=\"/data/%s_resource.js\"></script>\n"
     "<script language=\"JavaScript\" src=\"/data/ambry.js\"></script>\n"
     "%s<script language=\"JavaScript\">\n   script_name = \"%s\"\n   area = %d\n</script>\n"},
    // The title bar follows (Page.cpp), then the menu's nav and the main content.
    {"body_start",
     "</head>\n<body onload=\"onLoadHandler();\" onscroll=\"onScrollHandler()\">\n"
     "<header class=\"titlebar\">\n"},
    {"footer", "</main>\n</body>\n</html>"},
    {"admin_password", "marmots"},
    {"default_language", "afr"},
    {"supported_languages", "afr,eng"},
    {"path_backup", "../../db_backup/"},
    {"path_data", "../data/"},
    {"file_autovault", "autovault.exe"},
    {"file_counter", "counter.txt"},
    {"file_entryform", "entryform.js"},
    // The MySQL command-line tools where this platform installs them.
    {"file_mysql", "/usr/bin/mysql"},
    {"file_mysqldump", "/usr/bin/mysqldump"},
    {"timezone", "7200"},
    // The site's private folder: the tools' account file while a backup or restore runs.
    {"path_private", "../../private/"},
    // Failed password checks a client address may make in ten minutes: the next one is held off.
    {"throttle_limit", "10"},
    // The safety points (made before a restore) and the automatic restore points kept: once a new
    // one is complete, the oldest beyond these counts are removed. Others are never removed.
    {"keep_safety_points", "10"},
    {"keep_automatic_points", "30"},
    // The library's currency: its ISO 4217 code, then the signs a catalogue record may write
    // before a price in it (blank-separated). Prices in any other currency are not imported.
    {"currency", "ZAR R"},
    // The shared catalogue that copy cataloguing asks for a new book's details: a Z39.50
    // "host:port/database" or an SRU base URL, optionally followed by ZOOM options
    // ("preferredRecordSyntax=xml elementSetName=F"). None when empty: the book editor then
    // offers no "Fetch details".
    {"catalogue_target", ""},
    // A staff session ends after this many minutes without a request, or this many hours after
    // signing in.
    {"session_idle_minutes", "60"},
    {"session_hours", "12"},
};
}  // namespace

namespace {
constexpr int kCount = static_cast<int>(sizeof kSettings / sizeof kSettings[0]);
constexpr Order<kCount> kOrder = textOrder(kSettings);
KEYSTONE_CONSTINIT const Keystone::Permanent<SortedTexts<kCount, kSettings, kOrder>> kSorted{
    std::make_index_sequence<kCount>()};
}  // namespace

// The settings as compiled in, in key order, laid out when compiling; never changed.
KEYSTONE_CONSTINIT const PropertyTable compiledSettings(Constant(), kSorted.value.slots, kCount);

}  // namespace Resources

// The library's settings: the compiled-in ones until a variable replaces one at load.
KEYSTONE_CONSTINIT PropertyTable property(Keystone::Constant(), Resources::kSorted.value.slots, Resources::kCount);

}  // namespace Ambry
