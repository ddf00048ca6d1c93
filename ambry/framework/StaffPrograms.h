// Which programs belong to the staff: the staff programs of programs/programs.txt, compiled in.
#pragma once
#include "keystone/String.h"

namespace Ambry {

// True when name, a program's file name with or without its ".exe", is one of the staff programs.
bool isStaffProgram(const Keystone::String& name);

// The staff program this process runs ("book_editor"), known by the name of its executable file
// or by the name it was started under, so that no staff program has to say so itself; the empty
// string in every other program.
Keystone::String runningStaffProgram();

}  // namespace Ambry
