// The polymorphic iterator interface shared by the map and vector iterators.
#ifndef KEYSTONE_ITERATOR_BASE_H
#define KEYSTONE_ITERATOR_BASE_H

namespace Keystone {

// The order of the virtual operations is part of the interface between library and programs.
template <typename T>
class Iterator_Base {
 public:
  virtual ~Iterator_Base() {}
  virtual Iterator_Base<T>& operator=(const Iterator_Base<T>& rhs) = 0;
  virtual bool operator==(const Iterator_Base<T>& rhs) const = 0;
  virtual bool operator!=(const Iterator_Base<T>& rhs) const = 0;
  virtual Iterator_Base<T>& operator++() = 0;
  virtual Iterator_Base<T>& operator--() = 0;
  virtual T& operator*() = 0;
  virtual const T& operator*() const = 0;
  virtual bool isValid() const = 0;
  virtual bool hasPrevious() const = 0;
  virtual Iterator_Base<T>* begin() const = 0;
  virtual Iterator_Base<T>* end() const = 0;
};

}  // namespace Keystone

#endif
