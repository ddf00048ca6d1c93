// A catalogue file of any of the accepted forms, read record by record into book drafts.
#pragma once
#include <functional>
#include <string_view>

#include "ambry/records/BookMapping.h"
#include "ambry/records/MarcRecord.h"

namespace Records {

enum class FileFormat { kIso2709, kMarcXml, kCsv };

// The form of a file, told by its content: XML begins with '<', ISO 2709 with a leader's record
// length and base address, or holds MARC's terminators; anything else is taken for CSV.
FileFormat fileFormat(std::string_view data);

// Every record of the file as a book draft, in file order. A fault refuses the file whole: the
// drafts passed on before it must then be dropped.
FileFault readCatalogueFile(std::string_view data, const MappingRules& rules,
                            const std::function<void(BookDraft&&)>& each, FileFormat* format = nullptr);

}  // namespace Records
