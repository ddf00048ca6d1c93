// The control panel page: the page alone without a command, the restore point list and the
// stored schedule.
#include <filesystem>
#include <string>

#include "tests/programs/control_panel/PanelTestSupport.h"
#include "tests/support/PageFrame.h"

using namespace PanelTest;
namespace fs = std::filesystem;

namespace {

const char* const kDisabledButton = "restore_form.submit();\" disabled=\"disabled\"></input>";
const char* const kDisabledList = "name=\"restore_file\"  disabled=\"disabled\">";

std::string scheduleScript(int type, int hour, int minute, int second) {
  return "<script language=\"JavaScript\">\n   update_form.schedule_type[" + std::to_string(type) +
         "].checked = true;\n   update_form.tod_hour[" + std::to_string(hour) +
         "].selected = true;\n   update_form.tod_min[" + std::to_string(minute) +
         "].selected = true;\n   update_form.tod_sec[" + std::to_string(second) +
         "].selected = true;\n</script>\n";
}

TEST(PanelPage, WithoutACommandShowsOnlyThePage) {
  SiteSandbox site;
  for (const char* body : {"", "cmd=0", "cmd=99", "cmd=abc", "restore_file=x.bak"}) {
    CgiResponse page = postPanel(site, body);
    EXPECT_EQ(page.exitStatus, 0);
    EXPECT_TRUE(popups(page.output).empty()) << body;
    for (const char* command : {"value=\"9\"", "value=\"10\"", "value=\"11\"", "value=\"12\""})
      EXPECT_NE(page.output.find(command), std::string::npos) << command;
    EXPECT_NE(page.output.find(scheduleScript(1, 0, 0, 0)), std::string::npos) << "daily at midnight";
    EXPECT_NE(page.output.find("</html>"), std::string::npos);
  }
  EXPECT_TRUE(entries(site.backup()).empty()) << "showing the page changes no file";
}

TEST(PanelPage, WithoutRestorePointsTheRestoreControlsAreDisabled) {
  SiteSandbox site;
  SiteSandbox::writeFile(site.backup() + "/notes.txt", "not a restore point");
  CgiResponse empty = postPanel(site, "");
  EXPECT_NE(empty.output.find(kDisabledButton), std::string::npos);
  EXPECT_NE(empty.output.find(kDisabledList), std::string::npos);
  EXPECT_EQ(empty.output.find("<option"), std::string::npos);

  fs::remove_all(site.backup());
  CgiResponse missing = postPanel(site, "");
  EXPECT_EQ(missing.exitStatus, 0);
  EXPECT_NE(missing.output.find(kDisabledButton), std::string::npos);
  EXPECT_NE(missing.output.find(kDisabledList), std::string::npos);
}

// In name order, opening on the newest point that is not a safety point; safety points (of this
// version and of earlier ones) say so, and the confirmation names the point chosen.
TEST(PanelPage, ListsOnlyWhatARestoreAcceptsAndOpensOnTheNewestThatIsNoSafetyPoint) {
  SiteSandbox site;
  for (const char* name : {"2006-05-17-09-05-03.bak", "notes.txt", "a.bak.old", "2005-01-02-03-04-05.bak",
                           "my copy.bak", "x.bak;rm", "2006-05-18-00-00-00-auto.bak",
                           "2006-06-01-00-00-00-before-restore.bak", "2007-01-01-00-00-00-safety-2.bak"})
    SiteSandbox::writeFile(site.backup() + "/" + name, "");
  fs::create_directories(site.backup() + "/folder.bak");
  std::string page = postPanel(site, "").output;
  EXPECT_EQ(page.find("disabled"), std::string::npos);
  for (const char* left : {"notes.txt", "my copy", "x.bak;rm", "folder.bak"})
    EXPECT_EQ(page.find(left), std::string::npos) << left;
  std::string expected =
      "name=\"restore_file\" >\n"
      "<option value=\"2005-01-02-03-04-05.bak\">2005-01-02-03-04-05.bak</option>\n"
      "<option value=\"2006-05-17-09-05-03.bak\">2006-05-17-09-05-03.bak</option>\n"
      "<option value=\"2006-05-18-00-00-00-auto.bak\" selected=\"selected\">2006-05-18-00-00-00-auto.bak</option>\n"
      "<option value=\"2006-06-01-00-00-00-before-restore.bak\">2006-06-01-00-00-00-before-restore.bak "
      "(safety point)</option>\n"
      "<option value=\"2007-01-01-00-00-00-safety-2.bak\">2007-01-01-00-00-00-safety-2.bak (safety point)</option>\n"
      "<option value=\"a.bak.old\">a.bak.old</option>\n</select>";
  EXPECT_NE(page.find(expected), std::string::npos) << page;
  EXPECT_NE(page.find("onclick=\"if (confirm('" + english("msg_confirm_restore_database_backup") +
                      "\\n\\nRestore point that will replace the database: ' + restore_form.restore_file.value)) "
                      "restore_form.submit();\">"),
            std::string::npos);

  fs::remove(site.backup() + "/2006-05-18-00-00-00-auto.bak");
  page = postPanel(site, "").output;
  EXPECT_NE(page.find("<option value=\"2006-05-17-09-05-03.bak\" selected=\"selected\">"), std::string::npos);
  for (const char* name : {"2005-01-02-03-04-05.bak", "2006-05-17-09-05-03.bak"})
    fs::remove(site.backup() + "/" + name);
  page = postPanel(site, "").output;
  EXPECT_NE(page.find("<option value=\"a.bak.old\" selected=\"selected\">"), std::string::npos)
      << "an undated point when no dated one is left";
}

// Each choice and list has an id of its own and a name; the restore point list, labelled by its
// description, comes before its button, so that the keyboard reaches them in the order of use.
TEST(PanelPage, EveryFieldIsNamedAndTheRestoreListComesBeforeItsButton) {
  SiteSandbox site;
  SiteSandbox::writeFile(site.backup() + "/2006-05-17-09-05-03.bak", "");
  const std::string page = postPanel(site, "").output;
  EXPECT_EQ(TestSupport::idFaults(page), std::vector<std::string>{}) << page;
  for (int type = 0; type < 5; ++type)
    EXPECT_NE(page.find("id=\"schedule_type_" + std::to_string(type) + "\" name=\"schedule_type\""),
              std::string::npos);
  for (const char* unit : {"hour", "min", "sec"})
    EXPECT_NE(page.find(std::string("name=\"tod_") + unit + "\" id=\"tod_" + unit +
                        "\" aria-labelledby=\"tod_caption tod_" + unit + "_name\""),
              std::string::npos)
        << unit;
  const size_t label =
      page.find("<label for=\"restore_file\">" + english("desc_restore_database_backup") + "</label>");
  const size_t list = page.find("<select id=\"restore_file\"");
  const size_t button = page.find("value=\"" + english("caption_restore_database_backup") + "\"");
  EXPECT_LT(label, list);
  EXPECT_LT(list, page.find("</select>", list));
  EXPECT_LT(page.find("</select>", list), button);
  EXPECT_NE(button, std::string::npos);
}

TEST(PanelPage, AFileNameCannotAddMarkupToThePage) {
  SiteSandbox site;
  SiteSandbox::writeFile(site.backup() + "/x\"><script>alert(1)<\\script>.bak", "");
  std::string page = postPanel(site, "").output;
  EXPECT_EQ(page.find("<script>alert"), std::string::npos);
  EXPECT_EQ(page.find("alert(1)"), std::string::npos) << "no restore point name, so not offered";
}

TEST(PanelPage, SavedScheduleIsStoredAsTwoIntegersAndShownSelected) {
  SiteSandbox site;
  CgiResponse saved = postPanel(site, "cmd=12&schedule_type=3&tod_hour=14&tod_min=30&tod_sec=5");
  EXPECT_TRUE(popsUp(saved.output, english("msg_settings_update_successful")));
  EXPECT_EQ(SiteSandbox::readFile(site.backup() + "/settings.dat"), int32Bytes({3, 52205}));
  EXPECT_NE(saved.output.find(scheduleScript(3, 14, 30, 5)), std::string::npos);
  EXPECT_NE(postPanel(site, "").output.find(scheduleScript(3, 14, 30, 5)), std::string::npos);
  EXPECT_EQ(entries(site.backup()), std::vector<std::string>{"settings.dat"}) << "no leftover files";
}

TEST(PanelPage, UnusualScheduleValuesAreStoredAsTheyAre) {
  SiteSandbox site;
  CgiResponse saved = postPanel(site, "cmd=12&schedule_type=7&tod_hour=30&tod_min=0&tod_sec=0");
  EXPECT_EQ(readInt32s(site.backup() + "/settings.dat"), (std::vector<std::int32_t>{7, 108000}));
  EXPECT_NE(saved.output.find(scheduleScript(7, 30, 0, 0)), std::string::npos);

  postPanel(site, "cmd=12&schedule_type=-1&tod_min=-1");
  EXPECT_EQ(readInt32s(site.backup() + "/settings.dat"), (std::vector<std::int32_t>{-1, -60}));
}

TEST(PanelPage, ASettingsFileCutShortShowsTheDefault) {
  SiteSandbox site;
  SiteSandbox::writeFile(site.backup() + "/settings.dat", "\x02");  // cut short: the default holds
  EXPECT_NE(postPanel(site, "").output.find(scheduleScript(1, 0, 0, 0)), std::string::npos);
}

TEST(PanelPage, AScheduleThatCannotBeWrittenIsReportedAndThePageFollows) {
  SiteSandbox site;
  fs::remove_all(site.backup());
  CgiResponse page = postPanel(site, "cmd=12&schedule_type=2&tod_hour=1");
  EXPECT_TRUE(popsUp(page.output, english("err_fatal")));
  EXPECT_NE(page.output.find(scheduleScript(1, 0, 0, 0)), std::string::npos);
}

}  // namespace
