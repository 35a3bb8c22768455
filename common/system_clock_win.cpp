#include <windows.h>

#include "common/stamp.h"

namespace tarnwick {

// Every LOGIN reads the clock: the system's local time costs about a
// microsecond under Wine, the C library's localtime about eighteen.
CivilTime SystemClock::Now() const {
    SYSTEMTIME local;
    GetLocalTime(&local);
    return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}

}  // namespace tarnwick
