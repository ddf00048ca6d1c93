// AmbryDB's book maintenance: a book needs a valid Dewey code, and a lent or reserved book stays.
#include "ambry/db/AmbryDB.h"
#include "ambry/db/Required.h"
#include "ambry/framework/Messages.h"

namespace Ambry {

Keystone::String AmbryDB::attemptInsertBook(const QueryMap& query) {
  const Keystone::String op = "insertBook";
  const Keystone::String shown = query.get("bookid", "1");
  if (anyEmpty(query, {"author", "title", "isbn", "dewey", "price", "_condition"})) {
    popupError(op, "err_info_not_supplied");
    return shown;
  }
  if (!rowFound("SELECT id FROM DEWEY WHERE id = " + number(query["dewey"]))) {
    popupError(op, "err_dewey_invalid");
    return shown;
  }
  execute("INSERT INTO BOOK (author, title, isbn, dewey, price, _condition, addDate) VALUES (" +
          quoted(query["author"]) + ", " + quoted(query["title"]) + ", " + quoted(query["isbn"]) + ", " +
          number(query["dewey"]) + ", " + number(query["price"]) + ", " + number(query["_condition"]) +
          ", NOW())");
  if (changeFailed(op)) return shown;
  Keystone::String id = newId();
  popupMessage("msg_entry_added", false);
  return id;
}

void AmbryDB::attemptUpdateBook(const QueryMap& query) {
  const Keystone::String op = "updateBook";
  if (anyEmpty(query, {"author", "title", "isbn", "dewey", "price", "_condition"}))
    return popupError(op, "err_info_not_supplied");
  if (!rowFound("SELECT id FROM DEWEY WHERE id = " + number(query["dewey"])))
    return popupError(op, "err_dewey_invalid");
  // The date the book was added stays as it is.
  execute("UPDATE BOOK SET author = " + quoted(query["author"]) + ", title = " + quoted(query["title"]) +
          ", isbn = " + quoted(query["isbn"]) + ", dewey = " + number(query["dewey"]) +
          ", price = " + number(query["price"]) + ", _condition = " + number(query["_condition"]) +
          " WHERE id = " + number(query["bookid"]));
  if (changeFailed(op)) return;
  popupMessage("msg_entry_updated", false);
}

void AmbryDB::attemptDeleteBook(const QueryMap& query) {
  const Keystone::String op = "deleteBook";
  const Keystone::String bookid = number(query["bookid"]);
  // Every loan counts, a long-returned one too: a book that was ever lent stays in the catalogue.
  if (rowFound("SELECT id FROM CHECKOUT WHERE bookid = " + bookid))
    return popupError(op, "err_book_in_checkout_table");
  if (rowFound("SELECT id FROM RESERVATION WHERE bookid = " + bookid))
    return popupError(op, "err_book_reservation_exists");
  execute("DELETE FROM BOOK WHERE id = " + bookid);
  if (changeFailed(op)) return;
  popupMessage("msg_entry_deleted", false);
}

}  // namespace Ambry
