// AmbryDB's connection, statements and rows against the private server.
#include "tests/ambry/db/DbTestSupport.h"

namespace {

using Ambry::AmbryDB;
using Ambry::AmbryDBException;

class Connection : public DbTest {};

TEST_F(Connection, RowsComeBackAsStringsWithNullAsEmptyAndFieldsAsNull) {
  db.execute("SELECT 'a', NULL, 42");
  ASSERT_TRUE(db.hasResult());
  EXPECT_EQ(db.getNumRows(), 1u);
  EXPECT_EQ(db.getNumFields(), 3u);
  ASSERT_TRUE(db.getNextRow());
  Keystone::Array<Keystone::String> row = db.getRow();
  ASSERT_EQ(row.size(), 3);
  EXPECT_EQ(str(row[0]), "a");
  EXPECT_EQ(str(row[1]), "");
  EXPECT_EQ(str(row[2]), "42");
  EXPECT_EQ(db.getField(1), nullptr);
  EXPECT_STREQ(db.getField(2), "42");
  EXPECT_FALSE(db.getNextRow());
}

TEST_F(Connection, ChangeAndRejectedStatementsLeaveNoRows) {
  db.execute("INSERT INTO RESERVATION (memberid, bookid, addDate) VALUES (1, 2, NOW())");
  EXPECT_FALSE(db.hasResult());
  EXPECT_FALSE(db.getNextRow());
  EXPECT_EQ(str(db.getError()), "");
  EXPECT_EQ(count("RESERVATION"), "1");

  db.execute("SELECT * FROM NO_SUCH_TABLE");
  EXPECT_FALSE(db.hasResult());
  EXPECT_FALSE(db.getNextRow());
  EXPECT_NE(str(db.getError()).find("doesn't exist"), std::string::npos) << str(db.getError());
  EXPECT_EQ(str(db.getLastQuery()), "SELECT * FROM NO_SUCH_TABLE");

  // The next statement runs normally and clears the error.
  db.execute("SELECT id FROM RESERVATION");
  EXPECT_TRUE(db.getNextRow());
  EXPECT_EQ(str(db.getError()), "");
}

TEST_F(Connection, LatinOneTextTravelsAsSingleBytes) {
  db.execute("SELECT CONCAT('caf', CHAR(233 USING latin1))");
  ASSERT_TRUE(db.getNextRow());
  EXPECT_EQ(str(db.getField(0)), "caf\xE9");
}

TEST_F(Connection, SecondCloseAndDestructorAfterCloseDoNothing) {
  AmbryDB other;
  db.closeConnection();  // clears the process-wide flag; the fixture's close is then a no-op
  EXPECT_NO_THROW(db.closeConnection());
  EXPECT_NO_THROW(other.closeConnection());
  // A closed object refuses to run statements instead of touching a freed handle.
  EXPECT_THROW(db.execute("SELECT 1"), AmbryDBException);
  EXPECT_EQ(str(db.getError()), "getError: mysql == 0");
}

TEST_F(Connection, DestructorClosesAnOpenConnection) {
  db.closeConnection();
  {
    AmbryDB scoped;
    scoped.openConnection();
    scoped.execute("SELECT 1");
    EXPECT_TRUE(scoped.hasResult());
  }
  // The flag was cleared by the destructor's close: a new object opens and runs normally.
  AmbryDB next;
  next.openConnection();
  next.execute("SELECT 2");
  ASSERT_TRUE(next.getNextRow());
  EXPECT_STREQ(next.getField(0), "2");
  next.closeConnection();
}

class WrongPassword : public DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    mSaved = Ambry::property["mysql_password"];
    Ambry::property["mysql_password"] = "not-the-password";
  }
  void TearDown() override {
    Ambry::property["mysql_password"] = mSaved;
    DbTest::TearDown();
  }
  std::string openMessage() {
    AmbryDB other;
    try {
      other.openConnection();
    } catch (const AmbryDBException& e) {
      return str(e.getMessage());
    }
    return "opened";
  }
  Keystone::String mSaved;
};

TEST_F(WrongPassword, OpenThrowsTheConnectFailureInTheCurrentLanguage) {
  for (const char* language : {"eng", "afr"}) {
    Ambry::setLanguage(language);
    std::string expected = "openConnection - " + str(Ambry::getResource("err_connect_failed", false)) + ": ";
    std::string message = openMessage();
    EXPECT_EQ(message.substr(0, expected.size()), expected) << language;
    EXPECT_NE(message.find("Access denied"), std::string::npos) << message;
  }
  EXPECT_NE(str(Ambry::getResource("err_connect_failed", false)),
            "Failed to connect to database");  // the Afrikaans text was really used last
}

}  // namespace
