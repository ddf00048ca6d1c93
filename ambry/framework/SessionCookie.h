// The staff session's cookie: a random token that the browser sends back, and nothing else.
#pragma once
#include "keystone/String.h"

namespace Ambry {

// The token of the staff session cookie that this request carries (HTTP_COOKIE), or the empty
// string when there is none or its value is not a token this site could have made.
Keystone::String sessionCookieToken();

// A new token: 32 bytes of the kernel's randomness as 64 lower-case hexadecimal digits. Throws
// Keystone::Exception when no randomness can be had.
Keystone::String newSessionToken();

// The HTTP header line that gives the browser the session cookie: sent back to this site only,
// never to its scripts (HttpOnly), never with a request another site starts (SameSite=Strict),
// and over TLS never without it (Secure). It lasts until the browser closes; the session itself
// ends earlier on the server.
void printSessionCookie(const Keystone::String& token);

// The HTTP header line that makes the browser forget the session cookie.
void printSessionCookieRemoval();

}  // namespace Ambry
