#include "common/slim_lock.h"

#include <windows.h>

namespace tarnwick {
namespace {

static_assert(sizeof(SRWLOCK) == sizeof(void*));

PSRWLOCK Srw(void** state) {
    return reinterpret_cast<PSRWLOCK>(state);
}

}  // namespace

void SlimLock::lock() {
    AcquireSRWLockExclusive(Srw(&state_));
}

void SlimLock::unlock() {
    ReleaseSRWLockExclusive(Srw(&state_));
}

bool SlimLock::try_lock() {
    return TryAcquireSRWLockExclusive(Srw(&state_));
}

}  // namespace tarnwick
