#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>
#include <utility>

namespace moriva {

// Allocates zeroed memory with calloc and leaves value-initialised elements as they come.
// A large buffer then comes straight from the system's zero pages, which are only touched
// when first drawn on: a block surface of 10 MB costs nothing until it is used, instead of
// thousands of page faults at construction. Only for trivial types that are valid as zero
// bytes, and only for containers that never grow into capacity they already hold.
template <class T>
class ZeroedAllocator {
 public:
  using value_type = T;

  ZeroedAllocator() = default;
  template <class U>
  ZeroedAllocator(const ZeroedAllocator<U>&) noexcept {}

  T* allocate(std::size_t n) {
    if (void* p = std::calloc(n, sizeof(T))) return static_cast<T*>(p);
    throw std::bad_alloc();
  }
  void deallocate(T* p, std::size_t) noexcept { std::free(p); }

  // Value-initialisation: calloc has already zeroed the element.
  template <class U>
  void construct(U*) noexcept {}
  template <class U, class... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }

  template <class U>
  bool operator==(const ZeroedAllocator<U>&) const noexcept {
    return true;
  }
};

}  // namespace moriva
