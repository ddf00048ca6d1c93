// Starting a program as a process of its own that outlives the request.
#pragma once
#include <string>

namespace ControlPanel {

// Starts program (a path, relative to the working directory unless absolute) without arguments,
// in a session of its own, with standard input, output and error on /dev/null and no other
// inherited descriptors, so the web server never waits for it. Does not wait for the program.
// True when the program was started; false when it could not be (missing, not executable).
bool startDetached(const std::string& program);

}  // namespace ControlPanel
