// The blacklist editor: members barred from borrowing, found also by a scanned member id.
#include "programs/editors/EntryEditor.h"

int main() {
  return Editors::runEntryEditor(Editors::editorNamed("blacklist"));
}
