// What the member result programs share: posted form, shaded result tables, failures.
#include "PatronPage.h"

#include <cstdio>

namespace Patron {

void writeResource(const char* key, const char* suffix) {
  fputs(Ambry::getResource(key, false).c_str(), stdout);
  fputs(suffix, stdout);
}

void refuse(const char* key) {
  Ambry::popupMessage(key, false);
  Ambry::goBack();
}

bool readPostedForm(const char* uiErrorKey, std::initializer_list<const char*> fields,
                    Ambry::QueryMap& form) {
  form = Ambry::getQueryMap();
  if (form.size() == 0) {
    refuse(uiErrorKey);
    return false;
  }
  for (const char* field : fields) form[field] = form.get(field, Keystone::String());
  return true;
}

bool allFilled(const Ambry::QueryMap& form, std::initializer_list<const char*> fields) {
  for (const char* field : fields)
    if (form.get(field, Keystone::String()).length() == 0) return false;
  return true;
}

bool anyFilled(const Ambry::QueryMap& form, std::initializer_list<const char*> fields) {
  for (const char* field : fields)
    if (form.get(field, Keystone::String()).length() != 0) return true;
  return false;
}

bool passwordAccepted(Ambry::AmbryDB& db, const Ambry::QueryMap& form) {
  // A wrong number and a wrong password get the same answer, so neither can be probed alone.
  const Ambry::PasswordVerdict verdict = db.checkPassword([&] {
    const bool known = db.memberExists(form);
    if (!known && db.getError().length() > 0) throw Ambry::AmbryDBException("memberExists: " + db.getError());
    return known;
  });
  if (verdict == Ambry::PasswordVerdict::kRight) return true;
  refuse(verdict == Ambry::PasswordVerdict::kHeldOff ? "err_too_many_guesses" : "err_info_invalid");
  return false;
}

void printRows(Ambry::AmbryDB& db, const char* pageKey) {
  const Keystone::String shaded =
      Keystone::String("bgcolor=\"") + Ambry::getProperty("color_interchange") + "\"";
  const Keystone::String plain;
  bool shade = false;
  Ambry::beginResultTable(Ambry::getResourceArray(pageKey, plain));
  while (db.getNextRow()) {
    Ambry::printTextRow(db.getRow(), shade ? shaded : plain, plain);
    shade = !shade;
  }
  Ambry::endResultTable();
}

void withDatabase(const std::function<void(Ambry::AmbryDB&)>& work) {
  Ambry::runGuarded("err_query_unsuccessful", [&work] {
    Ambry::AmbryDB db;
    db.openConnection();
    work(db);
  });
}

}  // namespace Patron
