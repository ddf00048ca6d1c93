// Membership information form of the member area: member ID and password.
#include "programs/member/FormPages.h"

int main() {
  return Patron::runFormPage(Patron::formPage("patron_card"));
}
