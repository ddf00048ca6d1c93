// The member area's three form pages (membership information, reservation, book search): one
// table, one row per page.
#pragma once
#include "programs/member/MemberForm.h"

namespace Patron {

// The row of the form that is sent to program ("patron_card"); a name no row has is a mistake of
// the program's and throws.
const MemberForm& formPage(const char* program);

// The whole request: frame, the form, end. Returns the program's exit status.
int runFormPage(const MemberForm& form);

}  // namespace Patron
