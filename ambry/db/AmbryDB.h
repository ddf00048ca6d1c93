// The database class AmbryDB: connection, statements and rows, searches and navigation, and the
// maintenance operations that keep the library's lending rules.
#pragma once
#include <functional>
#include <vector>

#include "keystone/Keystone"

typedef struct st_mysql MYSQL;
typedef struct st_mysql_res MYSQL_RES;
typedef char** MYSQL_ROW;

namespace Ambry {

// Failures of the connection or of statement execution.
class AmbryDBException : public Keystone::Exception {
 public:
  AmbryDBException();
  AmbryDBException(const Keystone::String& message);
};

// One book of a bulk insert: the values insertBook reads, as the catalogue stores them.
struct BookEntry {
  Keystone::String author, title, isbn, dewey, price, condition;
};
// The answer of a password check made under the guess limit (checkPassword).
enum class PasswordVerdict { kRight, kWrong, kHeldOff };

class AmbryDB {
 public:
  typedef Keystone::Map<const Keystone::String, Keystone::String> QueryMap;

  // Connection, execution and rows.
  AmbryDB();
  ~AmbryDB();
  AmbryDB(const AmbryDB&) = delete;
  AmbryDB& operator=(const AmbryDB&) = delete;
  void openConnection();
  void closeConnection();
  void execute(const Keystone::String& statement) const;
  bool getNextRow();
  Keystone::Array<Keystone::String> getRow() const;
  const char* getField(int index) const;
  unsigned long long getNumRows() const;
  unsigned int getNumFields() const;
  Keystone::String getError() const;
  const Keystone::String& getLastQuery() const;
  bool hasResult() const;
  MYSQL_RES* getResult() const;
  // Whether the last change made through this object went through: false after a refusal under
  // the rules, a statement the server rejected, or a change given up after conflicts.
  bool lastChangeStood() const { return guard.outcome == Attempt::kCommitted; }

  // Search by example (staff).
  void doSearchQuery(const QueryMap& query, const Keystone::String& table) const;
  void searchBook(const QueryMap& query) const;
  void searchMember(const QueryMap& query) const;
  void searchCheckout(const QueryMap& query) const;
  void searchReservation(const QueryMap& query) const;
  void searchBlacklisting(const QueryMap& query) const;

  // Member-facing searches.
  void searchMember_Member(const QueryMap& query) const;
  void searchCheckout_Member(const QueryMap& query) const;
  void searchReservation_Member(const QueryMap& query) const;
  void searchBook_Member(const QueryMap& query) const;

  // Single-entry selects and navigation.
  void selectBook(const QueryMap& query) const;
  void selectMember(const QueryMap& query) const;
  void selectCheckout(const QueryMap& query) const;
  void selectReservation(const QueryMap& query) const;
  void selectBlacklisting(const QueryMap& query) const;
  void selectBook_ISBN(const QueryMap& query) const;
  void selectBlacklisting_MemberID(const QueryMap& query) const;

  // Existence tests: every failure counts as a negative answer.
  bool bookExists(const QueryMap& query) const;
  bool checkoutExists(const QueryMap& query) const;
  bool reservationExists(const QueryMap& query) const;
  bool blacklistingExists(const QueryMap& query) const;
  bool memberExists(const QueryMap& query) const;

  // Books and members.
  Keystone::String insertBook(const QueryMap& query);
  void updateBook(const QueryMap& query);
  void deleteBook(const QueryMap& query);
  Keystone::String insertMember(const QueryMap& query);
  void updateMember(const QueryMap& query);
  void deleteMember(const QueryMap& query);

  // Checkouts.
  Keystone::String insertCheckout(const QueryMap& query);
  void updateCheckout(const QueryMap& query);
  void returnCheckout(const QueryMap& query);
  void deleteCheckout(const QueryMap& query);

