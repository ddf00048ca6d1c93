// The foundation exception: holds a copy of its message.
#include "keystone/Exception.h"

namespace Keystone {

Exception::Exception() {}

Exception::Exception(const String& message) : message(message) {}

const String& Exception::getMessage() const {
  return message;
}

}  // namespace Keystone
