// The member editor: the register of members, whose ids staff type or scan.
#include "programs/editors/EntryEditor.h"

int main() {
  return Editors::runEntryEditor(Editors::editorNamed("member"));
}
