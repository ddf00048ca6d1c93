// The import itself: the held file read again against the catalogue, a safety restore point, and
// all the books added in one guarded transaction; or the preview cancelled.
#include <cstdlib>
#include <string>

#include "programs/catalogue/Catalogue.h"

namespace Catalogue {

namespace {

// The books to add, as the librarian chose: further copies or not, and the condition of the
// books the file gives none for (1 to 10; anything else is taken for 10, as new).
std::vector<Ambry::BookEntry> chosenBooks(const ImportPlan& plan, const Ambry::QueryMap& posted) {
  const bool copies = posted.get("duplicates", "copies") != "skip";
  int condition = std::atoi(posted.get("condition", "").c_str());
  if (condition < 1 || condition > 10) condition = 10;
  const std::string chosen = std::to_string(condition);
  std::vector<Ambry::BookEntry> books;
  books.reserve(plan.drafts.size());
  for (const Records::BookDraft& draft : plan.drafts) {
    if (draft.skipped || (!copies && isFurtherCopy(draft))) continue;
    books.push_back({draft.author.c_str(), draft.title.c_str(), draft.isbn.c_str(), draft.dewey.c_str(),
                     draft.price.c_str(), (draft.condition.empty() ? chosen : draft.condition).c_str()});
  }
  return books;
}

Keystone::String count(size_t value) {
  return Keystone::String(std::to_string(value).c_str());
}

}  // namespace

void runImport(const Ambry::QueryMap& posted) {
  const std::string token = posted.get("upload", "").c_str();
  HeldFile held;
  if (!loadHeldUpload(token, held)) {
    Ambry::printMessage("err_import_gone", false);
    return;
  }
  Ambry::runGuarded("err_query_unsuccessful", [&] {
    std::vector<Ambry::BookEntry> books;
    size_t records = 0;
    {
      Ambry::AmbryDB db;
      db.openConnection();
      const ImportPlan plan = planImport(held.content, db);
      db.closeConnection();
      if (plan.fault) {
        Ambry::printMessage(faultText(plan.fault), true);
        removeHeldUpload(token);
        return;
      }
      records = plan.drafts.size();
      books = chosenBooks(plan, posted);
    }
    // The file is not needed any more: its memory goes before the books are added.
    std::string().swap(held.content);
    if (books.empty()) {
      Ambry::printMessage("msg_import_nothing", false);
      removeHeldUpload(token);
      return;
    }
    if (!makeSafetyPointBeforeImport()) {
      Ambry::printMessage("err_import_no_safety_point", false);
      return;
    }
    Ambry::AmbryDB db;
    db.openConnection();
    const Keystone::String added = db.insertBooks(books);
    db.closeConnection();
    removeHeldUpload(token);
    if (added.length() == 0)
      Ambry::printMessage("err_import_failed", false);
    else
      Ambry::printMessage(filledText("msg_import_done", {added, count(records - books.size())}), true);
  });
}

void discardImport(const Ambry::QueryMap& posted) {
  const std::string token = posted.get("upload", "").c_str();
  HeldFile held;
  // Only the librarian the file is bound to may remove it.
  if (!loadHeldUpload(token, held)) {
    Ambry::printMessage("err_import_gone", false);
    return;
  }
  removeHeldUpload(token);
  Ambry::printMessage("msg_import_cancelled", false);
}

}  // namespace Catalogue
