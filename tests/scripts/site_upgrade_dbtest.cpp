// The schema upgrade of every site start: a database made by an earlier version gets every table,
// index and column that sql/schema.sql has now, and keeps every row; running it again changes
// nothing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <string>

#include "tests/support/CgiRunner.h"
#include "tests/support/TestDB.h"

using TestSupport::SiteSandbox;

namespace {

const char* const kDatabase = "ambry_upgrade";

// The first version's tables: the keys of the lending checks, no report indexes, no rule guard.
const char* const kFirstVersion = R"sql(
CREATE TABLE BOOK (id INT NOT NULL AUTO_INCREMENT, author VARCHAR(255), title VARCHAR(255), isbn VARCHAR(32),
  dewey INT, price DECIMAL(10,2), _condition INT, addDate DATETIME, PRIMARY KEY (id), KEY book_isbn (isbn))
  ENGINE=InnoDB DEFAULT CHARSET=latin1;
CREATE TABLE MEMBER (id INT NOT NULL AUTO_INCREMENT, password VARCHAR(64), surname VARCHAR(100),
  firstName VARCHAR(100), address VARCHAR(255), contactNo VARCHAR(50), addDate DATETIME, accountExpiryDate DATE,
  accountBalance INT, PRIMARY KEY (id)) ENGINE=InnoDB DEFAULT CHARSET=latin1;
CREATE TABLE CHECKOUT (id INT NOT NULL AUTO_INCREMENT, memberid INT, bookid INT, checkoutDate DATETIME,
  returnDate DATE, inDate DATETIME, PRIMARY KEY (id), KEY checkout_book (bookid, inDate),
  KEY checkout_member (memberid)) ENGINE=InnoDB DEFAULT CHARSET=latin1;
CREATE TABLE RESERVATION (id INT NOT NULL AUTO_INCREMENT, memberid INT, bookid INT, addDate DATETIME,
  PRIMARY KEY (id), KEY reservation_book_member (bookid, memberid), KEY reservation_member (memberid))
  ENGINE=InnoDB DEFAULT CHARSET=latin1;
CREATE TABLE BLACKLIST (id INT NOT NULL AUTO_INCREMENT, memberid INT, addDate DATETIME, reason VARCHAR(255),
  PRIMARY KEY (id), KEY blacklist_member (memberid)) ENGINE=InnoDB DEFAULT CHARSET=latin1;
CREATE TABLE DEWEY (id INT NOT NULL, description VARCHAR(255), PRIMARY KEY (id)) ENGINE=InnoDB DEFAULT CHARSET=latin1;
)sql";

// The version before the record of replays: the rule guard without it, its row marked by a restore.
const char* const kGuardWithoutReplayRecord = R"sql(
CREATE TABLE RULEGUARD (id INT NOT NULL, turn BIGINT NOT NULL DEFAULT 0, restoreUntil DATETIME NULL,
  restoreBy VARCHAR(255) NULL, PRIMARY KEY (id)) ENGINE=InnoDB DEFAULT CHARSET=latin1;
INSERT INTO RULEGUARD (id, turn, restoreBy) VALUES (1, 41, 'host:1:2');
)sql";

const char* const kRows = R"sql(
INSERT INTO BOOK (author, title, isbn, dewey, price, _condition, addDate) VALUES
  ('Coetzee', 'Life & Times of Michael K', '0-14', 823, 9.50, 7, '2001-02-03 04:05:06'), ('A', 'B', NULL, 1, NULL, 1, NOW());
INSERT INTO MEMBER (password, surname, firstName, address, contactNo, addDate, accountExpiryDate, accountBalance)
  VALUES ('pw', 'Smit', 'Anna', 'Street', '012', NOW(), '2030-01-31', 5);
INSERT INTO CHECKOUT (memberid, bookid, checkoutDate, returnDate, inDate) VALUES (1, 1, NOW(), '2030-02-01', '0000-00-00');
INSERT INTO RESERVATION (memberid, bookid, addDate) VALUES (1, 2, NOW());
INSERT INTO BLACKLIST (memberid, addDate, reason) VALUES (1, NOW(), 'fines');
INSERT INTO DEWEY (id, description) VALUES (823, 'English fiction');
)sql";

