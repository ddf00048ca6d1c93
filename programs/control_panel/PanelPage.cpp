// The four forms of the control panel: back up, restore, launch autovault and its schedule.
#include "programs/control_panel/PanelPage.h"

#include <cstdio>
#include <string>
#include <vector>

#include "ambry/Ambry.h"
#include "ambry/db/RestorePoints.h"
#include "ambry/framework/Commands.h"
#include "programs/control_panel/PanelFiles.h"
#include "programs/control_panel/RestorePoints.h"

namespace ControlPanel {

namespace {

void put(const char* text) {
  std::fputs(text, stdout);
}
void put(const Keystone::String& text) {
  std::fputs(text.c_str(), stdout);
}
void putText(const char* key) {
  put(Ambry::getResource(key, false));
}

const char* const kDivider =
    "</td>\n</tr>\n</table>\n</td>\n</tr>\n</form>\n<tr>\n"
    "<td colspan=\"2\"><hr></td>\n</tr>\n";

// A form's row up to the inside of its first cell: the highlight colour and the hidden command
// (by name alone: the four forms each have one).
void openFormRow(const char* formTag, Ambry::Command command) {
  put(formTag);
  put("\n<tr onmouseout=\"this.bgColor=''\" onmouseover=\"this.bgColor='");
  put(Ambry::getProperty("color_interchange"));
  put("'\">\n<td align=\"center\">\n<input type=\"hidden\" name=\"cmd\" value=\"");
  put(Ambry::commandCode(command).c_str());
  put("\"></input>\n<table cellpadding=\"0\" cellspacing=\"10\" width=\"100%\">\n<tr>\n<td width=\"50%\">");
}

// A form's row up to the value of its submit button, which is the first cell.
void openSubmitRow(const char* formTag, Ambry::Command command) {
  openFormRow(formTag, command);
  put("<input type=\"submit\" value=\"");
}

void printBackupForm() {
  put("<h1>");
  putText("title_admin_panel");
  put(":</h1>\n<hr>\n<table cellpadding=\"0\" cellspacing=\"0\" width=\"100%\">\n");
  openSubmitRow("<form name=\"backup_form\" method=\"post\">", Ambry::CMD_BACKUP);
  putText("caption_backup_database");
  put("\"></input></td>\n<td>");
  putText("desc_backup_database");
}

// One restore point of the list: the one it opens on is selected, and a safety point says so.
void printRestoreOption(const std::string& name, const std::string& selected) {
  Keystone::String shown = Ambry::escapeHtml(name.c_str());
  put("<option value=\"");
  put(shown);
  put(name == selected ? "\" selected=\"selected\">" : "\">");
  put(shown);
  if (Ambry::restorePointKind(name) == Ambry::RestorePointKind::kSafety) {
    put(" (");
    putText("caption_safety_point");
    put(")");
  }
  put("</option>\n");
}

// A text inside the single-quoted script literal of an onclick attribute.
void putScriptText(const char* key) {
  put(Ambry::escapeHtml(Ambry::escapeJsString(Ambry::getResource(key, false))));
}

// The restore button asks for confirmation, naming the restore point chosen; it and the list are
// disabled without restore points. The list opens on the newest point that is not a safety point.
// The list, labelled by the description, comes before its button, so that the keyboard reaches them
// in the order they are used.
void printRestoreForm(const std::vector<std::string>& restorePoints) {
  const char* disabled = restorePoints.empty() ? " disabled=\"disabled\"" : "";
  put(kDivider);
  openFormRow("<form name=\"restore_form\" method=\"post\">", Ambry::CMD_RESTORE);
  put("</td>\n<td><label for=\"restore_file\">");
  putText("desc_restore_database_backup");
  put("</label><select id=\"restore_file\" name=\"restore_file\" ");
  put(disabled);
  put(">\n");
  const std::string selected = newestRestorePoint(restorePoints);
  for (const std::string& name : restorePoints) printRestoreOption(name, selected);
  put("</select><br>\n<input type=\"button\" value=\"");
  putText("caption_restore_database_backup");
  put("\" onclick=\"if (confirm('");
  putScriptText("msg_confirm_restore_database_backup");
  put("\\n\\n");
  putScriptText("msg_confirm_restore_point");
  put("' + restore_form.restore_file.value)) restore_form.submit();\"");
  put(disabled);
  put("></input>");
}

void printLaunchForm() {
  put(kDivider);
  openSubmitRow("<form method=\"post\">", Ambry::CMD_LAUNCH);
  putText("caption_activate_autovault");
  put("\"></input></td>\n<td>");
  putText("desc_activate_autovault");
}

void printScheduleForm() {
  static const char* const captions[] = {"caption_field_hour", "caption_field_day", "caption_field_week",
                                         "caption_field_month", "caption_field_year"};
  put(kDivider);
  openSubmitRow("<form name=\"update_form\" method=\"post\">", Ambry::CMD_SCHEDULE);
  putText("caption_update_autovault_settings");
  put("\"></input></td>\n<td>");
  putText("desc_update_autovault_settings0");
  put("\n<table>");
  // Each choice has an id of its own, which its caption labels.
  for (int index = 0; index < 5; ++index) {
    std::printf(
        "<tr><td align=\"left\"><input type=\"radio\" id=\"schedule_type_%d\" "
        "name=\"schedule_type\" value=\"%d\"%s><label for=\"schedule_type_%d\">",
        index, index, index == 0 ? " checked=\"checked\"" : "", index);
    putText(captions[index]);
    put("</label></input></td></tr>");
  }
  // The three lists of the time are named by the caption and each by its unit.
  put("</table><br><span id=\"tod_caption\">");
  putText("desc_update_autovault_settings1");
  put("</span><br><br>\n<span id=\"tod_hour_name\" hidden>");
  putText("caption_field_hour");
  put("</span><span id=\"tod_min_name\" hidden>");
  putText("caption_field_minute");
  put("</span><span id=\"tod_sec_name\" hidden>");
  putText("caption_field_second");
  put("</span>"
      "<select name=\"tod_hour\" id=\"tod_hour\" aria-labelledby=\"tod_caption tod_hour_name\"></select>:"
      "<select name=\"tod_min\" id=\"tod_min\" aria-labelledby=\"tod_caption tod_min_name\"></select>:"
      "<select name=\"tod_sec\" id=\"tod_sec\" aria-labelledby=\"tod_caption "
      "tod_sec_name\"></select></td></tr>"
      "<script language=\"JavaScript\" type=\"text/javascript\">\n   var i;\n"
      "for (i = 0; i < 24; i++) update_form.tod_hour.options[i] = new Option(i);\n"
      "for (i = 0; i < 60; i++) { update_form.tod_min.options[i] = new Option(i); "
      "update_form.tod_sec.options[i] = new Option(i); }</script>\n"
      "</td>\n</tr>\n</table>\n</td>\n</tr>\n</form>\n</table>\n<hr>\n");
}

// Marks the stored schedule in the form, over the static mark of the first row.
void printStoredSchedule() {
  Schedule schedule;
  readSchedule(schedule);
  int seconds = schedule.seconds;
  Ambry::beginJavaScriptTag("");
  std::printf("   update_form.schedule_type[%d].checked = true;\n", static_cast<int>(schedule.type));
  std::printf("   update_form.tod_hour[%d].selected = true;\n", seconds / 3600);
  std::printf("   update_form.tod_min[%d].selected = true;\n", (seconds % 3600) / 60);
  std::printf("   update_form.tod_sec[%d].selected = true;\n", seconds % 60);
  Ambry::endScriptTag();
}

}  // namespace

void printPanelPage() {
  printBackupForm();
  printRestoreForm(listRestorePoints());
  printLaunchForm();
  printScheduleForm();
  printStoredSchedule();
}

}  // namespace ControlPanel
