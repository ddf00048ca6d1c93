-- The library database: catalogue, register, loans, reservations, blacklist and Dewey codes.
-- Text is latin1 (the pages' Windows-1252). A new loan's inDate is the zero date, so the server
-- must run without NO_ZERO_DATE (the default sql_mode of MariaDB allows it).
-- Every start of the site runs this file again, so that a database made by an earlier version
-- gets what was added since without losing a row: every statement must be one that can run again
-- (CREATE TABLE IF NOT EXISTS, CREATE INDEX IF NOT EXISTS, ALTER TABLE ... ADD COLUMN IF NOT
-- EXISTS for a column added to a table that exists, INSERT IGNORE for fixed rows). A table's
-- indexes beyond its primary key are therefore statements of their own.

CREATE TABLE IF NOT EXISTS BOOK (
  id INT NOT NULL AUTO_INCREMENT,
  author VARCHAR(255),
  title VARCHAR(255),
  isbn VARCHAR(32),
  dewey INT,
  price DECIMAL(10,2),
  _condition INT,
  addDate DATETIME,
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE IF NOT EXISTS MEMBER (
  id INT NOT NULL AUTO_INCREMENT,
  password VARCHAR(64),
  surname VARCHAR(100),
  firstName VARCHAR(100),
  address VARCHAR(255),
  contactNo VARCHAR(50),
  addDate DATETIME,
  accountExpiryDate DATE,
  accountBalance INT,
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE IF NOT EXISTS CHECKOUT (
  id INT NOT NULL AUTO_INCREMENT,
  memberid INT,
  bookid INT,
  checkoutDate DATETIME,
  returnDate DATE,
  inDate DATETIME,
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE IF NOT EXISTS RESERVATION (
  id INT NOT NULL AUTO_INCREMENT,
  memberid INT,
  bookid INT,
  addDate DATETIME,
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE IF NOT EXISTS BLACKLIST (
  id INT NOT NULL AUTO_INCREMENT,
  memberid INT,
  addDate DATETIME,
  reason VARCHAR(255),
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

-- The valid Dewey Decimal codes; the id is the code itself, 0 included, so it is never generated.
CREATE TABLE IF NOT EXISTS DEWEY (
  id INT NOT NULL,
  description VARCHAR(255),
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

-- Indexes of the lending checks, the deletes' reference checks and the ISBN look-up.
CREATE INDEX IF NOT EXISTS book_isbn ON BOOK (isbn);
CREATE INDEX IF NOT EXISTS checkout_book ON CHECKOUT (bookid, inDate);
CREATE INDEX IF NOT EXISTS checkout_member ON CHECKOUT (memberid);
CREATE INDEX IF NOT EXISTS reservation_book_member ON RESERVATION (bookid, memberid);
CREATE INDEX IF NOT EXISTS reservation_member ON RESERVATION (memberid);
CREATE INDEX IF NOT EXISTS blacklist_member ON BLACKLIST (memberid);

-- Indexes of the staff reports, kept together here: open loans by return date (overdue loans),
-- loans by checkout date (loans per month) and members by expiry date (expiring memberships).
CREATE INDEX IF NOT EXISTS checkout_open_due ON CHECKOUT (inDate, returnDate);
CREATE INDEX IF NOT EXISTS checkout_date ON CHECKOUT (checkoutDate);
CREATE INDEX IF NOT EXISTS member_expiry ON MEMBER (accountExpiryDate);

-- The guard of the lending rules: every change first updates this one row inside its transaction,
-- so that changes take turns on one server and conflict on a cluster. A restore marks it
-- (restoreUntil, renewed while the replay runs, lapsing after a crash) and changes wait for the
-- mark to go. While a replay runs, replayPoint names the safety point the database was saved to
-- first; a record left by a crash is rolled back from it before any change goes ahead. Restore
-- points leave this table out, so a replay never rewrites it. The library makes what is missing of
-- it with the same statements (ambry/db/RuleGuard.cpp).
CREATE TABLE IF NOT EXISTS RULEGUARD (
  id INT NOT NULL,
  turn BIGINT NOT NULL DEFAULT 0,
  restoreUntil DATETIME NULL,
  restoreBy VARCHAR(255) NULL,
  replayPoint VARCHAR(255) NULL,
  PRIMARY KEY (id)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;
ALTER TABLE RULEGUARD ADD COLUMN IF NOT EXISTS replayPoint VARCHAR(255) NULL;

INSERT IGNORE INTO RULEGUARD (id) VALUES (1);

-- Live state of the site that never travels in a restore point (restore points leave these tables
-- out): the staff sessions and the password-guess counts, shared by every web host.
-- A signed-in browser: the digest of its session token, when it signed in and when it was last seen.
CREATE TABLE IF NOT EXISTS STAFFSESSION (
  tokenHash CHAR(64) NOT NULL,
  signedIn DATETIME NOT NULL,
  lastSeen DATETIME NOT NULL,
  PRIMARY KEY (tokenHash)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

-- Failed password checks of one client address in the ten minutes from windowStart; checks counts
-- every check, so that each one writes the row.
CREATE TABLE IF NOT EXISTS PASSWORDGUESS (
  address VARCHAR(64) NOT NULL,
  failures INT NOT NULL DEFAULT 0,
  windowStart DATETIME NOT NULL,
  checks BIGINT NOT NULL DEFAULT 0,
  PRIMARY KEY (address)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;
CREATE INDEX IF NOT EXISTS passwordguess_window ON PASSWORDGUESS (windowStart);
