#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "support/GameFixture.h"
#include "platform/KeyCodes.h"

// Counts every heap allocation of this test program while counting is switched on.
namespace {
std::atomic<bool> gCounting{false};
std::atomic<long> gAllocations{0};
}  // namespace

void* operator new(std::size_t size) {
  if (gCounting) ++gAllocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
// The nothrow forms must come from the same heap as the deletes below.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (gCounting) ++gAllocations;
  return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace moriva {
namespace {

TEST(Allocation, ASteadyStateFrameAllocatesNothing) {
  test::GameFixture f;
  f.mod().Map(2 * 50 + 6, 4 * 50 + 46) = 154;  // an animated conveyor in view
  f.mod().Map(2 * 50 + 3, 4 * 50 + 44) = 54;   // and a flame jet
  long counted = 0;
  f.host().onFrameBegins = [&](long n) {
    if (n == 50) {
      gAllocations = 0;
      gCounting = true;
    }
    if (n == 40) f.game().KeyDown(vk::kRight);  // a walking hero, if the rules move him
  };
  f.host().onFrameEnded = [&](long n) {
    f.st().SplashTimer = 10;  // keep extra sprites queued every frame
    f.st().BumpTimer = 5;
    if (n == 149) {
      gCounting = false;
      counted = gAllocations;
    }
  };
  f.PlayFrames(150);
  EXPECT_EQ(counted, 0) << "heap allocations in frames 50..149";
}

TEST(Allocation, TheCounterSeesAllocations) {
  gAllocations = 0;
  gCounting = true;
  auto* p = new std::vector<int>(100);
  gCounting = false;
  delete p;
  EXPECT_GE(gAllocations.load(), 2);
}

}  // namespace
}  // namespace moriva
