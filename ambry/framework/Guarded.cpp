// Guarded work: the one place where the pages catch the failures of their work and show them.
#include "ambry/framework/Guarded.h"

#include "ambry/framework/Messages.h"
#include "ambry/framework/Page.h"
#include "keystone/Keystone"

namespace Ambry {

namespace {

void report(const Keystone::String& key, const Keystone::Exception& failure,
            const std::function<void()>& beforeReport) {
  if (beforeReport) beforeReport();
  // A failure inside a script element would otherwise hide the report in the script.
  if (isScriptOpen()) endScriptTag();
  printError(key, failure);
}

}  // namespace

bool runGuarded(const char* failureKey, const std::function<void()>& work,
                const std::function<void()>& beforeReport) {
  try {
    work();
    return true;
  } catch (const Keystone::Exception& failure) {
    report(Keystone::String(failureKey) + "_reason", failure, beforeReport);
  } catch (...) {
    report(failureKey, Keystone::Exception(), beforeReport);
  }
  return false;
}

}  // namespace Ambry
