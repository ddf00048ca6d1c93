// Captures what a piece of library code writes to standard output, for unit tests.
#pragma once
#include <functional>
#include <string>

namespace TestSupport {
// Runs fn with standard output redirected to a temporary file and returns what it wrote.
std::string captureStdout(const std::function<void()>& fn);
}  // namespace TestSupport
