// Restore point names: built from one local time, and the check that a posted name is one.
#include <gtest/gtest.h>

#include <string>

#include "ambry/db/Backup.h"

namespace {

std::tm localTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  return t;
}

std::string nameAt(const std::tm& t) {
  return Ambry::restorePointName(t).c_str();
}

TEST(BackupNames, PadsEveryFieldToTwoDigitsAndEndsInBak) {
  EXPECT_EQ(nameAt(localTime(2006, 5, 17, 9, 5, 3)), "2006-05-17-09-05-03.bak");
  EXPECT_EQ(nameAt(localTime(2024, 1, 1, 0, 0, 7)), "2024-01-01-00-00-07.bak");
  EXPECT_EQ(nameAt(localTime(2024, 12, 31, 23, 59, 59)), "2024-12-31-23-59-59.bak");
}

TEST(BackupNames, AcceptsBareRestorePointNames) {
  for (const char* name : {"2006-05-17-09-05-03.bak", "a.bak.old", "before_upgrade.bak", "X.BAK.bak"})
    EXPECT_TRUE(Ambry::isRestorePointName(name)) << name;
}

TEST(BackupNames, RefusesPathsShellTextAndOtherFiles) {
  for (const char* name : {"",           ".bak/",        "../x.bak",        "..bak",         "a..bak",
                           "/etc/x.bak", "sub/x.bak",    "x.bak;rm -rf ..", "x;touch y.bak", "$(id).bak",
                           "`id`.bak",   "x .bak",       "x.bak\n",         "x'.bak",        "x\".bak",
                           "notes.txt",  "settings.dat", "runflag",         "x.BAK",         "x\\y.bak"})
    EXPECT_FALSE(Ambry::isRestorePointName(name)) << name;
  EXPECT_FALSE(Ambry::isRestorePointName(std::string(252, 'a').append(".bak").c_str()));
}

}  // namespace
