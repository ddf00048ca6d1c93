// The library's process-wide objects, defined in one file so that load and unload run in a fixed
// order: settings from the environment, current language, output buffering, visitor counter
// (unload in reverse), and last the staff door.
#include <cstdio>

#include "ambry/framework/Counter.h"
#include "ambry/framework/StaffDoor.h"
#include "ambry/resources/Tables.h"

namespace Ambry {

// The four tables are laid out by the compiler and exist before anything runs (Tables.cpp,
// Settings.cpp, Columns.cpp, FormDescriptions.cpp). Settings named in the environment replace the
// compiled-in ones first; the current language needs them.
namespace {
const bool settingsFromEnvironment = (applySettingOverrides(property), true);
}  // namespace
Keystone::String currentLanguage = getProperty("default_language");

namespace {

// The page goes out in large blocks; at unload the last block is written and stdout left unbuffered,
// so that nothing written later can land in a buffer that no longer exists.
class StdoutBuffering {
 public:
  StdoutBuffering() { std::setvbuf(stdout, mBuffer, _IOFBF, sizeof mBuffer); }
  ~StdoutBuffering() {
    std::fflush(stdout);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
  }
  StdoutBuffering(const StdoutBuffering&) = delete;
  StdoutBuffering& operator=(const StdoutBuffering&) = delete;

 private:
  char mBuffer[32766];
};

StdoutBuffering stdoutBuffering;

}  // namespace

// Destroyed first at unload: the count is written back while the texts for its messages still
// exist and before the last flush of stdout, so a failure message still reaches the page.
Counter Counter::mSingleton;

namespace {

// Last of all, before any program code runs: a staff program (programs/programs.txt) goes
// on only for a signed-in librarian, so that none of them can forget to ask.
const bool staffDoorPassed = (guardStaffProgram(), true);

}  // namespace

}  // namespace Ambry
