#include "support/failing_allocation.h"

#include <cstdlib>
#include <new>

namespace tarnwick::testing {
namespace {

thread_local int allocationsUntilFailure = 0;

void* Allocate(std::size_t size) {
    if (allocationsUntilFailure > 0 && --allocationsUntilFailure == 0) throw std::bad_alloc();
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}

}  // namespace

void FailAllocationOnThisThread(int n) {
    allocationsUntilFailure = n;
}

}  // namespace tarnwick::testing

void* operator new(std::size_t size) {
    return tarnwick::testing::Allocate(size);
}
void* operator new[](std::size_t size) {
    return tarnwick::testing::Allocate(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
