// Fuzz target: the MARC readers (ISO 2709 with its framing check, MARCXML as a stream) and the
// mapping of what they read, on untrusted bytes.
#include "ambry/records/MarcRecord.h"
#include "tests/fuzz/RecordsFuzz.h"

namespace {

void readAndMap(const std::string& data, bool xml) {
  const Records::MappingRules rules = Records::mappingRules("ZAR R");
  long last = 0;
  const Records::MarcSink sink = [&](long number, const Records::MarcRecord* record) {
    FuzzSupport::check(number == last + 1, "records come in order");
    last = number;
    FuzzSupport::checkDraft(Records::mapMarcRecord(number, record, rules));
  };
  const Records::FileFault fault = xml ? Records::readMarcXml(data, sink) : Records::readIso2709(data, sink);
  if (!xml && fault && fault.kind != Records::FaultKind::kEmpty) {
    FuzzSupport::check(fault.record == last + 1, "a fault names the record after the last one read");
    FuzzSupport::check(fault.offset >= 0 && static_cast<size_t>(fault.offset) < data.size(), "a fault's offset is in the file");
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzSupport::silencePage();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string file(reinterpret_cast<const char*>(data), size);
  readAndMap(file, false);
  readAndMap(file, true);
  return 0;
}
