// The check every state-changing staff command passes: the request must come from this site's own pages.
#pragma once

namespace Ambry {

// False when the browser says the request comes from elsewhere: HTTP_ORIGIN is present and is
// "null" or names another scheme, host or port than this request's own (HTTP_HOST, and HTTPS for
// the scheme); without HTTP_ORIGIN, the same test applies to HTTP_REFERER. True when neither is
// present, as for a client that is not a browser.
bool isSameOriginRequest();

// True when the request came over TLS, as the web server says (HTTPS "on"; behind a trusted TLS
// proxy the web server says so from the proxy's X-Forwarded-Proto).
bool isHttpsRequest();

}  // namespace Ambry
