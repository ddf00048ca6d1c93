// The checkout editor: loans, with check-in; a deleted or jumped-to loan shows even when returned.
#include "programs/editors/EntryEditor.h"

int main() {
  return Editors::runEntryEditor(Editors::editorNamed("checkout"));
}
