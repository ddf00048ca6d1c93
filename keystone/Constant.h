// Compiled-in data: the tag that selects the constant forms of the types, and a holder never destroyed.
#ifndef KEYSTONE_CONSTANT_H
#define KEYSTONE_CONSTANT_H

#include <utility>

namespace Keystone {

// Selects the constant form of String, Array, Vector, Map and Pair: the object is laid out by the
// compiler, points at data compiled into the program and frees nothing. Reading it is the same as
// reading an ordinary object; every copy of it is an ordinary deep copy; the first change made
// through it turns it into an ordinary object holding its own copy first.
struct Constant {};

// Holds an object that lives until the process ends: its destructor does nothing, so nothing is
// run at exit for it and data that constant objects point at stays valid to the last moment.
template <typename T>
union Permanent {
  template <typename... Args>
  constexpr explicit Permanent(Args&&... args) : value(std::forward<Args>(args)...) {}
  ~Permanent() {}
  Permanent(const Permanent&) = delete;
  Permanent& operator=(const Permanent&) = delete;

  T value;
};

}  // namespace Keystone

// Requires an object to be laid out by the compiler: a build error instead of code run at start.
#if defined(__clang__)
#define KEYSTONE_CONSTINIT [[clang::require_constant_initialization]]
#elif defined(__GNUC__)
#define KEYSTONE_CONSTINIT __constinit
#else
#define KEYSTONE_CONSTINIT
#endif

#endif
