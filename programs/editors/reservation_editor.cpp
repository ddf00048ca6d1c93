// The reservation editor: members' claims on books.
#include "programs/editors/EntryEditor.h"

int main() {
  return Editors::runEntryEditor(Editors::editorNamed("reservation"));
}
