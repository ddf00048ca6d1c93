// Restore point names: built from one local time, the check that a posted name is one, and the
// kinds that names tell apart.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
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

// Only points named by this version as automatic or safety points are ever pruned; a safety point
// of an earlier version is shown as one but kept, and an earlier automatic one looks made by hand.
TEST(BackupNames, KindsAndWhatMayBePruned) {
  using Kind = Ambry::RestorePointKind;
  struct Case {
    const char* name;
    Kind kind;
    bool prunable;
  } cases[] = {
      {"2006-05-17-09-05-03.bak", Kind::kByHand, false},
      {"2006-05-17-09-05-03-auto.bak", Kind::kAutomatic, true},
      {"2006-05-17-09-05-03-auto-12.bak", Kind::kAutomatic, true},
      {"2006-05-17-09-05-03-safety.bak", Kind::kSafety, true},
      {"2006-05-17-09-05-03-safety-2.bak", Kind::kSafety, true},
      {"2006-05-17-09-05-03-before-restore.bak", Kind::kSafety, false},
      {"2006-05-17-09-05-03-before-restore-3.bak", Kind::kSafety, false},
      {"2006-05-17-09-05-03-safety-.bak", Kind::kByHand, false},
      {"2006-05-17-09-05-03-safety-2x.bak", Kind::kByHand, false},
      {"2006-05-17-09-05-03-auto.bak.old", Kind::kByHand, false},
      {"my-auto.bak", Kind::kByHand, false},
      {"2006-5-17-09-05-03-auto.bak", Kind::kByHand, false},
      {"2006-05-17-09-05-03-auto", Kind::kByHand, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Ambry::restorePointKind(c.name), c.kind) << c.name;
    EXPECT_EQ(Ambry::isPrunable(c.name, c.kind), c.prunable) << c.name;
    EXPECT_FALSE(Ambry::isPrunable(c.name, Kind::kByHand)) << c.name;
  }
  EXPECT_FALSE(Ambry::isPrunable("2006-05-17-09-05-03-auto.bak", Kind::kSafety));
  EXPECT_EQ(Ambry::restorePointTime("2006-05-17-09-05-03-auto.bak"), "2006-05-17-09-05-03");
  EXPECT_EQ(Ambry::restorePointTime("a.bak.old"), "");
}

// A new automatic or safety point replaces nothing; one made by hand keeps its plain name.
TEST(BackupNames, NewPointsOfAKindAreNumberedPastTakenNames) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("ambry-names-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const std::string folder = dir.string() + "/";
  const std::tm when = localTime(2006, 5, 17, 9, 5, 3);
  EXPECT_EQ(Ambry::newRestorePointName(folder, Ambry::RestorePointKind::kSafety, when),
            "2006-05-17-09-05-03-safety.bak");
  for (const char* taken : {"2006-05-17-09-05-03-safety.bak", "2006-05-17-09-05-03-safety-2.bak",
                            "2006-05-17-09-05-03.bak"})
    std::ofstream(folder + taken).put('x');
  EXPECT_EQ(Ambry::newRestorePointName(folder, Ambry::RestorePointKind::kSafety, when),
            "2006-05-17-09-05-03-safety-3.bak");
  EXPECT_EQ(Ambry::newRestorePointName(folder, Ambry::RestorePointKind::kAutomatic, when),
            "2006-05-17-09-05-03-auto.bak");
  EXPECT_EQ(Ambry::newRestorePointName(folder, Ambry::RestorePointKind::kByHand, when), "2006-05-17-09-05-03.bak");
  std::filesystem::remove_all(dir);
}
