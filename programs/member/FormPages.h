// The member area's three form pages (membership information, reservation, book search): one
// table, one row per page.
#pragma once
#include "ambry/framework/MemberForm.h"

namespace Patron {

enum FormPageId { CARD_FORM, HOLD_FORM, LOOKUP_FORM };

// The row of the form page page.
const Ambry::MemberForm& formPage(FormPageId page);

// The whole request: frame, the form, end. Returns the program's exit status.
int runFormPage(const Ambry::MemberForm& form);

}  // namespace Patron
