// Book search form of the member area: author, title and ISBN.
#include "programs/member/FormPages.h"

int main() {
  return Patron::runFormPage(Patron::formPage("patron_lookup"));
}
