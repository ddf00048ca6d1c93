// Chief header of the ambry shared library: the page framework and the compiled-in resources.
#pragma once
#include "ambry/framework/AmbryDate.h"
#include "ambry/framework/Counter.h"
#include "ambry/framework/EntryForm.h"
#include "ambry/framework/Escape.h"
#include "ambry/framework/Messages.h"
#include "ambry/framework/Page.h"
#include "ambry/framework/Request.h"
#include "ambry/framework/ResultTable.h"
#include "ambry/framework/SameOrigin.h"
#include "ambry/framework/Throttle.h"
#include "ambry/resources/Resources.h"
#include "keystone/Keystone"
