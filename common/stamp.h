// Local date and time texts: "YYYY-MM-DD", "HH:MM:SS" and the two joined by one blank.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// One reading of the local wall clock, to the second.
struct CivilTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

std::string DateText(const CivilTime& time);
std::string TimeText(const CivilTime& time);
std::string StampText(const CivilTime& time);

// Reads a StampText back as an instant: whole seconds on the local wall-clock scale, so two
// stamps subtract to the seconds between them. Anything but the exact form gives nothing.
std::optional<std::int64_t> ReadStampText(std::string_view text);

// The wall-clock seconds of a civil time, on the same scale as ReadStampText.
std::int64_t CivilSeconds(const CivilTime& time);

// Where "now" comes from; tests set it.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual CivilTime Now() const = 0;
};

// The machine's local time.
class SystemClock final : public Clock {
  public:
    CivilTime Now() const override;
};

}  // namespace tarnwick
