// The catalogue program: import (upload, preview, the import itself), export, and the answer to
// the book editor's "Fetch details".
#pragma once
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "ambry/Ambry.h"
#include "ambry/db/AmbryDB.h"
#include "ambry/framework/Commands.h"
#include "ambry/records/BookMapping.h"
#include "ambry/records/CatalogueFile.h"

namespace Catalogue {

// ---- The page (CataloguePage.cpp)

// The content of the page: whichever step the request asks for, then the forms.
void printCatalogueBody();
// The import form and the export links.
void printStartForms();
// The text of key with its placeholders ("%s", "%d") filled in order by the values, which are
// put in as they stand (escape them first where they come from a file or a request).
Keystone::String filledText(const char* key, std::initializer_list<Keystone::String> values);
// The program's own address in the current language, with further parameters ("&amp;..." form).
Keystone::String ownAddress(const char* extra = "");

// ---- The held upload (HeldUpload.cpp)

// The signed-in librarian an upload is bound to: the digest of the staff session (never the token
// itself, which would open the session to whoever reads the file). Throws when the database cannot
// tell.
std::string librarianSession();

// A posted upload read from the request body: the file's name and content.
struct Upload {
  std::string body;       // the whole request body: the file is held in memory this once
  std::string_view file;  // the file's bytes inside body
  std::string fileName;
};
enum class UploadRead { kRead, kNoFile, kTooLarge, kNotMultipart };
// True when the request posts a multipart/form-data body (the import's file form).
bool isMultipartRequest();
UploadRead readUpload(Upload& upload);

// Keeps the file in the site's private folder under a random name bound to the librarian's
// session; the name's token, or "" when it cannot be kept.
std::string holdUpload(const Upload& upload);
// A held file: its original name and content, found by its token for the same session.
struct HeldFile {
  std::string fileName;
  std::string content;
};
bool loadHeldUpload(const std::string& token, HeldFile& held);
void removeHeldUpload(const std::string& token);
// Removes held files more than an hour old.
void removeExpiredUploads();

// The safety restore point made before an import (pruned with the other safety points); false
// when it could not be made, and then nothing is imported.
bool makeSafetyPointBeforeImport();

// ---- Reading a file against the catalogue (ImportPlan.cpp)

struct ImportPlan {
  Records::FileFault fault;
  std::vector<Records::BookDraft> drafts;  // every record in file order (none after a fault)
  long toAdd = 0;
  long withRemarks = 0;
  long skipped = 0;
};
// Reads the file, maps every record and notes the ISBNs the catalogue (or the file before) has.
ImportPlan planImport(std::string_view file, Ambry::AmbryDB& db);
// Whether the draft's ISBN is in the catalogue already (or earlier in the file).
bool isFurtherCopy(const Records::BookDraft& draft);

// ---- The steps of an import (ImportPreview.cpp, ImportRun.cpp)

// The preview of a posted file: what will happen to each record, and the choices.
void previewUpload();
// The posted confirmation (CMD_IMPORT) or cancellation (CMD_DISCARD_IMPORT) of a preview.
void runImport(const Ambry::QueryMap& posted);
void discardImport(const Ambry::QueryMap& posted);
// A refused file's fault as a message in the current language.
Keystone::String faultText(const Records::FileFault& fault);
// A remark about a record in the current language (HTML).
Keystone::String noteText(const Records::Note& note);

// ---- Export and fetch (CatalogueExport.cpp, FetchAnswer.cpp)

// The catalogue as a download in format "marcxml", "marc" or "csv"; false, with nothing written,
// for any other format or a language not listed (the page then shows).
bool printExport(const Keystone::String& format);
// The answer to the book editor's "Fetch details" for an ISBN, as JSON.
void printFetchAnswer(const Keystone::String& isbn);

}  // namespace Catalogue
