// The guess limit in the database: a check that the database cannot answer counts nothing, and the
// failures of a window that has closed count no more.
#include <cstdlib>

#include "tests/ambry/db/DbTestSupport.h"

using Ambry::PasswordVerdict;

namespace {

class PasswordGuesses : public DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    setenv("REMOTE_ADDR", "198.51.100.9", 1);
  }
  void TearDown() override {
    unsetenv("REMOTE_ADDR");
    DbTest::TearDown();
  }
  PasswordVerdict check(bool right) {
    return db.checkPassword([right] { return right; });
  }
  // The failures counted against the address; "" when none are.
  std::string failures() {
    return sql.scalar("SELECT failures FROM PASSWORDGUESS WHERE address = '198.51.100.9'");
  }
};

// As the member pages check a card's password: the member's look-up, whose failure is an exception.
bool memberKnown(Ambry::AmbryDB& on, const Query& card) {
  const bool known = on.memberExists(card);
  if (!known && on.getError().length() > 0) throw Ambry::AmbryDBException("memberExists: " + on.getError());
  return known;
}

// The limit is the setting's ten: the eleventh check within the window is held off. A check whose
// look-up the database cannot answer, because the server went away or the member table cannot be
// read, is no guess.
TEST_F(PasswordGuesses, ACheckTheDatabaseCannotAnswerCountsNothing) {
  const Query card = query({{"memberid", addMember(365, "right")}, {"password", "wrong"}});
  for (int i = 0; i < 12; ++i) {
    Ambry::AmbryDB cut;
    cut.openConnection();
    cut.execute("SELECT CONNECTION_ID()");
    ASSERT_TRUE(cut.getNextRow());
    const std::string id = cut.getField(0);
    const bool serverGone = i % 2 == 0;
    EXPECT_THROW(cut.checkPassword([&] {
      sql.exec(serverGone ? "KILL " + id : "RENAME TABLE MEMBER TO MEMBER_AWAY");
      return memberKnown(cut, card);
    }),
                 Ambry::AmbryDBException)
        << i;
    if (!serverGone) sql.exec("RENAME TABLE MEMBER_AWAY TO MEMBER");
  }
  EXPECT_EQ(failures(), "");
  EXPECT_EQ(check(true), PasswordVerdict::kRight);
}

TEST_F(PasswordGuesses, TheWindowHoldsTenMinutesFromItsFirstFailure) {
  for (int i = 0; i < 10; ++i) ASSERT_EQ(check(false), PasswordVerdict::kWrong) << i;
  EXPECT_EQ(check(true), PasswordVerdict::kHeldOff);
  sql.exec("UPDATE PASSWORDGUESS SET windowStart = NOW() - INTERVAL 590 SECOND");
  EXPECT_EQ(check(true), PasswordVerdict::kHeldOff) << "still within the window";
  EXPECT_EQ(failures(), "10");
  sql.exec("UPDATE PASSWORDGUESS SET windowStart = NOW() - INTERVAL 601 SECOND");
  EXPECT_EQ(check(false), PasswordVerdict::kWrong) << "a closed window holds nothing off";
  EXPECT_EQ(failures(), "1") << "a new window counts from this failure";
  EXPECT_EQ(check(true), PasswordVerdict::kRight);
}

}  // namespace
