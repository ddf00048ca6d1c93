// A file read against the catalogue: every record mapped to a book, with the ISBNs the catalogue
// already has (the library's copies share one) remarked.
#include <set>
#include <string>

#include "programs/catalogue/Catalogue.h"

namespace Catalogue {

namespace {

// ISBNs asked about in one statement.
const size_t kIsbnsPerQuery = 1000;

// The Dewey codes of the library's table, by code.
std::vector<bool> deweyCodes(Ambry::AmbryDB& db) {
  std::vector<bool> codes(1000, false);
  db.selectDewey_All();
  while (db.getNextRow()) {
    const int code = std::atoi(db.getField(0));
    if (code >= 0 && code < 1000) codes[code] = true;
  }
  return codes;
}

// Which of the drafts' ISBNs the catalogue has.
std::set<std::string> isbnsInCatalogue(const std::vector<Records::BookDraft>& drafts, Ambry::AmbryDB& db) {
  std::set<std::string> found;
  std::vector<Keystone::String> batch;
  auto ask = [&] {
    if (batch.empty()) return;
    db.selectBook_Isbns(batch);
    while (db.getNextRow()) found.insert(db.getField(0));
    batch.clear();
  };
  for (const Records::BookDraft& draft : drafts) {
    if (draft.skipped || draft.isbn == Records::kDefaultIsbn) continue;
    batch.push_back(draft.isbn.c_str());
    if (batch.size() == kIsbnsPerQuery) ask();
  }
  ask();
  return found;
}

}  // namespace

bool isFurtherCopy(const Records::BookDraft& draft) {
  for (const Records::Note& note : draft.notes)
    if (note.kind == Records::NoteKind::kIsbnInCatalogue) return true;
  return false;
}

ImportPlan planImport(std::string_view file, Ambry::AmbryDB& db) {
  ImportPlan plan;
  Records::MappingRules rules = Records::mappingRules(Ambry::getProperty("currency").c_str());
  rules.deweyCodes = deweyCodes(db);
  plan.fault = Records::readCatalogueFile(file, rules, [&plan](Records::BookDraft&& draft) {
    plan.drafts.push_back(std::move(draft));
  });
  if (plan.fault) {
    plan.drafts.clear();
    return plan;
  }
  const std::set<std::string> catalogued = isbnsInCatalogue(plan.drafts, db);
  std::set<std::string> earlier;
  for (Records::BookDraft& draft : plan.drafts) {
    if (draft.skipped) {
      ++plan.skipped;
      continue;
    }
    ++plan.toAdd;
    if (draft.isbn != Records::kDefaultIsbn && (catalogued.count(draft.isbn) || !earlier.insert(draft.isbn).second))
      draft.notes.push_back({Records::NoteKind::kIsbnInCatalogue, "ISBN", draft.isbn, 0});
    if (!draft.notes.empty()) ++plan.withRemarks;
  }
  return plan;
}

}  // namespace Catalogue
