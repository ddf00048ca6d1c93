// The book editor: the catalogue, with a scanned ISBN finding its book.
#include "programs/editors/EntryEditor.h"

int main() {
  return Editors::runEntryEditor(Editors::editorNamed("book"));
}
