// The four actions of the control panel, each reported in a pop-up message.
#pragma once
#include "ambry/Ambry.h"
#include "ambry/framework/Commands.h"

namespace ControlPanel {

// Carries out the command (any other code does nothing) with the posted parameters.
void runPanelCommand(int command, const Ambry::QueryMap& posted);

}  // namespace ControlPanel
