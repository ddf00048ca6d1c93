// Guarded work: a failure of the database or file work of a page is shown on the page, which goes on.
#pragma once
#include <functional>

namespace Ambry {

// Runs work. When it fails, beforeReport runs (when given), a script element left open is
// closed, and the error is shown under the text of failureKey + "_reason" with the message of a
// Keystone::Exception, or under the text of failureKey for any other failure. False after a failure.
bool runGuarded(const char* failureKey, const std::function<void()>& work,
                const std::function<void()>& beforeReport = nullptr);

}  // namespace Ambry
