// AmbryDB's book maintenance: a book needs a valid Dewey code, and a lent or reserved book stays.
#include "ambry/db/AmbryDB.h"
#include "ambry/db/Required.h"
#include "ambry/framework/Messages.h"

namespace Ambry {

// The checks shared by adding and changing a book; the refusal's key, or "" to go on.
const char* AmbryDB::bookRefusal(const QueryMap& query) const {
  if (anyEmpty(query, {"author", "title", "isbn", "dewey", "price", "_condition"}))
    return "err_info_not_supplied";
  if (!rowFound("SELECT id FROM DEWEY WHERE id = " + number(query["dewey"]))) return "err_dewey_invalid";
  return "";
}

Keystone::String AmbryDB::attemptInsertBook(const QueryMap& query) {
  const Keystone::String op = "insertBook";
  const Keystone::String shown = query.get("bookid", "1");
  if (refuse(op, bookRefusal(query))) return shown;
  execute("INSERT INTO BOOK (author, title, isbn, dewey, price, _condition, addDate) VALUES (" +
          quoted(query["author"]) + ", " + quoted(query["title"]) + ", " + quoted(query["isbn"]) + ", " +
          number(query["dewey"]) + ", " + number(query["price"]) + ", " + number(query["_condition"]) +
          ", NOW())");
  if (!finishChange(op, "msg_entry_added")) return shown;
  return newId();
}

void AmbryDB::attemptUpdateBook(const QueryMap& query) {
  const Keystone::String op = "updateBook";
  // Without the entry's id there is nothing to change.
  const char* refusal = anyEmpty(query, {"bookid"}) ? "err_info_not_supplied" : bookRefusal(query);
  if (!*refusal && entryGone("BOOK", query["bookid"])) refusal = "err_entry_gone";
  if (refuse(op, refusal)) return;
  // The date the book was added stays as it is.
  execute("UPDATE BOOK SET author = " + quoted(query["author"]) + ", title = " + quoted(query["title"]) +
          ", isbn = " + quoted(query["isbn"]) + ", dewey = " + number(query["dewey"]) +
          ", price = " + number(query["price"]) + ", _condition = " + number(query["_condition"]) +
          " WHERE id = " + number(query["bookid"]));
  finishChange(op, "msg_entry_updated");
}

void AmbryDB::attemptDeleteBook(const QueryMap& query) {
  const Keystone::String op = "deleteBook";
  const Keystone::String bookid = number(query["bookid"]);
  // Every loan counts, a long-returned one too: a book that was ever lent stays in the catalogue.
  const char* refusal = "";
  if (rowFound("SELECT id FROM CHECKOUT WHERE bookid = " + bookid))
    refusal = "err_book_in_checkout_table";
  else if (rowFound("SELECT id FROM RESERVATION WHERE bookid = " + bookid))
    refusal = "err_book_reservation_exists";
  if (refuse(op, refusal)) return;
  execute("DELETE FROM BOOK WHERE id = " + bookid);
  finishChange(op, "msg_entry_deleted");
}

}  // namespace Ambry
