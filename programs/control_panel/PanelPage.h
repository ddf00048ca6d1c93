// The control panel page: its four forms, the restore point list and the stored schedule.
#pragma once

namespace ControlPanel {

// Writes the whole page content in the current language.
void printPanelPage();

}  // namespace ControlPanel