  // Reservations and blacklistings.
  Keystone::String insertReservation(const QueryMap& query);
  void updateReservation(const QueryMap& query);
  void deleteReservation(const QueryMap& query);
  Keystone::String insertBlacklisting(const QueryMap& query);
  void updateBlacklisting(const QueryMap& query);
  void deleteBlacklisting(const QueryMap& query);
  static bool backup();
  static bool restore(const Keystone::String& fileName);

  // Staff reports, read-only and measured against the server's date; a rejected statement throws.
  void selectCheckout_Overdue() const;
  void selectMember_Expiring() const;
  void selectCheckout_PerMonth() const;
  void selectBook_Reserved() const;
  // The server's date today, YYYY-MM-DD.
  Keystone::String selectToday() const;

  // The catalogue in and out. Every book as the export writes it (id, author, title, isbn, dewey,
  // price, _condition), in id order; a rejected statement throws.
  void selectBook_All() const;
  // The distinct ISBNs among the given ones that books of the catalogue have; throws as above.
  void selectBook_Isbns(const std::vector<Keystone::String>& isbns) const;
  // The codes of the Dewey table; throws as above.
  void selectDewey_All() const;
  // Adds every book in one transaction behind the rule guard: all of them or, when one is
  // refused (a missing value, a Dewey code the table has not) or the server rejects a statement,
  // none, with the reason popped up. The number of books added, or "" when none were.
  Keystone::String insertBooks(const std::vector<BookEntry>& books);
  // A password check under the guess limit, counted per client address (REMOTE_ADDR) in the
  // database, so that the limit holds for every web host of the library at once. kHeldOff, without
  // running isRight, once the address has had throttle_limit failed checks within ten minutes;
  // otherwise isRight's answer, a wrong one counted. The count and the answer are committed
  // together: a check the database could not answer throws AmbryDBException and counts nothing.
  PasswordVerdict checkPassword(const std::function<bool()>& isRight);

  // Staff sessions, shared by every web host. Each throws AmbryDBException when the server does
  // not carry it out. A session is open from its insertion until it has been idle for
  // session_idle_minutes or open for session_hours, or until it is deleted (signing out).
  void insertStaffSession(const Keystone::String& token);
  bool staffSessionOpen(const Keystone::String& token);
  void deleteStaffSession(const Keystone::String& token);
  // The digest that names the session of token in the table, whether or not it is open.
  Keystone::String staffSessionDigest(const Keystone::String& token);

 private:
  friend class RestoreMark;

  // How one try of a guarded change went, and so how the last guarded change ended: it stands, the
  // server gave its transaction up (run it again), a rule refused it, or the server rejected a
  // statement of it or the guard could not be taken (nothing of it stands).
  enum class Attempt { kCommitted, kRetry, kRefused, kRejected };
  // The guarded change under way on this connection, or the last one.
  struct GuardedState {
    bool running = false;                   // inside a try: a transaction given up throws GuardConflict
    Attempt outcome = Attempt::kRejected;  // of the try under way, then of the whole change (none yet)
  };

  // One guarded change (GuardedChanges.cpp): the attempt, a member taking the query, run under the
  // guard; answers the attempt's answer, or (for an insert) the id at shownKey, "1" without one,
  // when the change did not happen.
  template <typename Change>
  Keystone::String guarded(const char* operation, Change attempt, const QueryMap& query,
                           const char* shownKey = nullptr);
  // Runs change as one transaction under the rule guard, again while the server gives it up (the
  // retry policy); answers change's answer, or shown when the change did not stand.
  Keystone::String underGuard(const Keystone::String& operation, const Keystone::String& shown,
                              const std::function<Keystone::String()>& change);
  // One try of it: takes the guard (waiting for a restore's mark until the deadline), runs change
  // with its page output held, and commits or rolls back.
  Attempt tryGuarded(const Keystone::String& operation, const std::function<Keystone::String()>& change,
                     double deadline, Keystone::String& answer);
  // Keeps the server's text of the last failure readable through getError() after a rollback.
  void keepError() const;
  // After a failed statement of a guarded change: whether its transaction is still open.
  bool transactionStillOpen() const;

