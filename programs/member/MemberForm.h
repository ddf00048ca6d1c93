// The member area's input forms (reserve, membership information, book search): one template.
#pragma once
#include <vector>

#include "keystone/Keystone"

namespace Patron {

// One row of a member form: the input's name and id, its type, and the resource key of its
// caption (or, when captionKey is null, the fixed caption).
struct MemberFormField {
  const char* name;
  const char* inputType;
  const char* captionKey;
  const char* fixedCaption;
};

// One member form: also the title of the page that shows it.
struct MemberForm {
  const char* program;         // the program that receives the form, without ".exe"
  const char* titleKey;        // page title and heading, in the current language
  const char* descriptionKey;  // text above the fields
  const char* submitKey;       // caption of the submit button ...
  const char* submitSuffix;    // ... followed by this
  std::vector<MemberFormField> fields;
};

// The whole text of the form, from its heading to the reset button. The form element is left
// open: the page footer closes the layout around it.
Keystone::String memberFormText(const MemberForm& form);

}  // namespace Patron
