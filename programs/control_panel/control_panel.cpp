// control_panel: back up and restore the database, and set up and launch autovault.
#include <cstdlib>

#include "ambry/Ambry.h"
#include "programs/control_panel/PanelCommands.h"
#include "programs/control_panel/PanelPage.h"

int main() {
  Ambry::beginPage("title_admin_panel", Ambry::AREA_ADMIN, Ambry::CONTENT_HAS_HEADING);
  Ambry::QueryMap posted = Ambry::getQueryMap();
  int command = std::atoi(posted.get("cmd", "").c_str());
  // Every command of the panel changes something; one posted from another site's page is not
  // carried out.
  if (Ambry::changesState(command) && !Ambry::isSameOriginRequest()) {
    Ambry::popupMessage("err_cross_site", false);
    command = 0;
  }
  Ambry::runGuarded("err_fatal", [&] {
    ControlPanel::runPanelCommand(command, posted);
    ControlPanel::printPanelPage();
  });
  Ambry::endPage();
  return 0;
}
