// Reservation form of the member area: member ID, password and the ID of the book to reserve.
#include "programs/member/FormPages.h"

int main() {
  return Patron::runFormPage(Patron::formPage("patron_hold"));
}
