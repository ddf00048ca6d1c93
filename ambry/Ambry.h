// Chief header of the ambry shared library: the escaping module, the page framework and the
// compiled-in resources.
#pragma once
#include "ambry/escape/Escape.h"
#include "ambry/framework/AmbryDate.h"
#include "ambry/framework/Counter.h"
#include "ambry/framework/EntryForm.h"
#include "ambry/framework/Guarded.h"
#include "ambry/framework/Messages.h"
#include "ambry/framework/Page.h"
#include "ambry/framework/Request.h"
#include "ambry/framework/ResultTable.h"
#include "ambry/framework/SameOrigin.h"
#include "ambry/framework/SessionCookie.h"
#include "ambry/framework/StaffDoor.h"
#include "ambry/resources/Resources.h"
#include "keystone/Keystone"