  // One attempt of each guarded change, run by guarded; same answers as the change itself.
  Keystone::String attemptInsertBook(const QueryMap& query);
  void attemptUpdateBook(const QueryMap& query);
  void attemptDeleteBook(const QueryMap& query);
  Keystone::String attemptInsertMember(const QueryMap& query);
  void attemptUpdateMember(const QueryMap& query);
  void attemptDeleteMember(const QueryMap& query);
  Keystone::String attemptInsertCheckout(const QueryMap& query);
  void attemptUpdateCheckout(const QueryMap& query);
  Keystone::String attemptInsertReservation(const QueryMap& query);
  void attemptUpdateReservation(const QueryMap& query);
  void attemptDeleteReservation(const QueryMap& query);
  Keystone::String attemptInsertBlacklisting(const QueryMap& query);
  void attemptUpdateBlacklisting(const QueryMap& query);
  void attemptDeleteBlacklisting(const QueryMap& query);
  void attemptReturnCheckout(const QueryMap& query);
  void attemptDeleteCheckout(const QueryMap& query);
  Keystone::String attemptInsertBooks(const std::vector<BookEntry>& books);

  // Statement pieces: a value as a quoted text literal (escaped), and a value written bare.
  Keystone::String quoted(const Keystone::String& value) const;
  Keystone::String number(const Keystone::String& value) const;
  // Runs a statement and tells whether it produced a first row, which becomes the current row.
  bool rowFound(const Keystone::String& statement) const;
  // After a change statement: true, with the error popped up, when the server rejected it.
  bool changeFailed(const Keystone::String& operation) const;
  // Pops up the refusal with this resource key as the operation's error and answers true; an
  // empty key answers false and the change goes on.
  bool refuse(const Keystone::String& operation, const char* refusal) const;
  // Whether table has no entry with this id: one deleted after the page showed it, which an update
  // must refuse rather than report as updated.
  bool entryGone(const char* table, const Keystone::String& id) const;
  // After the change's statements: the server's rejection popped up as changeFailed does, or else
  // the message; true when the change stands.
  bool finishChange(const Keystone::String& operation, const char* message) const;
  // The id the server gave the row just inserted, as decimal text.
  Keystone::String newId() const;
  // Runs a report statement; no result set means the server rejected it, which throws.
  void executeReport(const Keystone::String& statement) const;
  // Runs a statement of the staff sessions; a rejected one throws with the server's reason.
  void executeSessionStatement(const char* operation, const Keystone::String& statement) const;

  // Checks before a change; each refusal gives the resource key of its reason, "" lets it go on.
  const char* bookRefusal(const QueryMap& query) const;
  bool accountExpired(const QueryMap& query) const;
  bool reservedByAnother(const QueryMap& query) const;
  const char* borrowerRefusal(const QueryMap& query) const;
  const char* reserverRefusal(const QueryMap& query) const;
  bool holdsBook(const QueryMap& query) const;
  bool otherBlacklisting(const QueryMap& query) const;
  // Returns or deletes an open loan, naming the members who reserved its book.
  void closeCheckout(const QueryMap& query, const Keystone::String& operation, const char* notice,
                     const Keystone::String& change, const char* message);

  MYSQL* mysql;
  mutable MYSQL_RES* result;
  mutable MYSQL_ROW row;
  mutable Keystone::String lastQuery;
  // The server's text of a failed change statement, kept past the rollback of its transaction.
  mutable Keystone::String keptError;
  // Set by execute when the server gives the transaction up (after which no statement of it runs,
  // so the checks that count every failure as a negative answer cannot hide it), by changeFailed and
  // by refuse.
  mutable GuardedState guard;

  static bool connectionOpen;
};

}  // namespace Ambry
