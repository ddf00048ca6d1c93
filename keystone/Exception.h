// The one exception type of the foundation library: a fixed text naming the failed operation.
#ifndef KEYSTONE_EXCEPTION_H
#define KEYSTONE_EXCEPTION_H

#include "keystone/String.h"

namespace Keystone {

// Thrown by value and caught by reference; derived classes add no fields.
class Exception {
 public:
  Exception();
  Exception(const String& message);
  const String& getMessage() const;

 protected:
  String message;
};

}  // namespace Keystone

#endif
