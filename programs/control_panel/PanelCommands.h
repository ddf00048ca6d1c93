// The four actions of the control panel, each reported in a pop-up message.
#pragma once
#include "ambry/Ambry.h"

namespace ControlPanel {

// Command codes posted by the page's forms.
enum Command { CMD_BACKUP = 9, CMD_RESTORE = 10, CMD_LAUNCH = 11, CMD_SCHEDULE = 12 };

// Carries out the command (any other code does nothing) with the posted parameters.
void runPanelCommand(int command, const Ambry::QueryMap& posted);

}  // namespace ControlPanel
