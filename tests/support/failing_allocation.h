// Allocation failures on demand: this test support replaces the global operator new of the test
// program, so that a test can make one chosen allocation of one thread throw std::bad_alloc.
#pragma once

namespace tarnwick::testing {

// The `n`-th allocation from now on the calling thread throws std::bad_alloc (1: the next one);
// 0 disarms. Only that one fails; later ones succeed again.
void FailAllocationOnThisThread(int n);

}  // namespace tarnwick::testing
