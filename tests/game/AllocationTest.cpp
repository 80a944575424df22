#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "platform/KeyCodes.h"
#include "support/GameFixture.h"

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
  long counted = -1;
  f.host().onFrameBegins = [&](long n) {
    if (n == 40) f.game().KeyDown(vk::kRight);  // a walking hero, if the rules move him
    gCounting = n >= 50;
  };
  f.host().onFrameEnded = [&](long n) {
    f.st().SplashTimer = 10;  // keep extra sprites queued every frame
    f.st().BumpTimer = 5;
    if (n == 149) counted = gAllocations.exchange(0);
  };
  gAllocations = 0;
  f.PlayFrames(150);
  gCounting = false;
  EXPECT_EQ(counted, 0) << "heap allocations in frames 50..149";
  gCounting = true;  // the counter itself sees allocations
  delete new std::vector<int>(100);
  gCounting = false;
  EXPECT_GE(gAllocations.load(), 2);
}

}  // namespace
}  // namespace moriva
