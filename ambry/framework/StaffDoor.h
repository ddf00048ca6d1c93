// The staff door: the staff programs answer only a librarian who signed in with the staff
// password, and every sign-in is a password check under the guess limit.
#pragma once
#include "keystone/Keystone"

namespace Ambry {

// Whether this request carries the cookie of an open staff session. Reads the cookie only, never
// the posted body. Throws Keystone::Exception when the database cannot tell.
bool isStaffSignedIn();

enum class StaffSignIn { kSignedIn, kWrongPassword, kHeldOff };

// Checks password against the admin_password setting under the guess limit. When it is right,
// opens a new session (ending the one the request carried) and puts its token into token. Throws
// Keystone::Exception when the database could not answer: nothing is then counted or opened.
StaffSignIn signInStaff(const Keystone::String& password, Keystone::String& token);

// The digest the database keeps of this request's session token ("" without a session cookie): it
// names the session without opening it. Throws Keystone::Exception when the database cannot answer.
Keystone::String staffSessionDigest();

// Ends the session of the request's cookie, for every web host; throws when the database cannot.
void signOutStaff();

// Where a sign-in may send the browser back to: requested when it names a staff program of this
// site ("book_editor.exe", optionally with a query of plain URL characters), else the empty string.
Keystone::String staffReturnAddress(const Keystone::String& requested);

// Run by the library when it is loaded, before a program's main: in a staff program, a request
// without an open session gets the sign-in form (or the reason why the session could not be
// checked), and the process ends there.
void guardStaffProgram();

}  // namespace Ambry