// The test server's folder: the site's database start made it, and its administrator is the
// operating system user who runs the tests.
std::string serverFolder() {
  std::string socket = AMBRY_TESTDB_SOCKET;
  return socket.substr(0, socket.rfind("/run/"));
}

int shell(const std::string& script) {
  SiteSandbox scratch;
  SiteSandbox::writeFile(scratch.root() + "/script.sh", script);
  return std::system(("bash '" + scratch.root() + "/script.sh'").c_str());
}

int administer(const std::string& sql) {
  SiteSandbox scratch;
  SiteSandbox::writeFile(scratch.root() + "/admin.sql", sql);
  return std::system((std::string("mysql --no-defaults -u\"$(id -un)\" --socket='") + AMBRY_TESTDB_SOCKET +
                      "' < '" + scratch.root() + "/admin.sql'")
                         .c_str());
}

// The site start's database set-up, on the upgrade's database.
int siteSetup() {
  return shell(std::string("set -e\nsource '") + AMBRY_SOURCE_DIR + "/scripts/lib/site.sh'\n" +
               "AMBRY_MYSQL_DBNAME=" + kDatabase + " AMBRY_NO_SAMPLE_DATA=1 site_db_setup '" + serverFolder() +
               "' >/dev/null\n");
}

// A table's definition without its next id, which rows decide, not the schema.
std::string definition(TestSupport::TestDB& db, const std::string& table) {
  std::string text = db.query("SHOW CREATE TABLE " + table).at(0).at(1).value();
  return std::regex_replace(text, std::regex(" AUTO_INCREMENT=[0-9]+"), "");
}

class SchemaUpgrade : public ::testing::Test {
 protected:
  void TearDown() override {
    administer(std::string("DROP DATABASE IF EXISTS ") + kDatabase + ";\nREVOKE ALL PRIVILEGES ON " + kDatabase +
               ".* FROM 'ambry'@'localhost';\n");
  }
  TestSupport::TestDB mDb;  // the test database, made from sql/schema.sql as it is now
};

TEST_F(SchemaUpgrade, AnEarlierVersionsDatabaseGetsTheWholeSchemaAndKeepsEveryRow) {
  const std::string create = std::string("DROP DATABASE IF EXISTS ") + kDatabase + ";\nCREATE DATABASE " + kDatabase +
                             " DEFAULT CHARACTER SET latin1;\nGRANT ALL ON " + kDatabase +
                             ".* TO 'ambry'@'localhost';\nUSE " + kDatabase + ";\n";
  std::string checksums = "CHECKSUM TABLE ";
  for (const char* table : {"BOOK", "MEMBER", "CHECKOUT", "RESERVATION", "BLACKLIST", "DEWEY"})
    checksums += std::string(table[0] == 'B' && table[1] == 'O' ? "" : ", ") + kDatabase + "." + table;
  for (const std::string& earlier : {std::string(kFirstVersion), std::string(kFirstVersion) + kGuardWithoutReplayRecord}) {
    ASSERT_EQ(administer(create + earlier + kRows), 0);
    const auto rows = mDb.query(checksums);
    ASSERT_EQ(siteSetup(), 0);
    ASSERT_EQ(siteSetup(), 0) << "a second start";
    EXPECT_EQ(mDb.query(checksums), rows) << "every row kept";

    auto tables = mDb.query("SELECT table_name FROM information_schema.tables WHERE table_schema = 'ambry'");
    ASSERT_GE(tables.size(), 7u);
    for (const auto& table : tables) {
      const std::string name = table.at(0).value();
      EXPECT_EQ(definition(mDb, std::string(kDatabase) + "." + name), definition(mDb, "ambry." + name)) << name;
    }
    EXPECT_EQ(mDb.scalar(std::string("SELECT COUNT(*) FROM ") + kDatabase + ".RULEGUARD WHERE id = 1"), "1");
  }
  EXPECT_EQ(mDb.scalar(std::string("SELECT CONCAT(turn, restoreBy) FROM ") + kDatabase + ".RULEGUARD"), "41host:1:2")
      << "the guard's row kept as it was";
}

}  // namespace
