// AmbryDB's catalogue in and out: the books as the export writes them, the ISBNs and Dewey codes an
// import checks against, and the import's one guarded insert of all its books.
#include <set>
#include <string>

#include "ambry/db/AmbryDB.h"

namespace Ambry {

namespace {

// Rows per INSERT: long enough to add 20,000 books quickly, short enough for any packet size.
const size_t kRowsPerStatement = 500;

}  // namespace

void AmbryDB::selectBook_All() const {
  executeReport("SELECT id, author, title, isbn, dewey, price, _condition FROM BOOK ORDER BY id");
}

void AmbryDB::selectBook_Isbns(const std::vector<Keystone::String>& isbns) const {
  Keystone::String list;
  for (const Keystone::String& isbn : isbns) list += (list.length() > 0 ? ", " : "") + quoted(isbn);
  if (list.length() == 0) list = "NULL";
  executeReport("SELECT DISTINCT isbn FROM BOOK WHERE isbn IN (" + list + ")");
}

void AmbryDB::selectDewey_All() const {
  executeReport("SELECT id FROM DEWEY");
}

Keystone::String AmbryDB::insertBooks(const std::vector<BookEntry>& books) {
  return underGuard("insertBooks", "", [&] { return attemptInsertBooks(books); });
}

Keystone::String AmbryDB::attemptInsertBooks(const std::vector<BookEntry>& books) {
  const Keystone::String op = "insertBooks";
  // The rules of insertBook hold for every book: the values are there and the Dewey code exists.
  std::set<std::string> deweyCodes;
  execute("SELECT id FROM DEWEY");
  while (getNextRow()) deweyCodes.insert(getField(0));
  for (const BookEntry& book : books) {
    const Keystone::String* values[] = {&book.author, &book.title, &book.isbn, &book.dewey, &book.price, &book.condition};
    for (const Keystone::String* value : values)
      if (value->length() == 0 && refuse(op, "err_info_not_supplied")) return "";
    if (!deweyCodes.count(book.dewey.c_str()) && refuse(op, "err_dewey_invalid")) return "";
  }
  for (size_t first = 0; first < books.size(); first += kRowsPerStatement) {
    Keystone::String statement = "INSERT INTO BOOK (author, title, isbn, dewey, price, _condition, addDate) VALUES ";
    for (size_t i = first; i < books.size() && i < first + kRowsPerStatement; ++i) {
      const BookEntry& book = books[i];
      if (i > first) statement += ", ";
      statement += "(" + quoted(book.author) + ", " + quoted(book.title) + ", " + quoted(book.isbn) + ", " +
                   number(book.dewey) + ", " + number(book.price) + ", " + number(book.condition) + ", NOW())";
    }
    execute(statement);
    if (changeFailed(op)) return "";
  }
  return Keystone::String(std::to_string(books.size()).c_str());
}

}  // namespace Ambry
