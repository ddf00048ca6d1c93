// Fuzz target: a catalogue file of any form read as the import reads it (CSV above all: spreadsheets
// of either language, quotes, encodings), every book it gives checked.
#include "ambry/records/CatalogueFile.h"
#include "tests/fuzz/RecordsFuzz.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzSupport::silencePage();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string file(reinterpret_cast<const char*>(data), size);
  const Records::MappingRules rules = Records::mappingRules("ZAR R");
  size_t drafts = 0;
  const Records::FileFault fault = Records::readCatalogueFile(file, rules, [&drafts](Records::BookDraft&& draft) {
    ++drafts;
    FuzzSupport::checkDraft(draft);
  });
  FuzzSupport::check(!fault || fault.kind != Records::FaultKind::kEmpty || drafts == 0, "an empty file gives no books");
  return 0;
}
