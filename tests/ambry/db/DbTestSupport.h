// Helpers for the database tests: a fresh, open AmbryDB per test, rows set up by direct SQL
// and query maps from brace lists.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "ambry/Ambry.h"
#include "ambry/db/AmbryDB.h"
#include "tests/support/Capture.h"
#include "tests/support/Popups.h"
#include "tests/support/Strings.h"
#include "tests/support/TestDB.h"

using Query = Ambry::AmbryDB::QueryMap;
using TestSupport::captureStdout;
using TestSupport::dateFromToday;
using TestSupport::english;
using TestSupport::englishError;
using TestSupport::popsUp;

inline Query query(std::initializer_list<std::pair<const char*, std::string>> items) {
  Query q;
  for (const auto& item : items) q[item.first] = item.second.c_str();
  return q;
}

// Each test starts from empty data tables, in English, with its own open connection.
class DbTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mLanguage = Ambry::getLanguage();
    Ambry::setLanguage("eng");
    sql.reset();
    db.openConnection();
  }
  void TearDown() override {
    db.closeConnection();
    Ambry::setLanguage(mLanguage);
  }

  // A member whose account expires the given number of days from today.
  std::string addMember(int expiresInDays = 365, const std::string& password = "secret") {
    sql.exec(
        "INSERT INTO MEMBER (password, surname, firstName, address, contactNo, addDate, "
        "accountExpiryDate, accountBalance) VALUES ('" +
        password +
        "', 'Surname', 'Name', "
        "'Street 1', '555', '2001-02-03 04:05:06', '" +
        dateFromToday(expiresInDays) + "', 0)");
    return std::to_string(sql.lastInsertId());
  }
  std::string addCheckout(const std::string& member, const std::string& book, bool open = true) {
    sql.exec("INSERT INTO CHECKOUT (memberid, bookid, checkoutDate, returnDate, inDate) VALUES (" + member +
             ", " + book + ", NOW(), '" + dateFromToday(7) + "', " +
             (open ? "'0000-00-00'" : "'2001-01-01 10:00:00'") + ")");
    return std::to_string(sql.lastInsertId());
  }
  std::string addReservation(const std::string& member, const std::string& book) {
    sql.exec("INSERT INTO RESERVATION (memberid, bookid, addDate) VALUES (" + member + ", " + book +
             ", NOW())");
    return std::to_string(sql.lastInsertId());
  }
  std::string addBlacklisting(const std::string& member, const std::string& reason = "fines") {
    sql.exec("INSERT INTO BLACKLIST (memberid, addDate, reason) VALUES (" + member + ", NOW(), '" + reason +
             "')");
    return std::to_string(sql.lastInsertId());
  }
  std::string count(const std::string& table, const std::string& where = "1") {
    return sql.scalar("SELECT COUNT(*) FROM " + table + " WHERE " + where);
  }

  TestSupport::TestDB sql;
  Ambry::AmbryDB db;

 private:
  Keystone::String mLanguage;
};
