// How the staff editors' entry forms show each field: widths, custom controls and extra attributes.
#include "ambry/resources/ConstantTables.h"

namespace Ambry {
namespace Resources {

namespace {
// A null parameter only makes the field's (empty) entry exist. The two date texts end in "</script"
// on purpose: the form closes every input tag with ">", which completes that end tag.
constexpr FormLine kLines[] = {
    {"blacklist", "id", nullptr, nullptr},
    {"blacklist", "memberid", nullptr, nullptr},
    {"blacklist", "addDate", nullptr, nullptr},
    {"blacklist", "reason", nullptr, nullptr},
    {"blacklist", "additional", "memberid",
     "onkeypress=\"if (!search && window.event.keyCode == 13) "
     "submitRequestForm(entryForm.memberid.value, CMD_MEMBERID_SCAN)\""},

    {"book", "id", nullptr, nullptr},
    {"book", "author", nullptr, nullptr},
    {"book", "title", nullptr, nullptr},
    {"book", "isbn", nullptr, nullptr},
    {"book", "dewey", nullptr, nullptr},
    {"book", "price", nullptr, nullptr},
    {"book", "_condition", nullptr, nullptr},
    {"book", "addDate", nullptr, nullptr},
    {"book", "custom", "_condition",
     "<select id=\"_condition\" name=\"_condition\" size=\"10\"><script language=\"JavaScript\">"
     "for (var i = 10; i >= 1; i--) document.write(\"<option value='\" + i + \"'>\" + i + "
     "(i == 1 ? \" - \" + STR_BOOKCONDITION1 : (i == 10 ? \" - \" + STR_BOOKCONDITION10 : \"\")) "
     "+ \"</option>\")</script></select>"},
    {"book", "additional", "isbn",
     "onkeypress=\"if (!search && window.event.keyCode == 13) "
     "submitRequestForm(entryForm.isbn.value, CMD_ISBN_SCAN)\""},
    {"book", "additional", "dewey", "maxlength=\"3\""},

    {"checkout", "id", nullptr, nullptr},
    {"checkout", "memberid", nullptr, nullptr},
    {"checkout", "bookid", nullptr, nullptr},
    {"checkout", "checkoutDate", nullptr, nullptr},
    {"checkout", "returnDate", "size", "15"},
    {"checkout", "inDate", nullptr, nullptr},
    {"checkout", "additional", "defaultControls",
     "document.writeln('<br><br><input type=\"button\" id=\"btnReturnBook\" value=\"' + "
     "STR_RETURNBOOK + '\" onclick=\"submitRequestForm(entryForm.id.value, CMD_CHECKIN)\" "
     "disabled=\"disabled\">')"},
    {"checkout", "additional", "returnDate",
     "onchange=\"updateEntryFormDateControls(entryForm.returnDate)\">&nbsp;"
     "<script language=\"JavaScript\">printEntryFormDateControls(entryForm.returnDate)</script"},

    {"member", "id", nullptr, nullptr},
    {"member", "password", nullptr, nullptr},
    {"member", "surname", nullptr, nullptr},
    {"member", "firstName", nullptr, nullptr},
    {"member", "address", nullptr, nullptr},
    {"member", "contactNo", nullptr, nullptr},
    {"member", "addDate", nullptr, nullptr},
    {"member", "accountExpiryDate", "size", "15"},
    {"member", "accountBalance", nullptr, nullptr},
    {"member", "additional", "id",
     "onkeypress=\"if (!search && window.event.keyCode == 13) "
     "submitRequestForm(entryForm.id.value, CMD_MEMBERID_SCAN)\""},
    {"member", "additional", "password", "type=\"password\""},
    {"member", "additional", "accountExpiryDate",
     "onchange=\"updateEntryFormDateControls(entryForm.accountExpiryDate)\">&nbsp;"
     "<script language=\"JavaScript\">printEntryFormDateControls(entryForm.accountExpiryDate)</script"},

    {"reservation", "id", nullptr, nullptr},
    {"reservation", "memberid", nullptr, nullptr},
    {"reservation", "bookid", nullptr, nullptr},
    {"reservation", "addDate", nullptr, nullptr},
};
}  // namespace

namespace {
constexpr int kLineCount = static_cast<int>(sizeof kLines / sizeof kLines[0]);
constexpr FormCounts kCounts = formCounts(kLines);
constexpr auto kPlan = formPlan<kLineCount, kCounts.tables, kCounts.fields, kCounts.parameters>(kLines);
constexpr int kTables = kCounts.tables, kFields = kCounts.fields, kParameters = kCounts.parameters;
KEYSTONE_CONSTINIT const Keystone::Permanent<FormParameters<kLineCount, kTables, kFields, kParameters, kLines, kPlan>>
    kParameterEntries{std::make_index_sequence<kParameters>()};
KEYSTONE_CONSTINIT const Keystone::Permanent<
    FormFields<kLineCount, kTables, kFields, kParameters, kLines, kPlan, kParameterEntries>>
    kFieldEntries{std::make_index_sequence<kFields>()};
KEYSTONE_CONSTINIT const Keystone::Permanent<
    FormTables<kLineCount, kTables, kFields, kParameters, kLines, kPlan, kParameterEntries, kFieldEntries>>
    kTableEntries{std::make_index_sequence<kTables>()};
}  // namespace

}  // namespace Resources

// The form descriptions, laid out when compiling.
KEYSTONE_CONSTINIT FormDescriptionTable resourceMapStringMapStringParameterMap(Keystone::Constant(),
                                                                               Resources::kTableEntries.value.slots,
                                                                               Resources::kTables);

}  // namespace Ambry
