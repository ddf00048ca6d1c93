// The table of the member area's form pages, and the page that shows one of them.
#include "programs/member/FormPages.h"

#include <cstdio>

#include "ambry/framework/Page.h"

namespace Patron {

namespace {

// "ISBN" reads the same in both languages and has no text of its own.
// clang-format off
const Ambry::MemberForm formPages[] = {
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

const Ambry::MemberForm& formPage(FormPageId page) {
  return formPages[page];
}

int runFormPage(const Ambry::MemberForm& form) {
  Ambry::beginPage(form.titleKey, Ambry::AREA_MEMBER, Ambry::CONTENT_HAS_HEADING);
  std::fputs(Ambry::memberFormText(form).c_str(), stdout);
  Ambry::endPage();
  return 0;
}

}  // namespace Patron
