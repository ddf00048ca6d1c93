// The record YAZ has just read, taken out as a MarcRecord (the readers' shared part).
#pragma once
#include <yaz/marcdisp.h>
#include <yaz/yaz-iconv.h>

#include "ambry/records/MarcRecord.h"

namespace Records {

class YazRecord {
 public:
  YazRecord();
  ~YazRecord();
  YazRecord(const YazRecord&) = delete;
  YazRecord& operator=(const YazRecord&) = delete;

  yaz_marc_t handle() const { return mMarc; }
  // The fields of the record the handle holds, their texts as UTF-8: MARC-8 texts are decoded
  // subfield by subfield. False when YAZ cannot give the record out.
  bool take(bool marc8, MarcRecord& out);

 private:
  std::string decodeMarc8(const char* text, bool& undecodable);

  yaz_marc_t mMarc;
  yaz_iconv_t mMarc8;
};

}  // namespace Records
