// Holds off password guessing: failed password checks are counted per client address.
#pragma once

namespace Ambry {

// Call before a password is checked. False when the client address (REMOTE_ADDR) has had more
// than the throttle_limit setting of failed checks in the current ten-minute window: the password
// must then not be checked at all. True otherwise, and the check is counted as failed until
// passwordAccepted() takes it back, so that simultaneous guesses cannot slip past the limit.
bool startPasswordCheck();

// The password just checked was right: the check started last is not counted as failed.
void passwordAccepted();

}  // namespace Ambry
