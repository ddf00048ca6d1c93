// The command codes that pages post in "cmd": the editors', the control panel's and the import's.
#pragma once
#include <string>

namespace Ambry {

// The entry form script (site/data/entryform.js) knows the editors' codes by these same names.
enum Command {
  CMD_FIRST = 0,
  CMD_INSERT = 1,
  CMD_UPDATE = 2,
  CMD_DELETE = 3,
  CMD_JUMP = 4,
  CMD_PREVIOUS = 5,
  CMD_NEXT = 6,
  CMD_SEARCH = 7,
  CMD_CHECKIN = 8,
  CMD_BACKUP = 9,
  CMD_RESTORE = 10,
  CMD_LAUNCH = 11,
  CMD_SCHEDULE = 12,
  CMD_ISBN_SCAN = 13,
  CMD_MEMBERID_SCAN = 14,
  CMD_IMPORT = 15,
  CMD_DISCARD_IMPORT = 16
};

// The code as a page writes it: the value of a form's "cmd" field, or a script call's argument.
inline std::string commandCode(Command command) {
  return std::to_string(static_cast<int>(command));
}

// Whether the command changes stored data (the rest navigate or search).
inline bool changesState(int command) {
  return command == CMD_INSERT || command == CMD_UPDATE || command == CMD_DELETE || command == CMD_CHECKIN ||
         (command >= CMD_BACKUP && command <= CMD_SCHEDULE) || command == CMD_IMPORT ||
         command == CMD_DISCARD_IMPORT;
}

}  // namespace Ambry
