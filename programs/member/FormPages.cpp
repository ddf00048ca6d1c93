// The table of the member area's form pages, and the page that shows one of them.
#include "programs/member/FormPages.h"

#include <cstdio>
#include <cstring>

#include "ambry/framework/Page.h"

namespace Patron {

namespace {

// "ISBN" reads the same in both languages and has no text of its own.
// clang-format off
const MemberForm formPages[] = {
    {"patron_card", "title_patron_card", "desc_request_patron_card", "caption_retrieve_info", "",
     {{"memberid", "text", "caption_field_memberid", nullptr},
      {"password", "password", "caption_field_password", nullptr}}},
    {"patron_hold", "title_patron_hold", "desc_request_patron_card", "title_patron_hold", "!",
     {{"memberid", "text", "caption_field_memberid", nullptr},
      {"password", "password", "caption_field_password", nullptr},
      {"bookid", "text", "caption_field_bookid", nullptr}}},
    {"patron_lookup", "title_patron_lookup", "desc_request_search_info", "caption_search", "!",
     {{"author", "text", "caption_field_author", nullptr},
      {"title", "text", "caption_field_title", nullptr},
      {"isbn", "text", nullptr, "ISBN"}}},
};
// clang-format on

}  // namespace

const MemberForm& formPage(const char* program) {
  for (const MemberForm& form : formPages)
    if (std::strcmp(form.program, program) == 0) return form;
  throw Keystone::Exception(Keystone::String("Error in formPage(\"") + program + "\"): no such form");
}

int runFormPage(const MemberForm& form) {
  Ambry::beginPage(form.titleKey, Ambry::AREA_MEMBER, Ambry::CONTENT_HAS_HEADING);
  std::fputs(memberFormText(form).c_str(), stdout);
  Ambry::endPage();
  return 0;
}

}  // namespace Patron
