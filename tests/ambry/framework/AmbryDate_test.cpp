// Dates: fixed-position parsing and the two comparisons.
#include "tests/ambry/framework/FrameworkTestSupport.h"

using Ambry::AmbryDate;

namespace {

void expectDate(const char* text, int year, int month, int day) {
  const AmbryDate date(text);
  EXPECT_EQ(year, date.getYear()) << text;
  EXPECT_EQ(month, date.getMonth()) << text;
  EXPECT_EQ(day, date.getDay()) << text;
}

}  // namespace

TEST(AmbryDateParse, FixedPositions) {
  expectDate("2005-10-11", 2005, 10, 11);
  expectDate("2005-1-5", 2005, 1, 0);  // positions 5-6 hold "1-", 8-9 lie past the end
  expectDate("", 0, 0, 0);
  expectDate("20", 20, 0, 0);
  expectDate("abcd-ef-gh", 0, 0, 0);
  expectDate("2007-03-05 09:04:07", 2007, 3, 5);  // a date-time reads as its date
}

TEST(AmbryDateCompare, LessAndLessOrEqual) {
  EXPECT_TRUE(AmbryDate("2005-10-11") < AmbryDate("2005-10-12"));
  EXPECT_FALSE(AmbryDate("2005-10-12") < AmbryDate("2005-10-11"));
  EXPECT_TRUE(AmbryDate("2005-10-11") <= AmbryDate("2005-10-11"));
  EXPECT_FALSE(AmbryDate("2005-10-11") < AmbryDate("2005-10-11"));
  EXPECT_FALSE(AmbryDate("2006-01-01") < AmbryDate("2005-12-31"));
  EXPECT_FALSE(AmbryDate("2006-01-01") <= AmbryDate("2005-12-31"));
  EXPECT_TRUE(AmbryDate("2005-09-30") < AmbryDate("2005-10-01"));  // month decides before day
}
